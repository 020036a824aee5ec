#include "ephemeris/ephemeris_headers.h"

#include <algorithm>

#include "core/bodies.h"
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

// The columns of the rows: the date ("  dd mmm"), in the first table the
// sidereal time ("  hh mm ss.s"), the gap, then cells ten columns apart,
// each under a rule of eight.
constexpr std::size_t DateWidth = 8;
constexpr std::size_t SiderealWidth = 13;
constexpr std::size_t CellPitch = 10;
constexpr std::string_view CellRule = "--------";

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
    lines[1] = RunTitleLine(state, request, names, "Ephemeris");
    lines[2] = JulianDayLine(FormatFixed(state.StartJD, 1, 1), request);
    lines[4] = std::string("  ") + CoordinateLabel(table) + ColumnNames;
    lines[5] = Rules;
    lines[6] = (table == EphemerisTable::RightAscension && raInHms) ? TimeUnits : AngleUnits;
    return lines;
}

std::array<std::string, 3> SecondTableHeading(EphemerisTable table, const HeaderLines& first,
                                              TableBodies bodies, bool raInHms) {
    const std::size_t gap = CellGap(table, raInHms).size();
    const std::size_t modelCell = DateWidth + SiderealWidth + gap;  // the first table's first cell
    const std::size_t start = DateWidth + gap;
    const std::size_t width = start + bodies.count() * CellPitch - 1;
    const auto cellSlice = [modelCell](const std::string& line) {
        std::string slice = line.substr(std::min(modelCell, line.size()), CellPitch);
        slice.resize(CellPitch, ' ');
        return slice;
    };
    // The names stand over the rules, an odd blank on the left, as "Venus" does.
    const std::size_t rule = cellSlice(first[5]).find(CellRule);
    std::array<std::string, 3> lines;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::string& model = first[4 + k];
        std::string& line = lines[k];
        line = model.substr(0, DateWidth);
        line.resize(start, ' ');
        for (int b = bodies.first; b <= bodies.last; ++b) {
            if (k > 0) {
                line += cellSlice(model);
                continue;
            }
            const std::string_view name = Body(b).name;
            std::string cell(CellPitch, ' ');
            cell.replace(rule + (CellRule.size() - name.size() + 1) / 2, name.size(), name);
            line += cell;
        }
        line.resize(width, ' ');
    }
    return lines;
}

}  // namespace novarel
