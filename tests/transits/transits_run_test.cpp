// A run of transits as the Data window gets it: the listing's lines against
// the events, the data file, and the chart of a run when none or a given one
// is chosen.
#include <gtest/gtest.h>

#include "core/glyphs.h"
#include "tests/ephemeris/generator_rig.h"
#include "tests/transits/stored_chart.h"
#include "transits/transit_lines.h"
#include "transits/transits_generator.h"

namespace novarel {
namespace {

// Two days from 25 September 2024 with the data file asked for.
struct TwoDays : ::testing::Test {
    test::TempFolder folder;
    test::GeneratorRig rig{nullptr, folder.str()};
    TransitsState transits;
    RunOutcome Run(const NatalChart& chart) {
        rig.Request("2024", "9", "25", 2);
        RunContext ctx = rig.context();
        return GenerateTransits(ctx, transits, chart);
    }
};

TEST_F(TwoDays, EachEventHasItsLineAndTheDataFileHoldsThePage) {
    rig.request.chkSaveData = true;
    ASSERT_EQ(Run(test::StoredChart()), RunOutcome::Completed);
    const std::vector<std::string>& lines = transits.ReportLines;
    std::vector<std::string> eventLines;
    for (std::size_t k = 8; k < lines.size(); ++k)
        if (!lines[k].empty()) eventLines.push_back(lines[k]);
    ASSERT_EQ(eventLines.size(), transits.Events.size());
    for (std::size_t k = 0; k < eventLines.size(); ++k) {
        const TransitEvent& e = transits.Events[k];
        // The line's clock is the event's minute; aspects name their point.
        EXPECT_EQ(eventLines[k].substr(10, 5), ClockText(e.event.hour, e.event.minute));
        if (e.event.kind == EventKind::Aspect) {
            EXPECT_NE(eventLines[k].find(" natal "), std::string::npos) << eventLines[k];
        }
        if (k > 0) {
            EXPECT_LE(transits.Events[k - 1].event.moment, e.event.moment + 1.0 / 24);
        }
    }
    std::string page;
    for (const std::string& line : lines) page += line + "\r\n";
    EXPECT_EQ(test::ReadBytes(folder.file("240925TR.TEG")), page);
    ASSERT_GT(rig.buffer.PageLines().size(), 1u);
    EXPECT_EQ(rig.buffer.PageLines()[1], lines[1]);
}

TEST_F(TwoDays, ChartOfRunIsTheGivenOneElseTheChosenOneOfTheFile) {
    RunOutcome outcome = RunOutcome::Completed;
    CalcRequest request;
    EXPECT_FALSE(ChartOfRun(transits, request, folder.file("none.json"), rig.messages, outcome));
    EXPECT_EQ(outcome, RunOutcome::InvalidInput);
    ASSERT_EQ(rig.messages.messages.size(), 1u);
    EXPECT_EQ(rig.messages.messages[0].text,
              "No natal chart is chosen: choose one under Charts > Natal charts.");
    transits.givenChart = test::StoredChart();
    const auto chart =
        ChartOfRun(transits, request, folder.file("none.json"), rig.messages, outcome);
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->name, "Stored 1985");
    EXPECT_EQ(rig.messages.messages.size(), 1u);
}

TEST_F(TwoDays, AChartWithAProblemIsSaidAndNothingRuns) {
    NatalChart chart = test::StoredChart();
    chart.timeZone = "Mars/Olympus";
    EXPECT_EQ(Run(chart), RunOutcome::InvalidInput);
    ASSERT_EQ(rig.messages.messages.size(), 1u);
    EXPECT_NE(rig.messages.messages[0].text.find("Mars/Olympus"), std::string::npos);
    EXPECT_TRUE(transits.ReportLines.empty());
    ASSERT_FALSE(rig.progress.events.empty());
    EXPECT_EQ(rig.progress.events.back(), "normal");
}

}  // namespace
}  // namespace novarel
