#pragma once
#include "core/ephemeris_library.h"

namespace novarel {

// The real library. The library keeps process-wide state of its own (path,
// sidereal mode, open files); one instance is made by the program.
class SweLibrary final : public EphemerisLibrary {
public:
    ~SweLibrary() override;
    void set_ephe_path(const std::string& path) override;
    void set_sid_mode(std::int32_t mode, double t0, double ayan_t0) override;
    double deltat(double tjd_ut) override;
    std::int32_t calc(double tjd_et, int body, std::int32_t flags, double* xx, char* serr) override;
    std::int32_t sol_eclipse_when_glob(double tjd_start, std::int32_t flags, std::int32_t types,
                                       double* tret, bool backward, char* serr) override;
    std::int32_t lun_eclipse_when(double tjd_start, std::int32_t flags, std::int32_t types,
                                  double* tret, bool backward, char* serr) override;
    std::string version() override;
};

// The ephemeris path for a program folder: the folder itself, then the
// system's ephemeris files.
std::string EphemerisPathFor(const std::string& programDirectory);

// The first folder of an ephemeris path that holds an ephemeris file (*.se1);
// empty when none does and the library falls back on its analytic ephemeris.
std::string EphemerisFolderInUse(const std::string& ephemerisPath);

}  // namespace novarel
