#include "ephemeris/ephemeris_headers.h"

#include "core/fixed_format.h"
#include "output/generator_run.h"

namespace novarel {
namespace {

constexpr const char* ColumnNames =
    "   Sidereal Time    Sun      Moon     Mercury    Venus     Mars     Jupiter   Saturn    "
    "Uranus    Neptune   Pluto    N.  Node";
constexpr const char* Rules =
    "  ------  ------------- --------  --------  --------  --------  --------  --------  "
    "--------  --------  --------  --------  --------";
// Degree and minute marks are the single-byte codes 186 and 146.
constexpr const char* AngleUnits =
    "            h  m  s      \xBA   \x92     \xBA   \x92     \xBA   \x92     \xBA   \x92     "
    "\xBA   \x92     \xBA   \x92     \xBA   \x92     \xBA   \x92     \xBA   \x92     \xBA   \x92"
    "     \xBA   \x92 ";
constexpr const char* TimeUnits =
    "            h  m  s      h  m  s   h  m  s   h  m  s   h  m  s   h  m  s   h  m  s   "
    "h  m  s   h  m  s   h  m  s   h  m  s   h  m  s";

const char* CoordinateLabel(EphemerisTable t) {
    switch (t) {
        case EphemerisTable::Longitude: return "Long.";
        case EphemerisTable::Latitude: return "Lat. ";
        case EphemerisTable::RightAscension: return "R.A. ";
        case EphemerisTable::Declination: return "Decl.";
    }
    return "Long.";
}

}  // namespace

std::string JulianDayLine(const std::string& julianDay, const CalcRequest& request) {
    return std::string(23, ' ') + "Julian Day = " + julianDay + std::string(7, ' ') +
           (request.optGeo() ? "Geocentric - An '!' symbol instead of a '.' denotes a Rx planet."
                             : "Heliocentric");
}

HeaderLines EphemerisHeaderLines(EphemerisTable table, const RunState& state,
                                 const CalcRequest& request, bool raInHms,
                                 const LocaleNames& names) {
    HeaderLines lines;
    lines[1] = RunTitleLine(state, names, "Ephemeris");
    lines[2] = JulianDayLine(FormatFixed(state.StartJD, 1, 1), request);
    lines[4] = std::string("  ") + CoordinateLabel(table) + ColumnNames;
    lines[5] = Rules;
    lines[6] = (table == EphemerisTable::RightAscension && raInHms) ? TimeUnits : AngleUnits;
    return lines;
}

}  // namespace novarel
