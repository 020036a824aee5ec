#include <gtest/gtest.h>

#include <random>

#include "app/settings_file.h"
#include "tests/app/program_fixture.h"

namespace novarel {
namespace {

using test::ProgramFixture;
namespace fs = std::filesystem;

const std::vector<std::string> DefaultLines{
    "[novarel_SE] - Do NOT change the order of these variables.",
    "FontSize= 10",
    "FontBold= 0",
    "FontItalic= 0",
    "NOVARELTop= 0",
    "NOVARELLeft= 0",
    "NOVARELHeight= 675",
    "NOVARELWidth= 6550",
    "DataTop= 660",
    "DataLeft= 0",
    "DataHeight= 6540",
    "DataWidth= 9600",
    "InputTop= 1260",
    "InputLeft= 0",
    "InputHeight= 5565",
    "InputWidth= 5865",
    "CalcFullMonth=Yes",
    "SaveData=No",
    "Type=Noon",
    "NumberOfDays=30",
    "Coordinates=Geo",
    "MoonNodes=True",
    "Zodiac=Tropical",
    "MoonChangeSign=Display",
};

std::string Joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

struct SettingsFixture : ProgramFixture {
    Program& StartWith(const std::vector<std::string>& lines) {
        Write("novarel_SE.ini", Joined(lines));
        input.places.clear();
        return Start();
    }
    // The written lines with one line replaced.
    static std::vector<std::string> With(const std::string& key, const std::string& value) {
        std::vector<std::string> lines = DefaultLines;
        for (auto& l : lines)
            if (l.rfind(key + "=", 0) == 0) l = key + "=" + value;
        return lines;
    }
};

TEST_F(SettingsFixture, NoFileGivesTheDefaultsAndExitWritesThe24Lines) {
    Program& p = Start();
    EXPECT_EQ(main.place.top, 0);
    EXPECT_EQ(main.place.left, 0);
    EXPECT_EQ(main.place.height, 675);
    EXPECT_EQ(main.place.width, 6550);
    ASSERT_EQ(input.places.size(), 1u);
    EXPECT_EQ(input.places[0].top, 1260);
    EXPECT_EQ(input.places[0].height, 5565);
    EXPECT_EQ(input.places[0].width, 5865);
    EXPECT_EQ(p.input.txtDays(), "30");
    EXPECT_EQ(p.input.VSDays(), 30);
    EXPECT_TRUE(p.request.chkFullMonth);
    EXPECT_TRUE(p.request.optNoon());

    ASSERT_TRUE(p.ShowHelp("OPTIONS.OPT"));  // any text opens the Data window
    ASSERT_EQ(dataWindow.places.size(), 1u);
    EXPECT_EQ(dataWindow.places[0].top, 660);
    EXPECT_EQ(dataWindow.places[0].height, 6540);
    EXPECT_EQ(dataWindow.places[0].width, 9600);
    EXPECT_EQ(dataWindow.last.textFontSize, 10);
    EXPECT_FALSE(dataWindow.last.textBold);
    EXPECT_FALSE(dataWindow.last.textItalic);

    p.RunMainMenu(MainCommand::Exit);
    EXPECT_EQ(Read("novarel_SE.ini"), Joined(DefaultLines));
    EXPECT_EQ(main.ended, 1);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SettingsFixture, EdgeValuesAsTheUserSeesThemAfterStartUp) {
    EXPECT_EQ(StartWith(With("FontSize", "7.5")).dataSettings.FontSize, 10);
    Program& p = StartWith(With("FontSize", " 7.75"));
    p.ShowHelp("OPTIONS.OPT");
    EXPECT_EQ(dataWindow.last.textFontSize, 7.75);

    StartWith(With("NOVARELTop", "-300"));
    EXPECT_EQ(main.place.top, -300);
    StartWith(With("NOVARELHeight", "0"));
    EXPECT_EQ(main.place.height, 675);
    StartWith(With("NOVARELWidth", "-20"));
    EXPECT_EQ(main.place.width, 6550);

    EXPECT_EQ(StartWith(With("Zodiac", "sidereal")).request.zodiac, Zodiac::Tropical);
    EXPECT_EQ(StartWith(With("Zodiac", "Sidereal")).request.zodiac, Zodiac::Sidereal);
    EXPECT_EQ(StartWith(With("Zodiac", "Ayanamsa")).request.zodiac, Zodiac::Ayanamsa);

    EXPECT_EQ(StartWith(With("NumberOfDays", "0")).input.txtDays(), "30");
    Program& p45 = StartWith(With("NumberOfDays", "45"));
    EXPECT_EQ(p45.input.txtDays(), "45");
    EXPECT_EQ(p45.input.VSDays(), 45);
    EXPECT_EQ(p45.request.NumberOfDays, 45);
    EXPECT_EQ(StartWith(With("NumberOfDays", "400")).input.txtDays(), "366");

    // Values compared exactly: a trailing blank or lower case is "No".
    EXPECT_FALSE(StartWith(With("CalcFullMonth", "Yes ")).request.chkFullMonth);
    EXPECT_FALSE(StartWith(With("SaveData", "yes")).request.chkSaveData);
    EXPECT_TRUE(StartWith(With("SaveData", "Yes")).request.chkSaveData);
    Program& opts = StartWith({"Type=Midnight", "Coordinates=Helio", "MoonNodes=Mean", "MoonChangeSign=No Display"});
    EXPECT_TRUE(opts.request.optMidnight());
    EXPECT_TRUE(opts.request.optHelio());
    EXPECT_TRUE(opts.request.optMean());
    EXPECT_TRUE(opts.request.optNoDisplay());
    EXPECT_EQ(opts.state.NoonFlag, 1);  // the form loaded while Noon was still selected

    // Keys match by prefix with case.
    EXPECT_EQ(StartWith({"fontsize=12"}).dataSettings.FontSize, 10);
    EXPECT_EQ(StartWith({"FontSizeX=12"}).dataSettings.FontSize, 12);
    EXPECT_EQ(StartWith({"FontSize12"}).dataSettings.FontSize, 10);  // no "=": the value is the line
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SettingsFixture, AValueThatDoesNotFitEndsTheReading) {
    std::vector<std::string> lines = DefaultLines;
    lines[1] = "FontSize= 12";
    lines[11] = "DataWidth=99999";
    lines[12] = "InputTop= 3000";
    lines[16] = "CalcFullMonth=No";
    lines[18] = "Type=Midnight";
    lines[19] = "NumberOfDays=45";
    Program& p = StartWith(lines);
    EXPECT_EQ(p.dataSettings.FontSize, 12);      // before: applied
    EXPECT_EQ(p.dataSettings.DataWidth, 9600);   // the line itself: not
    EXPECT_EQ(p.input.InputTop, 1260);           // after: not read
    EXPECT_TRUE(p.request.chkFullMonth);         // the design state
    EXPECT_TRUE(p.request.optNoon());
    EXPECT_EQ(p.input.txtDays(), "30");

    // 40000 twips do not fit a 16-bit top; a negative one is only skipped.
    EXPECT_EQ(StartWith({"DataTop=40000", "FontBold=-1"}).dataSettings.FontBold, 0);
    EXPECT_EQ(StartWith({"DataTop=-40000", "FontBold=-1"}).dataSettings.FontBold, -1);
    EXPECT_EQ(StartWith({"DataLeft=-70000", "FontBold=-1"}).dataSettings.DataLeft, -70000);
    EXPECT_EQ(StartWith({"NOVARELTop=1e39", "FontBold=-1"}).dataSettings.FontBold, 0);
    // A font size far beyond what a text area takes does not fit either.
    EXPECT_EQ(StartWith({"FontSize=1e300", "FontBold=-1"}).dataSettings.FontSize, 10);
    EXPECT_EQ(program->dataSettings.FontBold, 0);
}

TEST_F(SettingsFixture, InputPlaceCountsOnlyBeforeTheFirstOptionLine) {
    // In the written order the input window's lines come first and count.
    std::vector<std::string> lines = DefaultLines;
    lines[12] = "InputTop= 3000";
    StartWith(lines);
    ASSERT_EQ(input.places.size(), 1u);
    EXPECT_EQ(input.places[0].top, 3000);

    // Placed by the first option line; a later place changes only the stored value.
    StartWith({"Type=Noon", "InputTop=4000", "InputLeft=-50"});
    ASSERT_EQ(input.places.size(), 1u);
    EXPECT_EQ(input.places[0].top, 1260);
    EXPECT_EQ(input.places[0].left, 0);
    EXPECT_EQ(program->input.InputTop, 4000);

    // Once shown, the window's own moves replace the stored place.
    program->input.Resize(WindowRect{2000.5, 10, 5000, 6000});
    EXPECT_EQ(program->input.InputTop, 2000);
    // Resizes reported while the load step places the window are not kept.
    input.onPlaced = [&](const WindowRect& r) { program->input.Resize(r); };
    Program& p = StartWith(lines);
    EXPECT_EQ(p.input.InputTop, 3000);
}

TEST_F(SettingsFixture, BadFilesLeaveTheDefaults) {
    Program& clean = Start();
    const std::string defaults = SettingsText(clean.settingsLinks());

    std::mt19937 random(20180503);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 4000), '\0');
        for (auto& b : bytes) b = static_cast<char>(random() & 0xFF);
        Write("novarel_SE.ini", bytes);
        Program& p = Start();
        EXPECT_EQ(SettingsText(p.settingsLinks()), defaults) << "round " << round;
    }
    // A folder in place of the file.
    fs::remove(dir / "novarel_SE.ini");
    fs::create_directory(dir / "novarel_SE.ini");
    EXPECT_EQ(SettingsText(Start().settingsLinks()), defaults);
    EXPECT_TRUE(messages.messages.empty());

    // ... which cannot be written at exit either: reported, and the exit goes on.
    program->Exit();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find((dir / "novarel_SE.ini").string()), std::string::npos);
    EXPECT_EQ(messages.messages[0].title, "Warning!");
    EXPECT_EQ(main.ended, 1);
}

