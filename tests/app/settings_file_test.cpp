#include "app/settings_file.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/app/program_fixture.h"

namespace novarel {
namespace {

namespace fs = std::filesystem;

using test::DefaultSettingsLines;
using test::JoinedLines;

struct SettingsFixture : test::ProgramFixture {
    Program& StartWith(const std::vector<std::string>& lines) {
        Write("novarel_SE.ini", JoinedLines(lines));
        input.places.clear();
        dataWindow.places.clear();
        return Start();
    }
    // The written lines with one value replaced.
    static std::vector<std::string> With(const std::string& key, const std::string& value) {
        std::vector<std::string> lines = DefaultSettingsLines;
        for (auto& l : lines)
            if (l.rfind(key + "=", 0) == 0) l = key + "=" + value;
        return lines;
    }
    // The Data window as it opens for the next page.
    const DataWindowState& DataWindowShown() {
        program->ShowHelp("OPTIONS.OPT");
        return dataWindow.last;
    }
};

TEST_F(SettingsFixture, EdgeValuesAsTheUserSeesThemAfterStartUp) {
    StartWith(With("FontSize", " 7.5"));
    EXPECT_EQ(DataWindowShown().textFontSize, 10);
    StartWith(With("FontSize", " 7.75"));
    EXPECT_EQ(DataWindowShown().textFontSize, 7.75);
    StartWith(With("NOVARELTop", "-300"));
    EXPECT_EQ(main.place.top, -300);
    StartWith(With("NOVARELHeight", " 0"));
    EXPECT_EQ(main.place.height, 675);

    // Values compare exactly: lower case or a trailing blank is no choice.
    EXPECT_EQ(StartWith(With("Zodiac", "sidereal")).request.zodiac, Zodiac::Tropical);
    EXPECT_EQ(StartWith(With("Zodiac", "Sidereal")).request.zodiac, Zodiac::Sidereal);
    EXPECT_FALSE(StartWith(With("CalcFullMonth", "Yes ")).request.chkFullMonth);
    Program& opts = StartWith(
        {"Type=Midnight", "Coordinates=Helio", "MoonNodes=Mean", "MoonChangeSign=No Display"});
    EXPECT_TRUE(opts.request.optMidnight() && opts.request.optHelio() && opts.request.optMean() &&
                opts.request.optNoDisplay());
    EXPECT_EQ(opts.state.NoonFlag, 1);  // the form loaded while Noon was still selected

    EXPECT_EQ(StartWith(With("NumberOfDays", "0")).input.txtDays(), "30");
    Program& p45 = StartWith(With("NumberOfDays", "45"));
    EXPECT_EQ(p45.input.txtDays(), "45");
    EXPECT_EQ(p45.input.VSDays(), 45);

    // Keys match by prefix with case.
    StartWith({"fontsize=12"});
    EXPECT_EQ(DataWindowShown().textFontSize, 10);
    StartWith({"FontSizeX=12"});
    EXPECT_EQ(DataWindowShown().textFontSize, 12);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SettingsFixture, AValueThatDoesNotFitEndsTheReading) {
    std::vector<std::string> lines = DefaultSettingsLines;
    lines[1] = "FontSize= 12";
    lines[11] = "DataWidth=99999";
    lines[12] = "InputTop= 3000";
    lines[16] = "CalcFullMonth=No";
    lines[19] = "NumberOfDays=45";
    Program& p = StartWith(lines);
    EXPECT_EQ(DataWindowShown().textFontSize, 12);   // before: applied
    EXPECT_EQ(dataWindow.places.at(0).width, 9600);  // the line itself: not
    EXPECT_EQ(input.places.at(0).top, 1260);         // after: not read
    EXPECT_TRUE(p.request.chkFullMonth);
    EXPECT_EQ(p.input.txtDays(), "30");

    // Tops are 16-bit: a larger one stops the reading, a negative one is only
    // skipped; lefts are not limited; a font size beyond a float stops it.
    const std::pair<const char*, int> cases[] = {{"DataTop=40000", 0},
                                                 {"DataTop=-40000", -1},
                                                 {"DataLeft=-70000", -1},
                                                 {"NOVARELTop=1e39", 0},
                                                 {"FontSize=1e300", 0}};
    for (const auto& [line, bold] : cases)
        EXPECT_EQ(StartWith({line, "FontBold=-1"}).dataSettings.FontBold, bold) << line;
}

TEST_F(SettingsFixture, InputPlaceCountsOnlyBeforeTheFirstOptionLine) {
    // In the written order the input window's lines come first and count.
    Program& p = StartWith(With("InputTop", " 3000"));
    ASSERT_EQ(input.places.size(), 1u);
    EXPECT_EQ(input.places[0].top, 3000);
    // Once shown, the window's own moves replace the stored place.
    p.input.Resize(WindowRect{2000.5, 10, 5000, 6000});
    EXPECT_EQ(p.input.InputTop, 2000);

    // Placed by the first option line; a later place changes only the stored value.
    StartWith({"Type=Noon", "InputTop=4000", "InputLeft=-50"});
    ASSERT_EQ(input.places.size(), 1u);
    EXPECT_EQ(input.places[0].top, 1260);
    EXPECT_EQ(program->input.InputTop, 4000);

    // Resizes reported while the load step places the window are not kept.
    input.onPlaced = [&](const WindowRect& r) { program->input.Resize(r); };
    EXPECT_EQ(StartWith(With("InputTop", " 3000")).input.InputTop, 3000);
}

TEST_F(SettingsFixture, BadFilesLeaveTheDefaults) {
    const std::string defaults = SettingsText(Start().settingsLinks());
    std::mt19937 random(20180503);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 4000), '\0');
        for (auto& b : bytes) b = static_cast<char>(random() & 0xFF);
        Write("novarel_SE.ini", bytes);
        EXPECT_EQ(SettingsText(Start().settingsLinks()), defaults) << "round " << round;
    }
    // A folder in place of the file...
    fs::remove(dir / "novarel_SE.ini");
    fs::create_directory(dir / "novarel_SE.ini");
    EXPECT_EQ(SettingsText(Start().settingsLinks()), defaults);
    // ... cannot be written at exit either: reported, and the exit goes on
    // with a status that says so.
    program->Exit();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find((dir / "novarel_SE.ini").string()), std::string::npos);
    EXPECT_EQ(messages.messages[0].title, "Warning!");
    EXPECT_EQ(main.ended, 1);
    EXPECT_EQ(main.exitCode, 1);
}

