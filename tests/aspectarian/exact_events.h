#pragma once
// Exact event times by a fine search of their own on the library's positions
// (5-minute samples, then bisection to about 0.01 second), to check the
// aspectarian against.
#include <string>
#include <vector>

#include "aspectarian/aspect_event.h"

namespace novarel::test {

constexpr double Second = 1.0 / 86400;

// 0h UT of a civil date.
double Midnight(int year, int month, int day);
// x in [-180, 180).
double Wrap180(double x);
// "yyyy-mm-dd" of the day jd (UT) falls in.
std::string DateOf(double jd);

// Every event of a geocentric tropical run with the true node, as the
// library's positions place it: each crossing of a sign boundary (Sun to
// Pluto), of an aspect angle (every pair of the eleven bodies; the five and
// the minor aspects asked for), of equal or
// opposite declinations, and each turning point of the longitude (Mercury to
// Pluto). A Sun-Moon conjunction, square or opposition is a Lunation.
struct SkyEvent {
    EventKind kind = EventKind::Aspect;
    int body1 = 0;  // BodyIndex; body1 < body2
    int body2 = 0;  // 0 for ingresses and stations
    int aspect = NoAspect;
    int sign = 0;  // ingress: sign entered
    bool retrograde = false;
    double jd = 0;  // the moment, UT
};

// The events in [from, to), by time. Reads the library directly (swe_calc_ut
// on the installed ephemeris files), not through the program's position code.
std::vector<SkyEvent> SweepSky(double from, double to, MinorAspectSet minorAspects = 0);

// Longitude, or declination when equatorial, of a body at jd UT, read
// directly from the library as SweepSky does.
double SkyPosition(int body, double jd, bool equatorial);

// An event line of a report with the moment it names.
struct ReportEvent {
    double jd = 0;
    std::string line;
};
// The event lines of ReportLines; day blocks are counted from firstDayJD (0h UT).
std::vector<ReportEvent> ReportEvents(const std::vector<std::string>& reportLines,
                                      double firstDayJD);

}  // namespace novarel::test
