#include "core/angle_format.h"

#include <gtest/gtest.h>

#include "core/glyphs.h"

namespace novarel {
namespace {

std::string Cell(const char* deg, int sign, const char* min) {
    return std::string(" ") + deg + glyph::SignChar(sign) + min + " ";
}

// Minutes that round to sixty go into the degrees, and past 29 into the next sign.
TEST(PositionCell, DegreesSignAndTenthsOfAMinute) {
    struct Shown {
        double longitude;
        const char* degrees;
        int sign;
        const char* minutes;
    };
    for (const Shown& c : {Shown{0, "00", 1, "00.0"}, Shown{359.999, "29", 12, "59.9"},
                           Shown{29.9999, "00", 2, "00.0"},  // carried into Taurus
                           Shown{45.1216667, "15", 2, "07.3"},
                           Shown{359.9999, "00", 1, "00.0"},  // Pisces 29 60.0 is Aries 0 00.0
                           Shown{59.9992, "00", 3, "00.0"}, Shown{59.999, "29", 2, "59.9"}})
        EXPECT_EQ(PositionCell(c.longitude), Cell(c.degrees, c.sign, c.minutes)) << c.longitude;
}

TEST(AppendHms, SiderealTimesAndRightAscensions) {
    for (const auto& [seconds, text] :
         {std::pair{23992.27, "    6 39 52.3"},
          {67310.54841, "   18 41 50.5"},
          {86399.99, "    0  0  0.0"},    // carried through minutes and hours; 24 h is 0 h
          {3599.94, "    0 59 59.9"}}) {  // rounds to 59.9: nothing to carry
        std::string line;
        AppendHms(line, seconds);
        EXPECT_EQ(line, text) << seconds;
    }
    for (const auto& [degrees, text] : {std::pair{359.99, "23 59 58 "},
                                        {71.4983197, "04 46 00 "},     // 4h 45m 59.6s
                                        {38.7654145, "02 35 04 "}}) {  // 2h 35m 3.7s
        std::string line;
        AppendRightAscensionHms(line, degrees);
        EXPECT_EQ(line, text) << degrees;
    }
}

// Plain degrees (declination, latitude) go up past 29; two decimals (the
// SVP) carry only from 59.995 on, as its text below shows.
TEST(Carry, MinutesThatRoundToSixtyGoIntoTheDegrees) {
    const LongitudeSplit plain = CarryRoundedMinutes(SplitLongitude(29.9999), 1, DegreeForm::Plain);
    EXPECT_EQ(plain.SignDegrees, 30);
    EXPECT_EQ(plain.ArcMinutes, 0);
    EXPECT_EQ(
        CarryRoundedMinutes(SplitLongitude(10 + 59.994 / 60), 2, DegreeForm::Signs).SignDegrees,
        10);
}

TEST(Carry, SiderealPointAndTrueAyanamsaTexts) {
    // 4 Pisces 59.996 (two decimals) and 23d 59m 59.7s.
    const Nutation n{330 + 4 + 59.996 / 60, 23 + 59.0 / 60 + 59.7 / 3600};
    EXPECT_EQ(SiderealPointText(n), std::string("   SVP = 05") + glyph::SignChar(12) +
                                        "00.00  True Ayanamsa = 24d 00m 00s ");
}

// The computed SVP and ayanamsa are in the header of every golden case
// (tests/data/ephemeris); a fixed ayanamsa from the options file is not.
TEST(ComputeNutation, FixedAyanamsaFromTheOptions) {
    OptionValues opt;
    opt[1] = 1;
    opt[2] = 24;
    opt[3] = 6;
    opt[4] = 0;
    EXPECT_NEAR(ComputeNutation(0, opt).TrueAyanamsa, 24.1, 1e-9);
}

}  // namespace
}  // namespace novarel
