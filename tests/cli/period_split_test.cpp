// A range cut into the periods that run one by one: whole months between a partial first
// and last month, and a refused range that leaves nothing to run.
#include <gtest/gtest.h>

#include "cli/period_runs.h"
#include "core/iso_date.h"

namespace novarel::cli {
namespace {

std::string Listed(const std::vector<Period>& periods) {
    std::string text;
    for (const Period& p : periods)
        text += IsoDateText(p.start) + (p.days ? "+" + std::to_string(*p.days) : "") + " ";
    return text;
}

TEST(PeriodSplit, ARangeIsItsFirstMonthsRestThenWholeMonthsToTheEnd) {
    CommandOptions o;
    o.start = CivilDate{2099, 11, 15};
    o.end = CivilDate{2100, 2, 28};
    std::vector<Period> periods;
    std::string usage = "unchanged";
    ASSERT_TRUE(SplitIntoPeriods(o, periods, usage));
    EXPECT_EQ(Listed(periods), "2099-11-15+16 2099-12-01 2100-01-01 2100-02-01 ");
    EXPECT_EQ(usage, "unchanged");
}

TEST(PeriodSplit, ARefusedRangeLeavesNoPeriods) {
    std::vector<Period> periods{Period{CivilDate{2000, 1, 1}, std::nullopt}};
    std::string usage;
    CommandOptions pastTheLastDay;
    pastTheLastDay.start = CivilDate{2100, 1, 1};
    pastTheLastDay.days = 366;
    EXPECT_FALSE(SplitIntoPeriods(pastTheLastDay, periods, usage));
    EXPECT_NE(usage.find("366 days from 2100-01-01 run past 2100-12-31"), std::string::npos);
    EXPECT_TRUE(periods.empty());

    CommandOptions backwards;
    backwards.start = CivilDate{2020, 3, 1};
    backwards.end = CivilDate{2020, 2, 29};
    usage.clear();
    EXPECT_FALSE(SplitIntoPeriods(backwards, periods, usage));
    EXPECT_NE(usage.find("--end: 2020-02-29 comes before the start 2020-03-01"), std::string::npos);
    EXPECT_TRUE(periods.empty());
}

}  // namespace
}  // namespace novarel::cli
