#pragma once
// The four tables of the daily ephemeris, in the order of their data files
// (file 1 longitude, 2 latitude, 3 right ascension, 4 declination).
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc_request.h"
#include "core/run_state.h"

namespace novarel {

enum class EphemerisTable { Longitude, Latitude, RightAscension, Declination };

inline constexpr std::array<EphemerisTable, 4> EphemerisTables = {
    EphemerisTable::Longitude, EphemerisTable::Latitude, EphemerisTable::RightAscension,
    EphemerisTable::Declination};

inline std::size_t FileNumberIndex(EphemerisTable t) { return static_cast<std::size_t>(t); }

// The coordinate code of the data file name.
inline std::string_view TableFileCode(EphemerisTable t) {
    switch (t) {
        case EphemerisTable::Longitude: return "LO";
        case EphemerisTable::Latitude: return "LA";
        case EphemerisTable::RightAscension: return "RA";
        case EphemerisTable::Declination: return "DE";
    }
    return "LO";
}

inline EphemerisTable TableFor(DataOutput output) {
    switch (output) {
        case DataOutput::Longitude: return EphemerisTable::Longitude;
        case DataOutput::Declination: return EphemerisTable::Declination;
        case DataOutput::Latitude: return EphemerisTable::Latitude;
        case DataOutput::RightAscension: return EphemerisTable::RightAscension;
    }
    return EphemerisTable::Longitude;
}

inline std::vector<std::string>& TableLines(RunState& s, EphemerisTable t) {
    switch (t) {
        case EphemerisTable::Longitude: return s.LongitudeTable;
        case EphemerisTable::Latitude: return s.LatitudeTable;
        case EphemerisTable::RightAscension: return s.RightAscensionTable;
        case EphemerisTable::Declination: return s.DeclinationTable;
    }
    return s.LongitudeTable;
}

inline const std::vector<std::string>& TableLines(const RunState& s, EphemerisTable t) {
    return TableLines(const_cast<RunState&>(s), t);
}

}  // namespace novarel
