// A whole user session through the logic objects with the real generators
// and the real library: start without settings, calculate, change the view,
// step forward, save, clear, print, exit.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "app/library_generators.h"
#include "core/swe_library.h"
#include "tests/app/program_fixture.h"

namespace novarel {
namespace {

// Every text the Data window was given, in order.
class PageLog final : public DataView {
public:
    int innerHeight() override { return 400; }
    void setText(const std::string& t) override { texts.push_back(t); }
    void setCaption(const std::string&) override {}
    void showWindow() override {}
    bool lastShows(const std::string& s) const {
        return !texts.empty() && texts.back().find(s) != std::string::npos;
    }
    std::vector<std::string> texts;
};

// The Sun's declination cells ("04S01.0", with the single-byte N or S glyph)
// from the stored swetest output, one per period of the session.
std::vector<std::string> SunDeclinationCells() {
    std::istringstream in(
        ReadWholeFile(std::string(NOVAREL_TEST_DATA) + "/app/swetest_session_sun.txt")
            .value_or(""));
    std::vector<std::string> cells;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("Sun", 0) != 0) continue;
        // The last field, "-4\xC2\xB0 0'58.5262": degrees, minutes, seconds.
        const std::size_t degreeSign = line.find("\xC2\xB0"),
                          apostrophe = line.find('\'', degreeSign);
        const std::size_t fieldStart = line.find_last_of(' ', degreeSign - 1) + 1;
        const double minutes = std::stod(line.substr(degreeSign + 2, apostrophe - degreeSign - 2)) +
                               std::stod(line.substr(apostrophe + 1)) / 60;
        cells.push_back(fmt::format("{:02}{}{:04.1f}", std::abs(std::stoi(line.substr(fieldStart))),
                                    line[fieldStart] == '-' ? '\x9A' : '\x98', minutes));
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
    std::unique_ptr<LibraryGenerators> generators;
    Program& StartReal(const char* year, const char* month, const char* day) {
        Make(pages, std::make_unique<SweLibrary>()).StartUp(StartupOptions{"", std::int16_t{2}});
        generators = std::make_unique<LibraryGenerators>(*program);
        program->setGenerators(*generators);
        program->request.txtYear = year;
        program->request.txtMonth = month;
        program->request.txtDay = day;
        return *program;
    }
};

TEST_F(SessionFixture, CalculateViewStepSaveClearPrintExit) {
    ASSERT_FALSE(std::filesystem::exists(dir / "novarel_SE.ini"));
    Program& p = StartReal("2018", "3", "10");
    const auto sun = SunDeclinationCells();
    ASSERT_EQ(sun.size(), 3u);

    // 7 days from 10 March 2018, noon.
    p.input.SetFullMonth(false);
    p.input.DaysTextChanged("7");
    ASSERT_EQ(p.CalculateEphemeris(), RunOutcome::Completed);
    EXPECT_FALSE(input.visible);
    EXPECT_TRUE(p.mainMenuItem("mnuInputData").visible);
    EXPECT_TRUE(p.dataWindow.state().item("mnuMore").visible);
    EXPECT_TRUE(pages.lastShows("Tropical Ephemeris - Saturday, 10 Mar 2018 at noon, Greenwich"));
    EXPECT_TRUE(pages.lastShows("  Long."));

    p.RunDataCommand(DataCommand::ViewDeclination);
    EXPECT_TRUE(pages.lastShows("  Decl."));
    EXPECT_NE(RowOf(p.buffer.PageLines(), "10 Mar").find(" " + sun[0] + " "), std::string::npos)
        << RowOf(p.buffer.PageLines(), "10 Mar");
    for (int step = 1; step <= 2; ++step) {
        p.RunDataCommand(DataCommand::MoreForward);
        const std::string day = std::to_string(10 + 7 * step);
        EXPECT_EQ(p.request.txtDay, day);
        EXPECT_TRUE(pages.lastShows("Saturday, " + day + " Mar 2018"));
        EXPECT_NE(RowOf(p.state.DeclinationTable, day + " Mar").find(" " + sun[step] + " "),
                  std::string::npos);
    }
    EXPECT_TRUE(RowOf(p.buffer.PageLines(), "31 Mar").empty());
    EXPECT_FALSE(RowOf(p.buffer.PageLines(), "30 Mar").empty());

    // The data now hold four pages; each was shown with one blank line more
    // than it had and the trailing empty entry.
    std::vector<std::string> expected;
    for (const auto& text : pages.texts) {
        if (text.empty()) continue;  // the window emptied at load
        auto lines = TextLines(text);
        expected.insert(expected.end(), lines.begin(), lines.end() - 1);
    }
    ASSERT_EQ(static_cast<int>(expected.size()), p.buffer.DataLineCount());
    expected.push_back("");  // the trailing entry

    saveDialog.answer = (dir / "session.DOC").string();
    p.RunDataCommand(DataCommand::SaveAs);
    ASSERT_EQ(saveDialog.requests.size(), 1u);
    EXPECT_EQ(saveDialog.requests[0].fileName, "20180324.DOC");
    const std::string file = Read("session.DOC");
    // Option 7 = 60: a form feed after entries 59, 118, 177 ... and one at the end.
    std::vector<std::string> expectedFile;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        expectedFile.push_back(expected[i]);
        if (i != 0 && i % 59 == 0) expectedFile.push_back("\f");
    }
    expectedFile.push_back("\f");
    const auto fileLines = TextLines(file);
    EXPECT_TRUE(fileLines == expectedFile);
    // Four pages of a week: one break inside, one at the end.
    EXPECT_EQ(std::count(fileLines.begin(), fileLines.end(), "\f"), 2) << expected.size();
    EXPECT_EQ(file.substr(file.size() - 3), "\f\r\n");

