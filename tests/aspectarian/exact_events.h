#pragma once
// Exact event times by bisection on the library's own positions, to check the
// aspectarian's hourly interpolation against: lunations, Sun ingresses and
// stations (where the longitude speed changes sign).
#include <string>
#include <vector>

#include "core/ephemeris_library.h"

namespace novarel::test {

struct ExactEvent {
    double jd = 0;  // Universal Time
    int kind = 0;   // lunation: Moon-Sun angle 0, 90, 180, 270; ingress: sign entered 1..12
    int body = 0;   // BodyIndex, for stations
    bool turnsRetrograde = false;
};

// Geocentric tropical longitude (degrees) at jd UT.
double Longitude(EphemerisLibrary& lib, double jd, int body);

std::vector<ExactEvent> ExactLunations(EphemerisLibrary& lib, double from, double to);
std::vector<ExactEvent> ExactSunIngresses(EphemerisLibrary& lib, double from, double to);
std::vector<ExactEvent> ExactStations(EphemerisLibrary& lib, int body, double from, double to);

// An event line of a report with the moment it names.
struct ReportEvent {
    double jd = 0;
    std::string line;
};
// The event lines of ReportLines; day blocks are counted from firstDayJD (0h UT).
std::vector<ReportEvent> ReportEvents(const std::vector<std::string>& reportLines,
                                      double firstDayJD);

}  // namespace novarel::test
