// A whole user session through the logic objects with the real generators
// and the real library: start without settings, calculate, change the view,
// step forward, save, clear, print, exit.
#include <gtest/gtest.h>

#include <fmt/format.h>

#include <cmath>
#include <sstream>

#include "app/library_generators.h"
#include "core/swe_library.h"
#include "tests/app/program_fixture.h"

namespace novarel {
namespace {

namespace fs = std::filesystem;

// Every text the Data window was given, in order.
class PageLog final : public DataView {
public:
    int innerHeight() override { return 400; }
    void setText(const std::string& t) override { texts.push_back(t); }
    void setCaption(const std::string&) override {}
    void showWindow() override {}
    std::vector<std::string> texts;
};

// The Sun's declination cells ("04S01.0", with the single-byte N or S glyph)
// from the stored swetest output, one per period of the session.
std::vector<std::string> SunDeclinationCells() {
    const auto text = ReadWholeFile(std::string(NOVAREL_TEST_DATA) + "/app/swetest_session_sun.txt");
    std::vector<std::string> cells;
    std::istringstream in(text.value_or(""));
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("Sun", 0) != 0) continue;
        // The last field, "-4\xC2\xB0 0'58.5262": degrees, minutes, seconds.
        const std::size_t degreeSign = line.find("\xC2\xB0");
        const std::size_t fieldStart = line.find_last_of(' ', degreeSign - 1) + 1;
        const std::size_t apostrophe = line.find('\'', degreeSign);
        const std::string degrees = line.substr(fieldStart, degreeSign - fieldStart);
        const double minutes = std::stod(line.substr(degreeSign + 2, apostrophe - degreeSign - 2)) +
                               std::stod(line.substr(apostrophe + 1)) / 60;
        const bool south = degrees.front() == '-';
        cells.push_back(fmt::format("{:02}{}{:04.1f}", std::abs(std::stoi(degrees)), south ? '\x9A' : '\x98',
                                    minutes));
    }
    return cells;
}

// The row of a table that starts with the given day ("  10 Mar").
std::string RowOf(const std::vector<std::string>& table, const std::string& day) {
    for (const auto& line : table)
        if (line.rfind("  " + day, 0) == 0) return line;
    return {};
}

struct SessionFixture : test::ProgramFixture {
    PageLog pages;
    Program& StartReal() {
        program = std::make_unique<Program>(
            dir.string(), std::make_unique<SweLibrary>(), ProgramSeams{messages, progress, pages, noWindows},
            AppSeams{main, input, dataWindow, saveDialog, preview, printer, screen, clock, shell},
            LocaleNames::English());
        program->StartUp(StartupOptions{"", std::int16_t{2}});
        return *program;
    }
};