    p.RunDataCommand(DataCommand::ClearAllData);
    p.RunDataCommand(DataCommand::Save);
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[0].text, "All data cleared from buffer.");
    EXPECT_EQ(messages.messages[1].text, "No data to write to file.");
    EXPECT_EQ(Read("session.DOC"), file);  // untouched

    p.RunDataCommand(DataCommand::PrintPage);
    EXPECT_EQ(Read("PRNTFILE.XXX"), "\r\n\r\n" + pages.texts.back());
    EXPECT_EQ(p.dataWindow.printing.PrintWidthClass, 2);  // 131-character rows
    p.dataWindow.printing.PrintButton();
    EXPECT_EQ(printer.points, 8);
    EXPECT_EQ(printer.face, "EPHEMERI");

    p.RunMainMenu(MainCommand::Exit);
    EXPECT_EQ(main.ended, 1);
    EXPECT_EQ(main.exitCode, 0);
    std::vector<std::string> settings = test::DefaultSettingsLines;
    settings[16] = "CalcFullMonth=No";
    settings[19] = "NumberOfDays=7";
    EXPECT_EQ(Read("novarel_SE.ini"), test::JoinedLines(settings));
    EXPECT_EQ(messages.messages.size(), 2u);
}

// Each step shows its page, and the input window the date of the new period.
TEST_F(SessionFixture, StepsOverMonthsAndBackFromAnAspectarian) {
    Program& p = StartReal("2018", "3", "10");
    // Whole months: March, then April; then back to February, January and December.
    ASSERT_EQ(p.CalculateEphemeris(), RunOutcome::Completed);
    EXPECT_EQ(p.request.txtDay, "1");
    ASSERT_FALSE(input.shownDates.empty());
    EXPECT_EQ(input.shownDates.back(), "1/3/2018");
    p.RunDataCommand(DataCommand::MoreForward);
    EXPECT_TRUE(pages.lastShows("01 Apr 2018"));
    EXPECT_EQ(input.shownDates.back(), "1/4/2018");
    EXPECT_FALSE(RowOf(p.buffer.PageLines(), "30 Apr").empty());
    EXPECT_TRUE(RowOf(p.buffer.PageLines(), "01 May").empty());
    p.request.txtMonth = "3";  // Forward left April in the boxes
    ASSERT_EQ(p.CalculateEphemeris(), RunOutcome::Completed);
    p.RunDataCommand(DataCommand::MoreBackward);
    EXPECT_TRUE(pages.lastShows("01 Feb 2018"));
    EXPECT_EQ(input.shownDates.back(), "1/2/2018");
    EXPECT_FALSE(RowOf(p.buffer.PageLines(), "28 Feb").empty());
    p.RunDataCommand(DataCommand::MoreBackward);
    EXPECT_TRUE(pages.lastShows("01 Jan 2018"));
    p.RunDataCommand(DataCommand::MoreBackward);
    EXPECT_TRUE(pages.lastShows("01 Dec 2017"));
    EXPECT_EQ(p.request.txtYear, "2017");

    // 7-day aspectarian from 10 March: Backward starts on 3 March.
    p.input.SetFullMonth(false);
    p.input.DaysTextChanged("7");
    p.request.txtYear = "2018";
    p.request.txtMonth = "3";
    p.request.txtDay = "10";
    ASSERT_EQ(p.CalculateAspectarian(), RunOutcome::Completed);
    EXPECT_TRUE(pages.lastShows("Aspectarian - Saturday, 10 Mar 2018"));
    EXPECT_EQ(input.shownDates.back(), "10/3/2018");
    p.RunDataCommand(DataCommand::MoreBackward);
    EXPECT_EQ(p.request.txtDay, "3");
    EXPECT_TRUE(pages.lastShows("Aspectarian - Saturday, 03 Mar 2018"));
    EXPECT_EQ(input.shownDates.back(), "3/3/2018");
    p.RunDataCommand(DataCommand::MoreForward);
    EXPECT_EQ(p.request.txtDay, "10");
    EXPECT_EQ(input.shownDates.back(), "10/3/2018");
    EXPECT_TRUE(messages.messages.empty());

    // A step out of the accepted years fails the date check; the boxes hold
    // the date that failed, and the window shows that too.
    p.request.txtYear = "1800";
    p.request.txtMonth = "1";
    p.request.txtDay = "1";
    ASSERT_EQ(p.CalculateEphemeris(), RunOutcome::Completed);
    p.RunDataCommand(DataCommand::MoreBackward);
    EXPECT_EQ(input.shownDates.back(), "25/12/1799");
    EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(SessionFixture, ABadDateKeepsTheFormAndInputBringsItBack) {
    Program& p = StartReal("1700", "3", "10");
    p.ShowHelp("OPTIONS.OPT");
    ASSERT_GT(p.buffer.DataLineCount(), 0);

    // A date that fails the check: the data are emptied all the same.
    p.request.type = TimeOfDay::Midnight;
    EXPECT_EQ(p.CalculateEphemeris(), RunOutcome::InvalidInput);
    EXPECT_EQ(p.buffer.DataLineCount(), 0);
    EXPECT_EQ(p.state.NoonFlag, 0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Error in input data section. Please correct.");
    EXPECT_TRUE(input.visible);
    EXPECT_FALSE(p.mainMenuItem("mnuInputData").visible);

    p.request.txtYear = "2018";
    p.input.DaysTextChanged("1");
    p.input.SetFullMonth(false);
    ASSERT_EQ(p.CalculateAspectarian(), RunOutcome::Completed);
    // The window was loaded for the help text: its items follow the output kind of that moment.
    EXPECT_TRUE(p.dataWindow.state().item("mnuViewLongitude").enabled);
    EXPECT_FALSE(p.dataWindow.state().item("mnuRx_Times").enabled);

    // "&Input": the data go, the Data window closes, the input window returns.
    p.dataWindow.saver.SaveFileName = (dir / "x.DOC").string();
    p.RunMainMenu(MainCommand::Input);
    EXPECT_EQ(p.buffer.DataLineCount(), 0);
    EXPECT_EQ(p.dataWindow.saver.SaveFileName, "");
    EXPECT_EQ(dataWindow.closed, 1);
    EXPECT_TRUE(input.visible);
    // The next page loads a new Data window from the design state.
    p.ShowHelp("OPTIONS.OPT");
    EXPECT_EQ(dataWindow.places.size(), 2u);
    EXPECT_FALSE(p.dataWindow.state().item("mnuMore").visible);
    for (const char* v : {"mnuViewLongitude", "mnuViewDeclination", "mnuViewRA", "mnuViewLatitude"})
        EXPECT_FALSE(p.dataWindow.state().item(v).enabled) << v;
    EXPECT_TRUE(p.dataWindow.state().item("mnuRx_Times").enabled);
}

}  // namespace
}  // namespace novarel
