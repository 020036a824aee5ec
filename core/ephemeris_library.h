#pragma once
// The seam over the Swiss Ephemeris: the only calls the program makes. One real
// implementation (SweLibrary); tests use recording fakes.
#include <cstdint>
#include <string>

namespace novarel {

namespace swe_flags {
constexpr std::int32_t SwissEphemeris = 2;
constexpr std::int32_t Heliocentric = 8;
constexpr std::int32_t Speed = 256;
constexpr std::int32_t Equatorial = 2048;
constexpr std::int32_t Sidereal = 65536;
}  // namespace swe_flags

namespace swe_sidereal_modes {
constexpr std::int32_t Lahiri = 1;
constexpr std::int32_t Krishnamurti = 5;
}  // namespace swe_sidereal_modes

namespace swe_bodies {
constexpr int Sun = 0;
constexpr int Earth = 14;
constexpr int MeanNode = 10;
constexpr int TrueNode = 11;
}  // namespace swe_bodies

class EphemerisLibrary {
public:
    virtual ~EphemerisLibrary() = default;
    virtual void set_ephe_path(const std::string& path) = 0;
    virtual void set_sid_mode(std::int32_t mode, double t0, double ayan_t0) = 0;
    virtual double deltat(double tjd_ut) = 0;
    // xx receives six values; serr has room for 256 characters.
    virtual std::int32_t calc(double tjd_et, int body, std::int32_t flags, double* xx,
                              char* serr) = 0;
};

}  // namespace novarel
