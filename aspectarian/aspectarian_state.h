#pragma once
// State of the aspectarian that outlives one day: the report, the hourly
// samples, the direction flags and the station records that the retrograde
// listing refines.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace novarel {

constexpr int MaxStationRecords = 51;
constexpr int SamplesPerDay = 25;  // whole hours 0h..24h UT

// A station found to the hour. Field 1: date text, hour and body glyph
// ("2018/03/22  23:00  " + glyph); 2: a tenth of the day's last-sample
// centuries; 3: unused; 4: body index; 5: station code (156 or 171);
// 6: Julian Day of 0h UT of the day; 7: Julian Day of the station hour.
// Numbers are kept as number texts (" 2458199.5").
struct StationRecord {
    std::array<std::string, 8> field;  // fields 1..7; index 0 unused
};

struct AspectarianState {
    // The whole report of the last run: 6 title lines, then the day blocks.
    std::vector<std::string> ReportLines;
    // The events of the day being searched, in the order found.
    std::vector<std::string> EventLines;
    // Bodies 0..11 by samples 0..25; row 0 holds the hour. Declinations hold
    // the ecliptic latitude in a heliocentric run.
    std::array<std::array<double, 26>, 12> HourlyLongitudes{};
    std::array<std::array<double, 26>, 12> HourlyDeclinations{};
    // 1 direct, 0 retrograde, per body 1..11; set at the first sample of a
    // geocentric run and carried from day to day.
    std::array<std::int16_t, 12> DirectionFlags{};
    // Stations of the last run, for the retrograde listing; further stations
    // beyond MaxStationRecords are not recorded.
    std::vector<StationRecord> StationRecords;
    std::int16_t StationCount = 0;
};

}  // namespace novarel