TEST_F(SessionFixture, CalculateViewStepSaveClearPrintExit) {
    ASSERT_FALSE(fs::exists(dir / "novarel_SE.ini"));
    Program& p = StartReal();
    LibraryGenerators generators(p);
    p.setGenerators(generators);
    const auto sun = SunDeclinationCells();
    ASSERT_EQ(sun.size(), 3u);

    // 7 days from 10 March 2018, noon.
    p.request.txtYear = "2018";
    p.request.txtMonth = "3";
    p.request.txtDay = "10";
    p.input.SetFullMonth(false);
    p.input.DaysTextChanged("7");
    ASSERT_EQ(p.CalculateEphemeris(), RunOutcome::Completed);
    EXPECT_FALSE(input.visible);
    EXPECT_TRUE(p.mainMenuItem("mnuInputData").visible);
    EXPECT_TRUE(p.dataWindow.state().item("mnuMore").visible);
    ASSERT_FALSE(pages.texts.empty());
    EXPECT_NE(pages.texts.back().find("Tropical Ephemeris - Saturday, 10 Mar 2018 at noon, Greenwich"),
              std::string::npos);
    EXPECT_NE(pages.texts.back().find("  Long."), std::string::npos);

    p.RunDataCommand(DataCommand::ViewDeclination);
    EXPECT_NE(pages.texts.back().find("  Decl."), std::string::npos);
    EXPECT_NE(RowOf(p.buffer.PageLines(), "10 Mar").find(" " + sun[0] + " "), std::string::npos)
        << RowOf(p.buffer.PageLines(), "10 Mar");

    p.RunDataCommand(DataCommand::MoreForward);
    EXPECT_EQ(p.request.txtDay, "17");
    EXPECT_NE(pages.texts.back().find("Saturday, 17 Mar 2018"), std::string::npos);
    EXPECT_NE(RowOf(p.state.DeclinationTable, "17 Mar").find(" " + sun[1] + " "), std::string::npos);
    p.RunDataCommand(DataCommand::MoreForward);
    EXPECT_EQ(p.request.txtDay, "24");
    EXPECT_NE(pages.texts.back().find("Saturday, 24 Mar 2018"), std::string::npos);
    EXPECT_NE(RowOf(p.state.DeclinationTable, "24 Mar").find(" " + sun[2] + " "), std::string::npos);
    EXPECT_TRUE(RowOf(p.buffer.PageLines(), "31 Mar").empty());
    EXPECT_FALSE(RowOf(p.buffer.PageLines(), "30 Mar").empty());

    // The data now hold four pages; each was shown with one blank line more
    // than it had and the trailing empty entry.
    std::vector<std::string> expected;
    for (const auto& text : pages.texts) {
        if (text.empty()) continue;  // the window emptied at load
        auto lines = TextLinesOf(text);
        lines.pop_back();
        expected.insert(expected.end(), lines.begin(), lines.end());
    }
    ASSERT_EQ(static_cast<int>(expected.size()), p.buffer.DataLineCount());
    expected.push_back("");  // the trailing entry

    const std::string saved = (dir / "session.DOC").string();
    saveDialog.answer = saved;
    p.RunDataCommand(DataCommand::SaveAs);
    ASSERT_EQ(saveDialog.requests.size(), 1u);
    EXPECT_EQ(saveDialog.requests[0].fileName, "20180324.DOC");
    EXPECT_EQ(saveDialog.requests[0].initialDirectory, dir.string());
    const std::string file = Read("session.DOC");
    const auto fileLines = TextLinesOf(file);
    // Option 7 = 60: a form feed after entries 59, 118, 177 ... and one at the end.
    std::vector<std::string> expectedFile;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        expectedFile.push_back(expected[i]);
        if (i != 0 && i % 59 == 0) expectedFile.push_back("\f");
    }
    expectedFile.push_back("\f");
    EXPECT_TRUE(fileLines == expectedFile);
    // Four pages of a week: one break inside, one at the end.
    EXPECT_EQ(std::count(fileLines.begin(), fileLines.end(), "\f"), 2) << expected.size();
    EXPECT_EQ(file.substr(file.size() - 3), "\f\r\n");
    EXPECT_EQ(fileLines[59], expected[59]);
    EXPECT_EQ(fileLines[60], "\f");

    p.RunDataCommand(DataCommand::ClearAllData);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "All data cleared from buffer.");
    p.RunDataCommand(DataCommand::Save);
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1].text, "No data to write to file.");
    EXPECT_EQ(Read("session.DOC"), file);  // untouched

    p.RunDataCommand(DataCommand::PrintPage);
    const std::string shownPage = pages.texts.back();
    EXPECT_EQ(Read("PRNTFILE.XXX"), "\r\n\r\n" + shownPage);
    EXPECT_EQ(p.dataWindow.printing.PrintWidthClass, 2);  // 131-character rows
    p.dataWindow.printing.PrintButton();
    EXPECT_EQ(printer.points, 8);
    EXPECT_EQ(printer.face, "EPHEMERI");

    p.RunMainMenu(MainCommand::Exit);
    EXPECT_EQ(main.ended, 1);
    const auto settings = SettingsLines();
    ASSERT_EQ(settings.size(), 24u);
    EXPECT_EQ(settings[0], "[novarel_SE] - Do NOT change the order of these variables.");
    EXPECT_EQ(settings[1], "FontSize= 10");
    EXPECT_EQ(settings[8], "DataTop= 660");
    EXPECT_EQ(settings[16], "CalcFullMonth=No");
    EXPECT_EQ(settings[18], "Type=Noon");
    EXPECT_EQ(settings[19], "NumberOfDays=7");
    EXPECT_EQ(settings[23], "MoonChangeSign=Display");
    EXPECT_EQ(messages.messages.size(), 2u);
}

TEST_F(SessionFixture, StepsOverMonthsAndBackFromAnAspectarian) {
    Program& p = StartReal();
    LibraryGenerators generators(p);
    p.setGenerators(generators);
    p.request.txtYear = "2018";
    p.request.txtMonth = "3";
    p.request.txtDay = "10";
    // Whole months: March, then April; then back to February and January.
    ASSERT_EQ(p.CalculateEphemeris(), RunOutcome::Completed);
    EXPECT_EQ(p.request.txtDay, "1");
    p.RunDataCommand(DataCommand::MoreForward);
    EXPECT_NE(pages.texts.back().find("01 Apr 2018"), std::string::npos);
    EXPECT_FALSE(RowOf(p.buffer.PageLines(), "30 Apr").empty());
    EXPECT_TRUE(RowOf(p.buffer.PageLines(), "01 May").empty());
    p.request.txtMonth = "3";  // Forward left April in the boxes
    ASSERT_EQ(p.CalculateEphemeris(), RunOutcome::Completed);
    p.RunDataCommand(DataCommand::MoreBackward);
    EXPECT_NE(pages.texts.back().find("01 Feb 2018"), std::string::npos);
    EXPECT_FALSE(RowOf(p.buffer.PageLines(), "28 Feb").empty());
    p.RunDataCommand(DataCommand::MoreBackward);
    EXPECT_NE(pages.texts.back().find("01 Jan 2018"), std::string::npos);

    // 7-day aspectarian from 10 March: Backward starts on 3 March.
    p.input.SetFullMonth(false);
    p.input.DaysTextChanged("7");
    p.request.txtMonth = "3";
    p.request.txtDay = "10";
    ASSERT_EQ(p.CalculateAspectarian(), RunOutcome::Completed);
    EXPECT_NE(pages.texts.back().find("Aspectarian - Saturday, 10 Mar 2018"), std::string::npos);
    p.RunDataCommand(DataCommand::MoreBackward);
    EXPECT_EQ(p.request.txtDay, "3");
    EXPECT_NE(pages.texts.back().find("Aspectarian - Saturday, 03 Mar 2018"), std::string::npos);
    p.RunDataCommand(DataCommand::MoreForward);
    EXPECT_EQ(p.request.txtDay, "10");
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace novarel
