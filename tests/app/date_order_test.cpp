#include "app/date_order.h"

#include <gtest/gtest.h>

namespace novarel {
namespace {

TEST(DateOrder, FromIniLinesOrTheLocaleFormat) {
    // The last iDate line wins, its key in any case; a value that does not fit gives 0.
    EXPECT_EQ(DateOrderFromIni("[intl]\r\niDate=1\r\n"), 1);
    EXPECT_EQ(DateOrderFromIni("IDATE=1\niDate=2\n"), 2);
    EXPECT_EQ(DateOrderFromIni("iDate=abc"), 0);
    EXPECT_EQ(DateOrderFromIni("iDate=99999"), 0);
    EXPECT_FALSE(DateOrderFromIni(std::string("sDate=/\r\n\0\0", 11)).has_value());

    EXPECT_EQ(DateOrderFromFormat("%m/%d/%y"), 0);  // C and en_US
    EXPECT_EQ(DateOrderFromFormat("%d.%m.%Y"), 1);  // de_DE
    EXPECT_EQ(DateOrderFromFormat("%Y-%m-%d"), 2);  // sv_SE
    EXPECT_EQ(DateOrderFromFormat("%F"), 2);
    EXPECT_EQ(DateOrderFromFormat("garbage"), 0);

    EXPECT_EQ(DetectDateOrder(std::string(NOVAREL_TEST_DATA) + "/intl_idate1.ini"), 1);
    // A missing file or a folder falls back to the locale without a word.
    const auto fallback = DetectDateOrder("");
    EXPECT_EQ(DetectDateOrder("/nonexistent/win.ini"), fallback);
    EXPECT_EQ(DetectDateOrder("/tmp"), fallback);
}

}  // namespace
}  // namespace novarel
