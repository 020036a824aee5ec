// User sessions through the logic objects with the real generators and the
// real library: steps over months and back from an aspectarian, and a date
// that fails its check. The session of calculate, view, step, save, print
// and exit is met through the real windows in tests/ui/gui_session_test.cpp.
#include <gtest/gtest.h>

#include "app/library_generators.h"
#include "core/swe_library.h"
#include "natal/chart_file.h"
#include "tests/app/program_fixture.h"
#include "tests/transits/stored_chart.h"

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
    // The same on a local clock: Forward goes on from the day after the period.
    p.request.timeZone = "Asia/Kolkata";
    ASSERT_EQ(p.CalculateAspectarian(), RunOutcome::Completed);
    p.RunDataCommand(DataCommand::MoreForward);
    EXPECT_EQ(p.request.txtDay, "17");
    p.RunDataCommand(DataCommand::MoreBackward);
    EXPECT_EQ(p.request.txtDay, "10");
    p.request.timeZone = "UT";
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

namespace novarel {
namespace {

// The Charts menu's Transits on the chart the request names: none chosen
// is said and nothing runs; then the chart of the file, its stations for
// "Retrograde times", and a step forward that runs the transits again.
TEST_F(SessionFixture, TransitsRunStepAndListTheirStations) {
    Program& p = StartReal("2024", "6", "26");
    p.input.SetFullMonth(false);
    p.input.DaysTextChanged("7");
    EXPECT_EQ(p.CalculateTransits(), RunOutcome::InvalidInput);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("Select a chart in the Natal charts"),
              std::string::npos);
    EXPECT_TRUE(pages.texts.empty() || !pages.lastShows("Transits"));

    ASSERT_EQ(SaveChart((dir / std::string(ChartFileName)).string(), test::StoredChart()), "");
    p.request.natalChart = "Stored 1985";
    ASSERT_EQ(p.CalculateTransits(), RunOutcome::Completed);
    EXPECT_TRUE(pages.lastShows("Transits to Stored 1985 - Wednesday, 26 Jun 2024"));
    // Saturn turns retrograde on 29 June at 19:07 UT (swetest's speed changes sign).
    p.RunDataCommand(DataCommand::RetrogradeTimes);
    EXPECT_TRUE(pages.lastShows("Saturn  - 29 Jun 2024 at 19:"));
    p.RunDataCommand(DataCommand::MoreForward);
    EXPECT_TRUE(pages.lastShows("Transits to Stored 1985 - Wednesday, 03 Jul 2024"));
    EXPECT_EQ(input.shownDates.back(), "3/7/2024");
    EXPECT_EQ(messages.messages.size(), 1u);
}

}  // namespace
}  // namespace novarel