TEST_F(SettingsFixture, WhatTheUserChangedComesBack) {
    Program& p = Start();
    p.ShowHelp("OPTIONS.OPT");
    p.RunDataCommand(DataCommand::FontBold);
    p.RunDataCommand(DataCommand::FontIncrease);  // 10 + 1.5 / 2 on a 1024-pixel screen at 15
    p.dataWindow.Resize(WindowRect{300, -1440, 5000, 8000});
    p.input.Resize(WindowRect{100, 7000, 5600, 5900});
    p.MainWindowMoved(WindowRect{15, 30.5f, 700, 6600});
    p.input.DaysTextChanged("12");
    p.input.SetFullMonth(false);
    p.input.Controls().zodiac = Zodiac::Ayanamsa;
    p.input.Controls().moonChangeSign = MoonChangeSign::NoDisplay;
    p.Exit();
    const auto lines = SettingsLines();
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[1], "FontSize= 10.75");
    EXPECT_EQ(lines[2], "FontBold=-1");
    EXPECT_EQ(lines[5], "NOVARELLeft= 30.5");
    EXPECT_EQ(lines[8], "DataTop= 300");
    EXPECT_EQ(lines[9], "DataLeft=-1440");
    EXPECT_EQ(lines[13], "InputLeft= 7000");
    EXPECT_EQ(lines[16], "CalcFullMonth=No");
    EXPECT_EQ(lines[19], "NumberOfDays=12");
    EXPECT_EQ(lines[22], "Zodiac=Ayanamsa");
    EXPECT_EQ(lines[23], "MoonChangeSign=No Display");

    Program& again = Start();
    EXPECT_EQ(SettingsText(again.settingsLinks()), Read("novarel_SE.ini"));
    again.ShowHelp("OPTIONS.OPT");
    EXPECT_TRUE(dataWindow.last.textBold);
    EXPECT_EQ(dataWindow.last.textFontSize, 10.75);
    EXPECT_EQ(main.place.left, 30.5);
    EXPECT_EQ(again.input.txtDays(), "12");
}

}  // namespace
}  // namespace novarel
