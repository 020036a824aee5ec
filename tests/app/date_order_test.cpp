#include <gtest/gtest.h>

#include "app/date_order.h"
#include "app/days_box.h"

namespace novarel {
namespace {

TEST(DateOrder, IniLinesLastOneWinsKeyCaseIgnored) {
    EXPECT_EQ(DateOrderFromIni("[intl]\r\niDate=1\r\n"), 1);
    EXPECT_EQ(DateOrderFromIni("IDATE=2\r\n"), 2);
    EXPECT_EQ(DateOrderFromIni("iDate=1\niDate=2\n"), 2);
    EXPECT_EQ(DateOrderFromIni("iDate=1 x"), 1);
    EXPECT_EQ(DateOrderFromIni("iDate=abc"), 0);
    EXPECT_EQ(DateOrderFromIni("iDate=99999"), 0);  // does not fit: no order
    EXPECT_FALSE(DateOrderFromIni("sDate=/\r\n").has_value());
    EXPECT_FALSE(DateOrderFromIni(std::string("\0\0\0", 3)).has_value());
}

TEST(DateOrder, FromLocaleDateFormats) {
    EXPECT_EQ(DateOrderFromFormat("%m/%d/%y"), 0);  // C and en_US
    EXPECT_EQ(DateOrderFromFormat("%d.%m.%Y"), 1);  // de_DE
    EXPECT_EQ(DateOrderFromFormat("%d/%m/%y"), 1);  // en_GB
    EXPECT_EQ(DateOrderFromFormat("%Y-%m-%d"), 2);  // sv_SE
    EXPECT_EQ(DateOrderFromFormat("%F"), 2);
    EXPECT_EQ(DateOrderFromFormat("%D"), 0);
    EXPECT_EQ(DateOrderFromFormat("garbage"), 0);
}

TEST(DateOrder, DetectPrefersTheIniFile) {
    EXPECT_EQ(DetectDateOrder(std::string(NOVAREL_TEST_DATA) + "/intl_idate1.ini"), 1);
    // A missing file or a folder falls back to the locale without a word.
    const auto fallback = DetectDateOrder("");
    EXPECT_EQ(DetectDateOrder("/nonexistent/win.ini"), fallback);
    EXPECT_EQ(DetectDateOrder("/tmp"), fallback);
}

TEST(DaysBox, CorrectionRules) {
    EXPECT_EQ(CorrectDaysText("30").days, 30);
    EXPECT_EQ(CorrectDaysText("").text, "1");
    EXPECT_EQ(CorrectDaysText("0").text, "1");
    EXPECT_EQ(CorrectDaysText("abc").days, 1);
    EXPECT_EQ(CorrectDaysText("400").text, "366");
    EXPECT_EQ(CorrectDaysText("99999999999999999999").days, 366);
    EXPECT_EQ(CorrectDaysText("366").days, 366);
}

}  // namespace
}  // namespace novarel
