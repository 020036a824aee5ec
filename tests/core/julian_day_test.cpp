#include "core/julian_day.h"

#include <gtest/gtest.h>

#include "core/run_state.h"
#include "core/start_date.h"

namespace novarel {
namespace {

TEST(CalendarToJulianDay, KnownDays) {
    EXPECT_EQ(CalendarToJulianDay(2000, 1, 1), 2451545);
    EXPECT_EQ(CalendarToJulianDay(1800, 1, 1), 2378497);
    EXPECT_EQ(CalendarToJulianDay(2100, 12, 31), 2488434);
    EXPECT_EQ(CalendarToJulianDay(2016, 2, 29), 2457448);
    // 31 February carries into March.
    EXPECT_EQ(CalendarToJulianDay(2018, 2, 31), 2458181);
    EXPECT_EQ(CalendarToJulianDay(2018, 3, 3), 2458181);
}

TEST(JulianDayToDateText, OrdersAndRoundTrip) {
    // The orders themselves are the table of DateTexts below.
    RunState s;
    s.DateJD = 2451545.5;
    s.DateOrder = 1;
    JulianDayToDateText(s);
    EXPECT_EQ(s.DateText, "02/01/2000");
    // Every day of the accepted range converts back to itself.
    for (double jd = CalendarToJulianDay(1800, 1, 1); jd <= CalendarToJulianDay(2100, 12, 31);
         jd += 1) {
        const CivilDate d = JulianDayToCivil(jd);
        ASSERT_EQ(CalendarToJulianDay(d.year, d.month, d.day), jd);
    }
}

TEST(DateTexts, ParseAndFormatInEveryOrder) {
    CivilDate d;
    ASSERT_TRUE(ParseDateText("2018/5/3", 2, d));
    EXPECT_EQ(d.year, 2018);
    EXPECT_EQ(d.month, 5);
    EXPECT_EQ(d.day, 3);
    ASSERT_TRUE(ParseDateText("03/05/2018", 1, d));
    EXPECT_EQ(d.month, 5);
    ASSERT_TRUE(ParseDateText("5/3/2018", 0, d));
    EXPECT_EQ(d.day, 3);
    EXPECT_FALSE(ParseDateText("2018/5", 2, d));
    EXPECT_FALSE(ParseDateText("2018/x/3", 2, d));
    EXPECT_FALSE(ParseDateText("", 2, d));
    // Each order reads back what it writes; a stored number other than 1 or 2
    // is month-day-year.
    struct Order {
        std::int16_t stored;
        const char* text;
        const char* stem;
    };
    for (const Order& o : {Order{0, "05/03/2018", "mmddyy"}, Order{1, "03/05/2018", "ddmmyy"},
                           Order{2, "2018/05/03", "yymmdd"}, Order{7, "05/03/2018", "mmddyy"}}) {
        EXPECT_EQ(CivilToDateText(CivilDate{2018, 5, 3}, o.stored), o.text);
        EXPECT_EQ(StemPattern(o.stored), o.stem);
        ASSERT_TRUE(ParseDateText(o.text, o.stored, d)) << o.stored;
        EXPECT_EQ(d.year * 10000 + d.month * 100 + d.day, 20180503) << o.stored;
    }

    // Names, days and file stems are in every golden page and file name; the
    // weekday number is not.
    const LocaleNames en = LocaleNames::English();
    EXPECT_EQ(FormatDate(CivilDate{2018, 5, 6}, "w", en), "1");  // a Sunday
    EXPECT_EQ(FormatDate(CivilDate{2018, 5, 5}, "w", en), "7");
}

}  // namespace
}  // namespace novarel
