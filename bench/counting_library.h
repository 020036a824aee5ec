#pragma once
// The library with a count of the calls made through it, to report beside
// the time a run takes.
#include "core/ephemeris_library.h"

namespace novarel::bench {

class CountingLibrary final : public EphemerisLibrary {
public:
    explicit CountingLibrary(EphemerisLibrary& library) : library_(library) {}
    void set_ephe_path(const std::string& path) override { library_.set_ephe_path(path); }
    void set_sid_mode(std::int32_t mode, double t0, double ayan_t0) override {
        library_.set_sid_mode(mode, t0, ayan_t0);
    }
    double deltat(double tjd_ut) override {
        ++deltatCalls;
        return library_.deltat(tjd_ut);
    }
    std::int32_t calc(double tjd_et, int body, std::int32_t flags, double* xx,
                      char* serr) override {
        ++calcCalls;
        return library_.calc(tjd_et, body, flags, xx, serr);
    }
    std::int32_t sol_eclipse_when_glob(double tjd_start, std::int32_t flags, std::int32_t types,
                                       double* tret, bool backward, char* serr) override {
        ++eclipseCalls;
        return library_.sol_eclipse_when_glob(tjd_start, flags, types, tret, backward, serr);
    }
    std::int32_t lun_eclipse_when(double tjd_start, std::int32_t flags, std::int32_t types,
                                  double* tret, bool backward, char* serr) override {
        ++eclipseCalls;
        return library_.lun_eclipse_when(tjd_start, flags, types, tret, backward, serr);
    }
    std::int32_t sol_eclipse_where(double tjd_ut, std::int32_t flags, double* geopos, double* attr,
                                   char* serr) override {
        ++eclipseCalls;
        return library_.sol_eclipse_where(tjd_ut, flags, geopos, attr, serr);
    }
    std::int32_t lun_eclipse_how(double tjd_ut, std::int32_t flags, double* geopos, double* attr,
                                 char* serr) override {
        ++eclipseCalls;
        return library_.lun_eclipse_how(tjd_ut, flags, geopos, attr, serr);
    }
    std::int32_t houses_ex(double tjd_ut, std::int32_t flags, double geolat, double geolon,
                           int hsys, double* cusps, double* ascmc, char* serr) override {
        return library_.houses_ex(tjd_ut, flags, geolat, geolon, hsys, cusps, ascmc, serr);
    }

    long calcCalls = 0;
    long deltatCalls = 0;
    long eclipseCalls = 0;

private:
    EphemerisLibrary& library_;
};

}  // namespace novarel::bench
