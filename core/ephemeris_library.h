#pragma once
// The seam over the Swiss Ephemeris: the only calls the program makes. One real
// implementation (SweLibrary); tests use recording fakes.
#include <cstdint>
#include <string>

namespace novarel {

namespace swe_flags {
constexpr std::int32_t SwissEphemeris = 2;
constexpr std::int32_t AnalyticEphemeris = 4;  // the library's built-in fallback
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

namespace swe_eclipse_types {
constexpr std::int32_t Any = 0;  // every type, penumbral lunar eclipses included
// Bits of the type an eclipse search returns.
constexpr std::int32_t Total = 4;
constexpr std::int32_t Annular = 8;
constexpr std::int32_t Partial = 16;
constexpr std::int32_t Hybrid = 32;  // annular along part of its path, total along the rest
constexpr std::int32_t Penumbral = 64;
}  // namespace swe_eclipse_types

// What a library call returns on failure; serr then holds its text.
constexpr std::int32_t SweError = -1;

class EphemerisLibrary {
public:
    virtual ~EphemerisLibrary() = default;
    virtual void set_ephe_path(const std::string& path) = 0;
    virtual void set_sid_mode(std::int32_t mode, double t0, double ayan_t0) = 0;
    virtual double deltat(double tjd_ut) = 0;
    // xx receives six values; serr has room for 256 characters.
    virtual std::int32_t calc(double tjd_et, int body, std::int32_t flags, double* xx,
                              char* serr) = 0;
    // Next solar eclipse anywhere on Earth from tjd_start (UT): tret receives
    // ten values, tret[0] the moment of greatest eclipse. Returns the eclipse
    // type, 0 when none, SweError with serr on failure.
    virtual std::int32_t sol_eclipse_when_glob(double tjd_start, std::int32_t flags,
                                               std::int32_t types, double* tret, bool backward,
                                               char* serr) = 0;
    // Next lunar eclipse from tjd_start (UT); as sol_eclipse_when_glob.
    virtual std::int32_t lun_eclipse_when(double tjd_start, std::int32_t flags, std::int32_t types,
                                          double* tret, bool backward, char* serr) = 0;
    // Where on Earth a solar eclipse is greatest at tjd_ut: geopos receives ten
    // values, attr twenty, attr[0] the fraction of the Sun's diameter covered.
    // Returns the eclipse type, 0 when there is none, SweError with serr.
    virtual std::int32_t sol_eclipse_where(double tjd_ut, std::int32_t flags, double* geopos,
                                           double* attr, char* serr) = 0;
    // A lunar eclipse at tjd_ut seen from geopos (three values): attr receives
    // twenty values, attr[0] the umbral magnitude, attr[1] the penumbral one.
    // Returns as sol_eclipse_where.
    virtual std::int32_t lun_eclipse_how(double tjd_ut, std::int32_t flags, double* geopos,
                                         double* attr, char* serr) = 0;
    // The houses of a place at tjd_ut (UT), latitude and longitude in degrees
    // (north and east positive): cusps receives 13 values, ascmc ten,
    // ascmc[0] the Ascendant and ascmc[1] the Midheaven. flags 0 or
    // swe_flags::Sidereal. Returns 0, or SweError with serr.
    virtual std::int32_t houses_ex(double /*tjd_ut*/, std::int32_t /*flags*/, double /*geolat*/,
                                   double /*geolon*/, int /*hsys*/, double* /*cusps*/,
                                   double* /*ascmc*/, char* serr) {
        serr[0] = '\0';
        return SweError;
    }
    // The library's version text, e.g. "2.10.03"; empty when unknown.
    virtual std::string version() { return {}; }
};

}  // namespace novarel
