// Ordering of a day's lines and the two-column page.
#include <gtest/gtest.h>

#include "aspectarian/report_layout.h"

namespace novarel {
namespace {

std::string Event(const std::string& hhmm, const std::string& what) {
    return "  03 May  " + hhmm + "  " + what;
}

TEST(ReportLayout, ExchangeSortByHourAndMinuteIsNotStable) {
    std::vector<std::string> lines = {Event("05:10", "A"), Event("03:00", "B"), Event("05:10", "C"),
                                      Event("01:00", "D")};
    SortEventLinesByTime(lines);
    // A and C share their minute; the exchanges leave C before A.
    const std::vector<std::string> expected = {Event("01:00", "D"), Event("03:00", "B"),
                                               Event("05:10", "C"), Event("05:10", "A")};
    EXPECT_EQ(lines, expected);

    BlankRepeatedDates(lines);
    EXPECT_EQ(lines[0], Event("01:00", "D"));
    EXPECT_EQ(lines[1], "          03:00  B");
    EXPECT_EQ(lines[3], "          05:10  A");
}

TEST(ReportLayout, TwoColumnsPairTheFirstHalfWithTheSecond) {
    std::vector<std::string> report = {"", "  title", "  julian", "", "  Day      h  m",
                                       "  -------------"};
    const std::vector<std::string> days = {
        Event("01:00", "x - Moon ingress"), Event("02:00", "x - planet ingress"),
        Event("03:00", "x +/- up to 1 hour"), "",
        Event("04:00", "x - (New Moon, 10x00.0)"), Event("05:00", "xyz"), ""};
    report.insert(report.end(), days.begin(), days.end());
    const auto out = TwoColumnLines(report);
    ASSERT_EQ(out.size(), 9u);  // 4 title lines, 2 doubled heading lines, 3 rows
    EXPECT_EQ(out[3], "");
    EXPECT_EQ(out[4], "  Day      h  m" + std::string(49, ' ') + "  Day      h  m");
    EXPECT_EQ(out[5], "  -------------" + std::string(49, ' ') + "  -------------");
    auto padded = [](const std::string& s, std::size_t w) { return s + std::string(w - s.size(), ' '); };
    EXPECT_EQ(out[6], padded(days[0], 62) + days[3]);
    EXPECT_EQ(out[7], padded(days[1], 62) + days[4]);
    EXPECT_EQ(out[8], padded(days[2], 62) + days[5]);
    // The last day-block line (the closing empty line) is dropped for an odd count.
    EXPECT_EQ(LeftColumnWidth(""), 64u);
    EXPECT_EQ(LeftColumnWidth(days[4]), 60u);
    EXPECT_EQ(LeftColumnWidth(days[5]), 61u);
}

}  // namespace
}  // namespace novarel
