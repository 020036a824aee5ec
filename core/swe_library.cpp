#include "core/swe_library.h"

#include <swephexp.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <tuple>
#include <utility>
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
static_assert(swe_eclipse_types::Total == SE_ECL_TOTAL);
static_assert(swe_eclipse_types::Annular == SE_ECL_ANNULAR);
static_assert(swe_eclipse_types::Partial == SE_ECL_PARTIAL);
static_assert(swe_eclipse_types::Hybrid == SE_ECL_ANNULAR_TOTAL);
static_assert(swe_eclipse_types::Penumbral == SE_ECL_PENUMBRAL);
static_assert(swe_bodies::Sun == SE_SUN);
static_assert(swe_bodies::Earth == SE_EARTH);
static_assert(swe_bodies::MeanNode == SE_MEAN_NODE);
static_assert(swe_bodies::TrueNode == SE_TRUE_NODE);
// Body indexes Moon .. Pluto are the library's numbers plus one.
static_assert(Moon - 1 == SE_MOON && Pluto - 1 == SE_PLUTO);

namespace {

// The library names its files by the Julian calendar before 1600 and the
// Gregorian from 1 January 1600 on.
constexpr double GregorianFileNamesFrom = 2305447.5;

double FirstOfJanuary(int year) {
    return swe_julday(year, 1, 1, 0, year >= 1600 ? SE_GREG_CAL : SE_JUL_CAL);
}

// [start, end) of the 600-year block whose file the library opens for tjd,
// as the library derives the file name ("_18" for 1800 to 2399, "m06" for
// 600 to 1 BC).
std::pair<double, double> FileBlockOf(double tjd) {
    int year = 0, month = 0, day = 0;
    double hour = 0;
    swe_revjul(tjd, tjd >= GregorianFileNamesFrom ? SE_GREG_CAL : SE_JUL_CAL, &year, &month, &day,
               &hour);
    int century = year / 100;
    if (year < 0 && year % 100 != 0) --century;
    while (century % 6 != 0) --century;
    return {FirstOfJanuary(century * 100), FirstOfJanuary(century * 100 + 600)};
}

// The span of moments an eclipse search may read around its start: it begins
// up to two lunations before the start, and an eclipse of each kind comes within
// about six months.
constexpr double EclipseSearchBefore = 60;
constexpr double EclipseSearchAfter = 200;
constexpr double EclipseContactsAfterMaximum = 2;
// The circumstances of an eclipse at one moment read the positions around it:
// Terrestrial Time lies up to a day from Universal Time over the files' span.
constexpr double EclipseMomentMargin = 1;

// The longest SE_EPHE_PATH the library takes; it ignores a longer one.
constexpr std::size_t MaxLibraryPathFromEnvironment = AS_MAXCH - 1 - 13;

}  // namespace

SweLibrary::~SweLibrary() { swe_close(); }

void SweLibrary::StartAfresh() {
    swe_close();
    if (pathSet_) set_ephe_path(path_);
    if (sidModeSet_) swe_set_sid_mode(sidMode_, sidT0_, sidAyanT0_);
    used_ = false;
}

void SweLibrary::StayInBlock(double first, double last) {
    if (first >= blockStart_ && last < blockEnd_) return;
    if (!std::isfinite(first) || !std::isfinite(last) || std::fabs(first) > 1e8 ||
        std::fabs(last) > 1e8) {
        // No block to keep: what follows starts afresh.
        blockStart_ = blockEnd_ = 0;
        return;
    }
    if (used_) StartAfresh();
    std::tie(blockStart_, blockEnd_) = FileBlockOf(first);
    if (last >= blockEnd_) blockEnd_ = blockStart_;  // a span over two blocks: afresh after it
    used_ = true;
}

void SweLibrary::set_ephe_path(const std::string& path) {
    path_ = path;
    pathSet_ = true;
    // swe_set_ephe_path keeps a copy, but older versions take a non-const char*.
    std::vector<char> buf(path.begin(), path.end());
    buf.push_back('\0');
    swe_set_ephe_path(buf.data());
}

void SweLibrary::set_sid_mode(std::int32_t mode, double t0, double ayan_t0) {
    sidModeSet_ = true;
    sidMode_ = mode;
    sidT0_ = t0;
    sidAyanT0_ = ayan_t0;
    swe_set_sid_mode(mode, t0, ayan_t0);
}

double SweLibrary::deltat(double tjd_ut) {
    StayInBlock(tjd_ut, tjd_ut);
    return swe_deltat(tjd_ut);
}

std::int32_t SweLibrary::calc(double tjd_et, int body, std::int32_t flags, double* xx, char* serr) {
    StayInBlock(tjd_et, tjd_et);
    return swe_calc(tjd_et, body, flags, xx, serr);
}

std::int32_t SweLibrary::houses_ex(double tjd_ut, std::int32_t flags, double geolat, double geolon,
                                   int hsys, double* cusps, double* ascmc, char* serr) {
    StayInBlock(tjd_ut, tjd_ut);
    return swe_houses_ex2(tjd_ut, flags, geolat, geolon, hsys, cusps, ascmc, nullptr, nullptr,
                          serr);
}

void SweLibrary::EndEclipseSearch(std::int32_t rc, bool backward, const double* tret) {
    if (rc <= 0 || backward || !(tret[0] + EclipseContactsAfterMaximum < blockEnd_))
        blockStart_ = blockEnd_ = 0;
}

std::int32_t SweLibrary::sol_eclipse_when_glob(double tjd_start, std::int32_t flags,
                                               std::int32_t types, double* tret, bool backward,
                                               char* serr) {
    StayInBlock(tjd_start - EclipseSearchBefore, tjd_start + EclipseSearchAfter);
    const std::int32_t rc =
        swe_sol_eclipse_when_glob(tjd_start, flags, types, tret, backward ? 1 : 0, serr);
    EndEclipseSearch(rc, backward, tret);
    return rc;
}

std::int32_t SweLibrary::lun_eclipse_when(double tjd_start, std::int32_t flags, std::int32_t types,
                                          double* tret, bool backward, char* serr) {
    StayInBlock(tjd_start - EclipseSearchBefore, tjd_start + EclipseSearchAfter);
    const std::int32_t rc =
        swe_lun_eclipse_when(tjd_start, flags, types, tret, backward ? 1 : 0, serr);
    EndEclipseSearch(rc, backward, tret);
    return rc;
}

std::int32_t SweLibrary::sol_eclipse_where(double tjd_ut, std::int32_t flags, double* geopos,
                                           double* attr, char* serr) {
    StayInBlock(tjd_ut - EclipseMomentMargin, tjd_ut + EclipseMomentMargin);
    return swe_sol_eclipse_where(tjd_ut, flags, geopos, attr, serr);
}

std::int32_t SweLibrary::lun_eclipse_how(double tjd_ut, std::int32_t flags, double* geopos,
                                         double* attr, char* serr) {
    StayInBlock(tjd_ut - EclipseMomentMargin, tjd_ut + EclipseMomentMargin);
    return swe_lun_eclipse_how(tjd_ut, flags, geopos, attr, serr);
}

std::string SweLibrary::version() {
    std::array<char, 256> text{};
    return swe_version(text.data());
}

std::string EphemerisPathFor(const std::string& programDirectory) {
    // The library reads SE_EPHE_PATH in place of any path it is given; the
    // messages must name the folders it really searches.
    const char* own = std::getenv("SE_EPHE_PATH");
    if (own != nullptr && *own != '\0' && std::strlen(own) <= MaxLibraryPathFromEnvironment)
        return own;
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
