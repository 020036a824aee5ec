#include "core/angle_format.h"

#include <cmath>

#include "core/fixed_format.h"
#include "core/glyphs.h"
#include "core/start_date.h"

namespace novarel {

double Round2(double x) { return std::floor(x * 100 + 0.5) / 100; }

double NormalizeDegrees(double x) { return x - 360 * std::floor(x / 360); }

double WrappedDegrees(double x) {
    const double d = std::remainder(x, 360.0);
    return d == -180 ? 180 : d;
}

double LongitudeIn360(double x) {
    x = std::fmod(x, 360.0);
    if (x < 0) x += 360;
    return x >= 360 ? 0 : x;
}

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

bool RoundsToSixty(double value, int decimals) {
    // Only values from 59 up can round to 60; the text decides the rest.
    return value >= 59 && value < 61 && FormatFixed(value, 2, decimals).starts_with("60");
}

LongitudeSplit CarryRoundedMinutes(LongitudeSplit s, int decimals, DegreeForm form) {
    if (!RoundsToSixty(s.ArcMinutes, decimals)) return s;
    s.ArcMinutes = 0;
    s.WholeMinutes = 0;
    s.WholeDegrees += 1;
    s.SignDegrees += 1;
    if (form == DegreeForm::Signs && s.SignDegrees >= 30) {
        s.SignDegrees = 0;
        s.SignNumber = s.SignNumber >= 12 ? 1 : s.SignNumber + 1;
    }
    return s;
}

ClockFields CarryRoundedSeconds(ClockFields c, int decimals) {
    if (!RoundsToSixty(c.seconds, decimals)) return c;
    c.seconds = 0;
    c.minutes += 1;
    if (c.minutes >= 60) {
        c.minutes = 0;
        c.hours += 1;
        if (c.hours >= 24) c.hours = 0;
    }
    return c;
}

std::string PositionCell(double longitude) {
    const LongitudeSplit s = CarryRoundedMinutes(SplitLongitude(longitude), 1, DegreeForm::Signs);
    std::string cell = " ";
    cell += FormatFixed(s.SignDegrees, 2, 0);
    cell += glyph::SignChar(static_cast<int>(s.SignNumber));
    cell += FormatFixed(s.ArcMinutes, 2, 1);
    cell += ' ';
    return cell;
}

// A whole number right-aligned in three columns, as PadLeft3(FormatFixed(x, 1, 0))
// writes it; every row has two, so the usual ones are written directly.
static void AppendWholeIn3(std::string& line, double whole) {
    if (!(whole >= 0 && whole < 100 && whole == std::floor(whole))) {
        line += PadLeft3(FormatFixed(whole, 1, 0));
        return;
    }
    const int n = static_cast<int>(whole);
    const char text[3] = {' ', n < 10 ? ' ' : static_cast<char>('0' + n / 10),
                          static_cast<char>('0' + n % 10)};
    line.append(text, 3);
}

void AppendHms(std::string& line, double seconds) {
    line += "  ";
    double work = seconds;
    ClockFields c;
    c.hours = std::floor(work / 3600);
    work -= 3600 * c.hours;
    c.minutes = std::floor(work / 60);
    c.seconds = work - 60 * c.minutes;
    c = CarryRoundedSeconds(c, 1);
    AppendWholeIn3(line, c.hours);
    AppendWholeIn3(line, c.minutes);
    line += PadLeft3(FormatFixed(c.seconds, 1, 1));
}

void AppendRightAscensionHms(std::string& line, double degrees) {
    const double h = degrees / 15;
    const double m = (h - std::floor(h)) * 60;
    const ClockFields c =
        CarryRoundedSeconds({std::floor(h), std::floor(m), (m - std::floor(m)) * 60}, 0);
    line += FormatFixed(c.hours, 2, 0) + " ";
    line += FormatFixed(c.minutes, 2, 0) + " ";
    line += FormatFixed(c.seconds, 2, 0) + " ";
}

std::string FormatDms(double x) {
    double d = std::floor(x);
    double m = std::floor((x - d) * 60);
    double s = RoundHalfEven(((x - d) * 60 - m) * 60);
    if (s >= 60) {
        s = 0;
        m += 1;
        if (m >= 60) {
            m = 0;
            d += 1;
        }
    }
    return FormatFixed(d, 2, 0) + "d " + FormatFixed(m, 2, 0) + "m " + FormatFixed(s, 2, 0) + "s ";
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
    const LongitudeSplit s = CarryRoundedMinutes(
        SplitLongitude(NormalizeDegrees(nutation.SiderealPoint)), 2, DegreeForm::Signs);
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
