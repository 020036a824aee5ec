// The cells' number texts are those of the general formatter, digit for digit.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "core/vb_format.h"
#include "ephemeris/cell_format.h"

namespace novarel {
namespace {

std::string Fast(double x, int decimals) {
    std::string s = "|";
    AppendFixed2(s, x, decimals);
    return s.substr(1);
}

TEST(CellFormat, SameTextAsTheGeneralFormatter) {
    std::vector<double> values = {0.0,     -0.0,   0.04999999, 0.05,        0.95,       9.95,
                                  59.95,   59.94999999999, 59.9999999, 60.0,      29.9999,    7.25,
                                  0.00390625 /* a tie at the seventh decimal */, 1e-12, 123456.75,
                                  999999999.0, 13.5,  14.4999999999, 0.5, 1.5, 2.5, 99.5};
    // Every boundary of the shown digit, and the doubles beside it.
    for (int k = 0; k <= 600; ++k) {
        for (const double at : {k / 10.0 + 0.05, k / 10.0 + 0.5, k + 0.5}) {
            values.push_back(at);
            values.push_back(std::nextafter(at, 0.0));
            values.push_back(std::nextafter(at, 1e9));
            values.push_back(at - 4e-7);
            values.push_back(at + 4e-7);
        }
    }
    std::mt19937_64 rng(20180503);
    std::uniform_real_distribution<double> minutes(0.0, 60.0), wide(0.0, 1e6);
    for (int i = 0; i < 200000; ++i) values.push_back(minutes(rng));
    for (int i = 0; i < 20000; ++i) values.push_back(wide(rng));
    for (const double x : values) {
        ASSERT_EQ(Fast(x, 1), FormatFixed(x, 2, 1)) << std::hexfloat << x;
        ASSERT_EQ(Fast(x, 0), FormatFixed(x, 2, 0)) << std::hexfloat << x;
    }
    // Outside the fast range the general formatter answers.
    for (const double x : {-1.25, -0.04, 2e9, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(Fast(x, 1), FormatFixed(x, 2, 1));
    EXPECT_EQ(Fast(59.95, 1), "60.0");
    EXPECT_EQ(Fast(7, 0), "07");
    EXPECT_EQ(Fast(123.45, 1), "123.5");
}

}  // namespace
}  // namespace novarel
