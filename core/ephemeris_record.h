#pragma once
// One day of the daily ephemeris as data: the tables' rows are renderings of
// these values.
#include <array>
#include <string>

#include "core/julian_day.h"
#include "core/positions.h"

namespace novarel {

struct EphemerisDayRecord {
    CivilDate date;
    double jdUt = 0;             // the row's moment (0h or 12h UT, or local with a zone)
    double siderealSeconds = 0;  // Greenwich sidereal time, seconds 0..86400
    Positions positions;
    // The day's row of each table (longitude, latitude, right ascension,
    // declination) as the table shows it, in the glyph font's single bytes.
    std::array<std::string, 4> rows;
    // Its row of each second table, of Chiron .. Lilith; empty when the run
    // has the eleven bodies only.
    std::array<std::string, 4> extraRows;
};

}  // namespace novarel
