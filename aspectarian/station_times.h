#pragma once
// Stations found to the hour, refined to the minute by walking the planet's
// longitude minute by minute over the hour either side.
#include <string>

#include "core/calc_request.h"
#include "core/ephemeris_library.h"
#include "core/positions.h"

namespace novarel {

struct ReversalMinute {
    bool found = false;
    int minute = 0;        // offset from the recorded hour, -59..60
    double longitude = 0;  // the body's longitude at that minute
};

// First minute offset from the recorded hour at which the one-minute step no
// longer shows the old direction (forward before a retrograde station code
// 156, backward before a direct one 171). A step across 0 Aries counts in
// its true direction.
ReversalMinute FindReversalMinute(double recordedHourJD, int body, int stationCode,
                                  const CalcRequest& request, EphemerisLibrary& library,
                                  Positions& positions);

struct StationClock {
    int hour = 0;
    int minute = 0;
    bool previousDay = false;
};

// The last minute that still showed the old direction: the recorded hour plus
// (found minute - 1), borrowing from the hour and from the day.
StationClock ReportedStationTime(int recordedHour, int foundMinute);

// The listing's seven-character planet name of a body index.
std::string StationPlanetName(int body);

}  // namespace novarel