TEST_F(SettingsFixture, AFreshProgramWritesTheDefaultFileAtExit) {
    ASSERT_FALSE(fs::exists(dir / "novarel_SE.ini"));
    Start().Exit();
    EXPECT_EQ(Read("novarel_SE.ini"), JoinedLines(DefaultSettingsLines));
    EXPECT_EQ(main.exitCode, 0);
}

TEST_F(SettingsFixture, WhatTheUserChangedComesBack) {
    Program& p = Start();
    p.ShowHelp("OPTIONS.OPT");
    p.RunDataCommand(DataCommand::FontBold);
    p.RunDataCommand(DataCommand::FontIncrease);  // 10 + 1.5 / 2 on a 1024-pixel screen at 15
    p.dataWindow.Resize(WindowRect{300, -1440, 5000, 8000});
    p.MainWindowMoved(WindowRect{15, 30.5f, 700, 6600});
    p.input.DaysTextChanged("12");
    p.input.Controls().moonChangeSign = MoonChangeSign::NoDisplay;
    p.Exit();
    const auto lines = TextLines(Read("novarel_SE.ini"));
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[1], "FontSize= 10.75");
    EXPECT_EQ(lines[2], "FontBold=-1");
    EXPECT_EQ(lines[5], "NOVARELLeft= 30.5");
    EXPECT_EQ(lines[9], "DataLeft=-1440");
    EXPECT_EQ(lines[23], "MoonChangeSign=No Display");

    Program& again = Start();
    EXPECT_EQ(SettingsText(again.settingsLinks()), Read("novarel_SE.ini"));
    EXPECT_TRUE(DataWindowShown().textBold);
    EXPECT_EQ(dataWindow.last.textFontSize, 10.75);
    EXPECT_EQ(main.place.left, 30.5);
    EXPECT_EQ(again.input.txtDays(), "12");
}

}  // namespace
}  // namespace novarel

