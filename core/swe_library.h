#pragma once
#include "core/ephemeris_library.h"

namespace novarel {

// The real library. The library keeps state of its own for each thread (path,
// sidereal mode, open files); one instance is made per thread that calls it.
//
// The library reads a moment from the file named for its 600-year block
// (sepl_18.se1 for 1800 to 2399) and keeps that file, and the segments it
// read, while later moments still fall inside it, even past the block's end;
// after a change of file some of what it read before stays in use. So that an
// answer depends on its moment alone and not on what was asked before, the
// library is closed and started afresh whenever a call leaves the block of
// the calls before it. Within a block, the usual case, this costs a
// comparison per call.
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
    std::int32_t sol_eclipse_where(double tjd_ut, std::int32_t flags, double* geopos, double* attr,
                                   char* serr) override;
    std::int32_t lun_eclipse_how(double tjd_ut, std::int32_t flags, double* geopos, double* attr,
                                 char* serr) override;
    std::int32_t houses_ex(double tjd_ut, std::int32_t flags, double geolat, double geolon,
                           int hsys, double* cusps, double* ascmc, char* serr) override;
    std::string version() override;

private:
    // Starts the library afresh, unless every moment of [first, last] lies in
    // the block of the calls since the last fresh start.
    void StayInBlock(double first, double last);
    // A search that failed, ran backward or found an eclipse whose contacts
    // may reach past the block has read beyond it: the next call starts fresh.
    void EndEclipseSearch(std::int32_t rc, bool backward, const double* tret);
    void StartAfresh();

    std::string path_;
    bool pathSet_ = false;
    bool sidModeSet_ = false;
    std::int32_t sidMode_ = 0;
    double sidT0_ = 0, sidAyanT0_ = 0;
    bool used_ = false;
    double blockStart_ = 0, blockEnd_ = 0;  // empty: nothing read since the last fresh start
};

// The ephemeris path for a program folder: the folder itself, then the
// system's ephemeris files; SE_EPHE_PATH in their place when it is set, as
// the library itself takes it.
std::string EphemerisPathFor(const std::string& programDirectory);

// The first folder of an ephemeris path that holds an ephemeris file (*.se1);
// empty when none does and the library falls back on its analytic ephemeris.
std::string EphemerisFolderInUse(const std::string& ephemerisPath);

}  // namespace novarel
