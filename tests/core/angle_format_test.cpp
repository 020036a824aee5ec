#include "core/angle_format.h"

#include <gtest/gtest.h>

#include "core/glyphs.h"

namespace novarel {
namespace {

std::string Cell(const char* deg, int sign, const char* min) {
    return std::string(" ") + deg + glyph::SignChar(sign) + min + " ";
}

TEST(SplitLongitude, SignsDegreesAndMinutes) {
    auto s = SplitLongitude(0);
    EXPECT_EQ(s.SignNumber, 1);
    EXPECT_EQ(s.SignDegrees, 0);
    EXPECT_EQ(s.ArcMinutes, 0);
    EXPECT_EQ(PositionCell(0), Cell("00", 1, "00.0"));

    s = SplitLongitude(359.999);
    EXPECT_EQ(s.SignNumber, 12);
    EXPECT_EQ(s.SignDegrees, 29);
    EXPECT_NEAR(s.ArcMinutes, 59.94, 1e-9);
    EXPECT_EQ(PositionCell(359.999), Cell("29", 12, "59.9"));

    s = SplitLongitude(29.9999);
    EXPECT_EQ(s.WholeDegrees, 29);
    EXPECT_EQ(s.SignDegrees, 29);
    EXPECT_EQ(PositionCell(29.9999), Cell("00", 2, "00.0"));  // carried into Taurus

    s = SplitLongitude(90.0);
    EXPECT_EQ(s.SignNumber, 4);
    EXPECT_EQ(s.SignDegrees, 0);
    EXPECT_EQ(SplitLongitude(360.5).SignNumber, 13);  // not reduced
    EXPECT_EQ(SplitLongitude(-0.5).SignNumber, 0);
    EXPECT_EQ(PositionCell(45.1216667), Cell("15", 2, "07.3"));
}

TEST(NormalizeDegrees, BothDirections) {
    EXPECT_EQ(NormalizeDegrees(-10), 350);
    EXPECT_EQ(NormalizeDegrees(725), 5);
    EXPECT_EQ(NormalizeDegrees(360), 0);
    EXPECT_EQ(Round2(1.005 + 1e-9), 1.01);
    EXPECT_NEAR(SinDegrees(30), 0.5, 1e-12);
}

TEST(AppendHms, SiderealTimes) {
    std::string line;
    AppendHms(line, 23992.27);
    EXPECT_EQ(line, "    6 39 52.3");
    line.clear();
    AppendHms(line, 67310.54841);
    EXPECT_EQ(line, "   18 41 50.5");
    line.clear();
    AppendHms(line, 86399.99);
    EXPECT_EQ(line, "    0  0  0.0");  // carried through minutes and hours; 24 h is 0 h
    line.clear();
    AppendHms(line, 3599.94);
    EXPECT_EQ(line, "    0 59 59.9");  // rounds to 59.9: nothing to carry
}

TEST(Carry, MinutesThatRoundToSixtyGoIntoTheDegrees) {
    // 359.9999: Pisces 29 60.0 becomes Aries 0 00.0.
    EXPECT_EQ(PositionCell(359.9999), Cell("00", 1, "00.0"));
    EXPECT_EQ(PositionCell(59.9992), Cell("00", 3, "00.0"));
    EXPECT_EQ(PositionCell(59.999), Cell("29", 2, "59.9"));
    // Plain degrees (declination, latitude) go up past 29.
    const LongitudeSplit plain = CarryRoundedMinutes(SplitLongitude(29.9999), 1, DegreeForm::Plain);
    EXPECT_EQ(plain.SignDegrees, 30);
    EXPECT_EQ(plain.ArcMinutes, 0);
    // Two decimals (the SVP) carry only from 59.995 on.
    EXPECT_EQ(
        CarryRoundedMinutes(SplitLongitude(10 + 59.994 / 60), 2, DegreeForm::Signs).SignDegrees,
        10);
    EXPECT_EQ(
        CarryRoundedMinutes(SplitLongitude(10 + 59.996 / 60), 2, DegreeForm::Signs).SignDegrees,
        11);
}

TEST(Carry, SiderealPointAndTrueAyanamsaTexts) {
    // 4 Pisces 59.996 (two decimals) and 23d 59m 59.7s.
    const Nutation n{330 + 4 + 59.996 / 60, 23 + 59.0 / 60 + 59.7 / 3600};
    EXPECT_EQ(SiderealPointText(n), std::string("   SVP = 05") + glyph::SignChar(12) +
                                        "00.00  True Ayanamsa = 24d 00m 00s ");
}

TEST(Carry, SecondsThatRoundToSixtyGoIntoTheMinutesAndHours) {
    ClockFields c = CarryRoundedSeconds({4, 45, 59.5967}, 0);
    EXPECT_EQ(c.hours, 4);
    EXPECT_EQ(c.minutes, 46);
    EXPECT_EQ(c.seconds, 0);
    c = CarryRoundedSeconds({23, 59, 59.96}, 1);
    EXPECT_EQ(c.hours, 0);
    EXPECT_EQ(c.minutes, 0);
    c = CarryRoundedSeconds({11, 23, 59.94}, 1);
    EXPECT_EQ(c.minutes, 23);
    EXPECT_NEAR(c.seconds, 59.94, 1e-12);
}

TEST(AppendRightAscensionHms, NineCharacters) {
    std::string line;
    AppendRightAscensionHms(line, 359.99);
    EXPECT_EQ(line, "23 59 58 ");
    line.clear();
    AppendRightAscensionHms(line, 71.4983197);  // 4h 45m 59.6s
    EXPECT_EQ(line, "04 46 00 ");
    line.clear();
    AppendRightAscensionHms(line, 38.7654145);  // 2h 35m 3.7s
    EXPECT_EQ(line, "02 35 04 ");
}

TEST(FormatDms, DegreesMinutesSeconds) {
    EXPECT_EQ(FormatDms(23.86), "23d 51m 36s ");
    // 24.1 is 24d 06m 00s.
    EXPECT_EQ(FormatDms(24.1), "24d 06m 00s ");
    // 23d 59m 59.6s: the seconds carry through the minutes into the degrees.
    EXPECT_EQ(FormatDms(23 + 59.0 / 60 + 59.6 / 3600), "24d 00m 00s ");
}

TEST(ComputeNutation, SiderealPointAndAyanamsa) {
    OptionValues opt;
    // At 1 January 1900 (T1 = 0) only the constant and the sine terms remain.
    const Nutation n0 = ComputeNutation(-36524.0 / 36525.0, opt);
    EXPECT_NEAR(n0.TrueAyanamsa, 359.116389 - n0.SiderealPoint, 1e-12);
    // T1 = 1 with the sine terms left aside gives 335.2597; the sine terms add
    // at most 18.5 seconds of arc.
    const Nutation n1 = ComputeNutation(1 - 36524.0 / 36525.0, opt);
    EXPECT_NEAR(n1.SiderealPoint, 335.2597, 18.6 / 3600);
    EXPECT_NEAR(n1.TrueAyanamsa, 23.8567, 18.6 / 3600);
    opt[1] = 1;
    opt[2] = 24;
    opt[3] = 6;
    opt[4] = 0;
    EXPECT_NEAR(ComputeNutation(0, opt).TrueAyanamsa, 24.1, 1e-9);
}

}  // namespace
}  // namespace novarel
