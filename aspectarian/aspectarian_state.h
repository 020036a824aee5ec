#pragma once
// State of the aspectarian that outlives one day: the report, the hourly
// samples, the direction flags and the station records that the retrograde
// listing shows.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "aspectarian/aspect_event.h"
#include "core/bodies.h"
#include "core/int_indexed.h"

namespace novarel {

constexpr int MaxStationRecords = 51;
constexpr int SamplesPerDay = 25;  // whole hours 0h..24h UT

// A station of the run, for the retrograde listing.
struct StationRecord {
    int body = 0;          // body index
    int code = 0;          // glyph::StationRetrograde or glyph::StationDirect
    int hour = 0;          // hour UT in which the hourly samples showed the turn
    double dayJD = 0;      // Julian Day of 0h UT of that day
    double hourJD = 0;     // Julian Day of that hour
    double moment = 0;     // the turning point of the longitude, Julian Day UT
    double longitude = 0;  // the body's longitude then
};

struct AspectarianState {
    // The whole report of the last run: 6 title lines, then the day blocks.
    std::vector<std::string> ReportLines;
    // The events of the day being searched, in the order found, and their lines.
    std::vector<AspectEvent> DayEvents;
    std::vector<std::string> EventLines;
    // Every event of the last run in the report's order.
    std::vector<AspectEvent> Events;
    // Bodies 0..11 (0..17 with the extra bodies) by samples 0..25; row 0
    // holds the hour. Declinations hold
    // the ecliptic latitude in a heliocentric run.
    IntIndexed<IntIndexed<double, 26>, BodyRows> HourlyLongitudes{};
    IntIndexed<IntIndexed<double, 26>, BodyRows> HourlyDeclinations{};
    // The library's rates of both, in degrees a day, at the same samples.
    IntIndexed<IntIndexed<double, 26>, BodyRows> HourlyLongitudeRates{};
    IntIndexed<IntIndexed<double, 26>, BodyRows> HourlyDeclinationRates{};
    // 1 direct, 0 retrograde, per body 1..11 (1..17); set at the first sample of a
    // geocentric run and carried from day to day.
    IntIndexed<std::int16_t, BodyRows> DirectionFlags{};
    // Stations of the last run, for the retrograde listing; further stations
    // beyond MaxStationRecords are not recorded.
    std::vector<StationRecord> StationRecords;
    std::int16_t StationCount = 0;
};

}  // namespace novarel
