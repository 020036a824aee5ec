#pragma once
// Angles and times as the fixed-width texts of the tables.
#include <string>

#include "core/option_values.h"

namespace novarel {

constexpr double Pi = 3.14159265358979;

double Round2(double x);
double NormalizeDegrees(double x);
// An angle brought into (-180, 180].
double WrappedDegrees(double x);
// A longitude brought into 0 <= x < 360, even for a value a hair below 0.
double LongitudeIn360(double x);
double Radians(double x);
double SinDegrees(double x);

// A longitude split into sign, degrees within the sign and minutes of arc.
// The input is not reduced: 360 or more gives sign 13, negative sign 0 or less.
struct LongitudeSplit {
    double SignNumber = 0;   // 1 Aries .. 12 Pisces
    double SignDegrees = 0;  // 0..29
    double ArcMinutes = 0;   // 0 <= value < 60
    double WholeMinutes = 0;
    double WholeDegrees = 0;
};
LongitudeSplit SplitLongitude(double angleWork);

// True when a minutes or seconds field of this value, printed with the given
// decimals, would read 60.
bool RoundsToSixty(double value, int decimals);

// How whole degrees take a carried minute: in sign form 30 degrees become 0
// of the next sign (Pisces to Aries); plain degrees simply go up.
enum class DegreeForm { Signs, Plain };

// The split with minutes that print as 60 (at the given decimals) carried:
// minutes 0, one more degree. Other splits are returned unchanged.
LongitudeSplit CarryRoundedMinutes(LongitudeSplit split, int decimals, DegreeForm form);

// Hours, minutes and seconds of a clock or a right ascension.
struct ClockFields {
    double hours = 0;
    double minutes = 0;
    double seconds = 0;
};

// The fields with seconds that print as 60 (at the given decimals) carried:
// seconds 0, then minutes, then hours; 24 h wraps to 0.
ClockFields CarryRoundedSeconds(ClockFields clock, int decimals);

// " dd" + sign glyph + "mm.m" + " ": 9 characters. Minutes that round to 60
// are carried into the degrees and the sign.
std::string PositionCell(double longitude);

// Sidereal time from seconds of time: two blanks, hours, minutes, seconds
// ("    6 39 52.3" for 23992.27 s), seconds that round to 60 carried.
void AppendHms(std::string& line, double seconds);

// Right ascension from degrees: "hh mm ss " (9 characters), carried.
void AppendRightAscensionHms(std::string& line, double degrees);

// "23d 51m 36s " for 23.86; seconds rounded half to even and carried.
std::string FormatDms(double x);

struct Nutation {
    double SiderealPoint = 0;
    double TrueAyanamsa = 0;
};
// Julian centuries from J2000.0 of a day's moment: jd is the day's Julian Day,
// dayFraction 0.5 for noon rows, 0 otherwise.
double CenturiesOf(double jd, double dayFraction);

// The sidereal point and the true ayanamsa for Centuries (from J2000.0);
// option 1 = 1 replaces the ayanamsa by options 2..4 (degrees, minutes, seconds).
Nutation ComputeNutation(double centuries, const OptionValues& options);

// The text appended to the title line of the tables at the first row:
// "   SVP = 05" + sign glyph + "15.58  True Ayanamsa = 23d 51m 36s ".
std::string SiderealPointText(const Nutation& nutation);

}  // namespace novarel