namespace novarel {
namespace {

TEST_F(SettingsFixture, WhatIsWrittenReadsBackTheSame) {
    // Sizes that round to nothing in their field are ignored like a missing
    // line, so the written file reads back to the same values.
    for (const auto& [key, value] : {std::pair{"InputWidth", " 0.1"},
                                     {"InputHeight", " 0.4"},
                                     {"DataTop", " 0.5"},
                                     {"DataWidth", " 0.2"},
                                     {"NOVARELHeight", " 1e-50"},
                                     {"NumberOfDays", " 0.3"},
                                     {"NOVARELTop", " 0.1"},
                                     {"DataLeft", "-2.5"}}) {
        SCOPED_TRACE(std::string(key) + "=" + value);
        const std::string first = SettingsText(StartWith(With(key, value)).settingsLinks());
        Write("novarel_SE.ini", first);
        input.places.clear();
        dataWindow.places.clear();
        EXPECT_EQ(SettingsText(Start().settingsLinks()), first);
    }
    EXPECT_NE(SettingsText(StartWith(With("InputWidth", " 0.1")).settingsLinks())
                  .find("InputWidth= 5865\r\n"),
              std::string::npos);
}

// The chosen natal chart has a line of its own after the 24, like the zone,
// only while one is chosen; the two extra lines read in either order.
TEST_F(SettingsFixture, TheChosenChartIsKeptOnlyWhileThereIsOne) {
    std::vector<std::string> lines = DefaultSettingsLines;
    lines.push_back("NatalChart= Ann Smith (b. 1980)");
    lines.push_back("TimeZone=Europe/Paris");
    Program& p = StartWith(lines);
    EXPECT_EQ(p.request.natalChart, " Ann Smith (b. 1980)");
    EXPECT_EQ(p.request.timeZone, "Europe/Paris");
    p.Exit();
    std::vector<std::string> written = DefaultSettingsLines;
    written.push_back("TimeZone=Europe/Paris");
    written.push_back("NatalChart= Ann Smith (b. 1980)");
    EXPECT_EQ(Read("novarel_SE.ini"), JoinedLines(written));

    Program& again = Start();
    EXPECT_EQ(again.request.natalChart, " Ann Smith (b. 1980)");
    again.request.natalChart.clear();
    again.request.timeZone = "UT";
    again.Exit();
    EXPECT_EQ(Read("novarel_SE.ini"), JoinedLines(DefaultSettingsLines));

    // A line without "=" names no chart.
    lines = DefaultSettingsLines;
    lines.push_back("NatalChart");
    EXPECT_EQ(StartWith(lines).request.natalChart, "");
}

TEST_F(SettingsFixture, AFileLargerThanOneMebibyteIsRefusedByName) {
    const std::string defaults = SettingsText(Start().settingsLinks());
    std::string big = JoinedLines(With("InputWidth", " 4000"));
    big += std::string(std::size_t{1} << 20, ' ');
    Write("novarel_SE.ini", big);
    messages.messages.clear();
    EXPECT_EQ(SettingsText(Start().settingsLinks()), defaults);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].title, "Warning!");
    EXPECT_EQ(messages.messages[0].text, "The settings file " + (dir / "novarel_SE.ini").string() +
                                             " is larger than 1 MiB and is not read. The program "
                                             "starts with its defaults.");
}

}  // namespace
}  // namespace novarel
