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
    EXPECT_EQ(PositionCell(29.9999), Cell("29", 1, "60.0"));  // not carried

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
    EXPECT_EQ(line, "   23 59 60.0");
}

TEST(AppendRightAscensionHms, NineCharacters) {
    std::string line;
    AppendRightAscensionHms(line, 359.99);
    EXPECT_EQ(line, "23 59 58 ");
    line.clear();
    AppendRightAscensionHms(line, 38.7654145);  // 2h 35m 3.7s
    EXPECT_EQ(line, "02 35 04 ");
}

TEST(FormatDms, DegreesMinutesSeconds) {
    EXPECT_EQ(FormatDms(23.86), "23d 51m 36s ");
    // 24.1 is 24d 06m 00s.
    EXPECT_EQ(FormatDms(24.1), "24d 06m 00s ");
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
