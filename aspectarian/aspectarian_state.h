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

struct StationRecord {
    std::array<std::string, 8> field;  // fields 1..7 as number texts; index 0 unused
};

struct AspectarianState {
    std::vector<std::string> ReportLines;
    std::vector<std::string> EventLines;
    // Bodies 0..11 by samples 0..25; row 0 holds the hour.
    std::array<std::array<double, 26>, 12> HourlyLongitudes{};
    std::array<std::array<double, 26>, 12> HourlyDeclinations{};
    std::array<std::int16_t, 12> DirectionFlags{};
    std::vector<StationRecord> StationRecords;  // at most MaxStationRecords
    std::int16_t StationCount = 0;
};

}  // namespace novarel
