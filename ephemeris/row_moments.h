#pragma once
// The moments of the ephemeris rows: 0h or 12h UT of each date, or on a
// zone's clock 0:00 or 12:00 local of each local date.
#include "core/calc_request.h"
#include "core/julian_day.h"
#include "core/run_state.h"
#include "core/time_zone.h"
#include "ephemeris/ephemeris_headers.h"

namespace novarel {

struct RowMoment {
    double jdUt = 0;             // the moment the row's columns are computed at
    double centuries = 0;        // Julian centuries from J2000 of that moment
    double siderealSeconds = 0;  // Greenwich sidereal time then, seconds 0..86400
};

// The moment of the row of a date, the state holding the date's Julian Day
// (RowJD) and the time-of-day fraction of the run. A date's 12:00 local is
// 12:00 on the days the clocks change too; a 0:00 the clock jumps over is the
// first moment of the date.
RowMoment RowMomentOf(const RunState& state, const CalcRequest& request, const TimeZone& zone,
                      const CivilDate& date);

// The header of a run on a zone's clock: the first row's moment as its
// Julian Day, and the zone with the abbreviations it uses over the run's
// local dates ('from' to 'to', UT).
void PutOnLocalClock(HeaderLines& header, const CalcRequest& request, const TimeZone& zone,
                     double firstRow, double from, double to);

}  // namespace novarel
