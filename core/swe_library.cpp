#include "core/swe_library.h"

#include <swephexp.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>

#include "core/positions.h"

namespace novarel {

// The seam mirrors the library's numbers so that the logic builds without its
// header; the build stops if they ever drift apart.
static_assert(swe_flags::SwissEphemeris == SEFLG_SWIEPH);
static_assert(swe_flags::Heliocentric == SEFLG_HELCTR);
static_assert(swe_flags::Speed == SEFLG_SPEED);
static_assert(swe_flags::Equatorial == SEFLG_EQUATORIAL);
static_assert(swe_flags::Sidereal == SEFLG_SIDEREAL);
static_assert(swe_sidereal_modes::Lahiri == SE_SIDM_LAHIRI);
static_assert(swe_sidereal_modes::Krishnamurti == SE_SIDM_KRISHNAMURTI);
static_assert(swe_bodies::Sun == SE_SUN);
static_assert(swe_bodies::Earth == SE_EARTH);
static_assert(swe_bodies::MeanNode == SE_MEAN_NODE);
static_assert(swe_bodies::TrueNode == SE_TRUE_NODE);
// Body indexes Moon .. Pluto are the library's numbers plus one.
static_assert(Moon - 1 == SE_MOON && Pluto - 1 == SE_PLUTO);

SweLibrary::~SweLibrary() { swe_close(); }

void SweLibrary::set_ephe_path(const std::string& path) {
    // swe_set_ephe_path keeps a copy, but older versions take a non-const char*.
    std::vector<char> buf(path.begin(), path.end());
    buf.push_back('\0');
    swe_set_ephe_path(buf.data());
}

void SweLibrary::set_sid_mode(std::int32_t mode, double t0, double ayan_t0) {
    swe_set_sid_mode(mode, t0, ayan_t0);
}

double SweLibrary::deltat(double tjd_ut) { return swe_deltat(tjd_ut); }

std::int32_t SweLibrary::calc(double tjd_et, int body, std::int32_t flags, double* xx, char* serr) {
    return swe_calc(tjd_et, body, flags, xx, serr);
}

std::int32_t SweLibrary::sol_eclipse_when_glob(double tjd_start, std::int32_t flags,
                                               std::int32_t types, double* tret, bool backward,
                                               char* serr) {
    return swe_sol_eclipse_when_glob(tjd_start, flags, types, tret, backward ? 1 : 0, serr);
}

std::int32_t SweLibrary::lun_eclipse_when(double tjd_start, std::int32_t flags, std::int32_t types,
                                          double* tret, bool backward, char* serr) {
    return swe_lun_eclipse_when(tjd_start, flags, types, tret, backward ? 1 : 0, serr);
}

std::string SweLibrary::version() {
    std::array<char, 256> text{};
    return swe_version(text.data());
}

std::string EphemerisPathFor(const std::string& programDirectory) {
    return programDirectory + ":/usr/share/libswe/ephe";
}

std::string EphemerisFolderInUse(const std::string& ephemerisPath) {
    std::size_t begin = 0;
    while (begin <= ephemerisPath.size()) {
        const std::size_t end = std::min(ephemerisPath.find(':', begin), ephemerisPath.size());
        const std::string folder = ephemerisPath.substr(begin, end - begin);
        std::error_code ec;
        for (std::filesystem::directory_iterator it(folder, ec), last;
             !folder.empty() && !ec && it != last; it.increment(ec))
            if (it->path().extension() == ".se1") return folder;
        begin = end + 1;
    }
    return {};
}

}  // namespace novarel
