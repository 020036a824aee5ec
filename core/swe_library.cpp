#include "core/swe_library.h"

#include <swephexp.h>

#include <vector>

namespace novarel {

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

std::string EphemerisPathFor(const std::string& programDirectory) {
    return programDirectory + ":/usr/share/libswe/ephe";
}

}  // namespace novarel
