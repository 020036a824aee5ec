#pragma once
// The header block of the ephemeris tables: lines 0..6 (empty line, title,
// Julian Day line, empty line, column names, rules, units).
#include <array>
#include <string>

#include "core/calc_request.h"
#include "core/locale_names.h"
#include "core/run_state.h"
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

}  // namespace novarel
