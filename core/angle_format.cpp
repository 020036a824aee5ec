#include "core/angle_format.h"

#include <cmath>

#include "core/fixed_format.h"
#include "core/glyphs.h"
#include "core/start_date.h"

namespace novarel {

double Round2(double x) { return std::floor(x * 100 + 0.5) / 100; }

double NormalizeDegrees(double x) { return x - 360 * std::floor(x / 360); }

double Radians(double x) { return x * Pi / 180; }

double SinDegrees(double x) { return std::sin(Radians(x)); }

LongitudeSplit SplitLongitude(double angleWork) {
    LongitudeSplit s;
    s.WholeDegrees = std::floor(angleWork);
    s.SignNumber = std::floor(s.WholeDegrees / 30) + 1;
    s.SignDegrees =
        std::floor(Round2((s.WholeDegrees / 30 - std::floor(s.WholeDegrees / 30)) * 30));
    s.ArcMinutes = (angleWork - s.WholeDegrees) * 60;
    s.WholeMinutes = std::floor(s.ArcMinutes);
    return s;
}

std::string PositionCell(double longitude) {
    const LongitudeSplit s = SplitLongitude(longitude);
    std::string cell = " ";
    cell += FormatFixed(s.SignDegrees, 2, 0);
    cell += glyph::SignChar(static_cast<int>(s.SignNumber));
    cell += FormatFixed(s.ArcMinutes, 2, 1);
    cell += ' ';
    return cell;
}

void AppendHms(std::string& line, double seconds) {
    line += "  ";
    double work = seconds;
    const double h = std::floor(work / 3600);
    line += PadLeft3(FormatFixed(h, 1, 0));
    work -= 3600 * h;
    const double m = std::floor(work / 60);
    line += PadLeft3(FormatFixed(m, 1, 0));
    work -= 60 * m;
    line += PadLeft3(FormatFixed(work, 1, 1));
}

void AppendRightAscensionHms(std::string& line, double degrees) {
    const double h = degrees / 15;
    line += FormatFixed(std::floor(h), 2, 0) + " ";
    const double m = (h - std::floor(h)) * 60;
    line += FormatFixed(std::floor(m), 2, 0) + " ";
    const double s = (m - std::floor(m)) * 60;
    line += FormatFixed(s, 2, 0) + " ";
}

std::string FormatDms(double x) {
    const double d = std::floor(x);
    const double m = (x - d) * 60;
    const double s = (m - std::floor(m)) * 60;
    return FormatFixed(d, 2, 0) + "d " + FormatFixed(std::floor(m), 2, 0) + "m " +
           FormatFixed(RoundHalfEven(s), 2, 0) + "s ";
}

double CenturiesOf(double jd, double dayFraction) {
    return (jd - 2451545.0 + dayFraction - 0.5) / 36525;
}

Nutation ComputeNutation(double centuries, const OptionValues& options) {
    const double t1 = centuries + 36524.0 / 36525.0;
    const double L = 279.696678 + 36000.768925 * t1 + 0.0003025 * t1 * t1;
    const double omega =
        259.183275 - 1934.142008 * t1 + 0.002078 * t1 * t1 + 0.0000022 * t1 * t1 * t1;
    Nutation n;
    n.SiderealPoint = NormalizeDegrees((17.2327 * SinDegrees(omega) + 1.273 * SinDegrees(2 * L) -
                                        5025.64 * t1 - 1.11 * t1 * t1 - 84038.27) /
                                       3600);
    n.TrueAyanamsa = 359.116389 - n.SiderealPoint;
    if (options.FixedAyanamsa()) n.TrueAyanamsa = options.FixedAyanamsaDegrees();
    return n;
}

std::string SiderealPointText(const Nutation& nutation) {
    const LongitudeSplit s = SplitLongitude(NormalizeDegrees(nutation.SiderealPoint));
    std::string text = "   SVP =";
    text += " ";
    text += FormatFixed(s.SignDegrees, 2, 0);
    text += glyph::SignChar(static_cast<int>(s.SignNumber));
    text += FormatFixed(s.ArcMinutes, 2, 2);
    text += "  True Ayanamsa = ";
    text += FormatDms(NormalizeDegrees(nutation.TrueAyanamsa));
    return text;
}

}  // namespace novarel
