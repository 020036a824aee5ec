#pragma once
// The header block of the ephemeris tables: lines 0..6 (empty line, title,
// Julian Day line, empty line, column names, rules, units), and the heading
// of the second table that the extra bodies add below the first.
#include <array>
#include <string>

#include "core/calc_request.h"
#include "core/locale_names.h"
#include "core/run_state.h"
#include "ephemeris/ephemeris_rows.h"
#include "ephemeris/ephemeris_tables.h"

namespace novarel {

using HeaderLines = std::array<std::string, HeaderLineCount + 1>;

// The header of one table after the start date has been read. The title
// names the day the run really starts on: a typed 31 February is carried
// into March by the Julian Day, and so is the title.
HeaderLines EphemerisHeaderLines(EphemerisTable table, const RunState& state,
                                 const CalcRequest& request, bool raInHms,
                                 const LocaleNames& names);

// Line 2: the Julian Day as written, then the centre.
std::string JulianDayLine(const std::string& julianDay, const CalcRequest& request);
// The heading of the second table (Chiron .. Lilith) of one view: its column
// names, rules and units, made from the first table's (`first`) as its rows
// are made from the first table's rows: the date column, no sidereal time,
// the same gap, and over each cell the names centred, the rules and the
// units as the first table has them over its cells. Every line is as wide
// as the rows.
std::array<std::string, 3> SecondTableHeading(EphemerisTable table, const HeaderLines& first,
                                              TableBodies bodies, bool raInHms);

}  // namespace novarel
