#pragma once
// One day of the daily ephemeris as data: the tables' rows are renderings of
// these values.
#include "core/julian_day.h"
#include "core/positions.h"

namespace novarel {

struct EphemerisDayRecord {
    CivilDate date;
    double jdUt = 0;             // the row's moment (0h or 12h UT)
    double siderealSeconds = 0;  // Greenwich sidereal time, seconds 0..86400
    Positions positions;
};

}  // namespace novarel
