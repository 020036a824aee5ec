#include "aspectarian/eclipse_search.h"

#include <cmath>

#include "core/library_check.h"

namespace novarel {
namespace {

// Two days back: the search finds the next eclipse after its start, so a
// greatest phase a little before the lunation's minute is not missed.
constexpr double SearchLeadDays = 2.0;

const char* SearchName(EclipseKind kind) {
    return kind == EclipseKind::Solar ? "solar eclipse" : "lunar eclipse";
}

// The library's forward search from start: the greatest phase of the next
// eclipse of the kind and its type bits, false when it found none.
bool NextEclipse(EphemerisLibrary& library, EclipseKind kind, double start, double& maximum,
                 std::int32_t& type) {
    double tret[10] = {};
    char serr[256] = {};
    const std::int32_t rc =
        kind == EclipseKind::Solar
            ? library.sol_eclipse_when_glob(start, swe_flags::SwissEphemeris,
                                            swe_eclipse_types::Any, tret, false, serr)
            : library.lun_eclipse_when(start, swe_flags::SwissEphemeris, swe_eclipse_types::Any,
                                       tret, false, serr);
    CheckEclipseResult(rc, serr, tret[0], SearchName(kind), start);
    maximum = tret[0];
    type = rc;
    return rc > 0;
}

// The type as words; a hybrid eclipse is named before the total and annular
// bits it may carry too.
const char* TypeName(std::int32_t type) {
    namespace t = swe_eclipse_types;
    if ((type & t::Hybrid) != 0) return "hybrid";
    if ((type & t::Total) != 0) return "total";
    if ((type & t::Annular) != 0) return "annular";
    if ((type & t::Partial) != 0) return "partial";
    if ((type & t::Penumbral) != 0) return "penumbral";
    return "";
}

// The magnitude at the greatest phase, as eclipse catalogues give it: for a
// solar eclipse the fraction of the Sun's diameter covered where it is
// greatest on Earth, or for a total or annular one the ratio of the Moon's
// diameter to the Sun's; for a lunar one the umbral magnitude, the penumbral
// one for a penumbral eclipse.
double MagnitudeAt(EphemerisLibrary& library, EclipseKind kind, double maximum, std::int32_t type) {
    double geopos[10] = {};
    double attr[20] = {};
    char serr[256] = {};
    const std::int32_t rc =
        kind == EclipseKind::Solar
            ? library.sol_eclipse_where(maximum, swe_flags::SwissEphemeris, geopos, attr, serr)
            : library.lun_eclipse_how(maximum, swe_flags::SwissEphemeris, geopos, attr, serr);
    const bool penumbral = kind == EclipseKind::Lunar && (type & swe_eclipse_types::Penumbral) != 0;
    constexpr std::size_t CatalogueSolarMagnitude = 8;
    const double magnitude = kind == EclipseKind::Solar ? attr[CatalogueSolarMagnitude]
                             : penumbral                ? attr[1]
                                                        : attr[0];
    CheckEclipseMagnitude(rc, serr, magnitude, SearchName(kind), maximum);
    return magnitude;
}

}  // namespace

bool EclipseAtLunation(EphemerisLibrary& library, EclipseKind kind, double lunationJD) {
    double maximum = 0;
    std::int32_t type = 0;
    return NextEclipse(library, kind, lunationJD - SearchLeadDays, maximum, type) &&
           std::fabs(maximum - lunationJD) <= EclipseWindowDays;
}

bool EclipseSearch::AtLunation(EclipseKind kind, double lunationJD) {
    const double start = lunationJD - SearchLeadDays;
    Found& f = found_[kind == EclipseKind::Solar ? 0 : 1];
    if (!f.valid || start < f.start || lunationJD > f.maximum + EclipseWindowDays) {
        f.start = start;
        f.valid = NextEclipse(library_, kind, start, f.maximum, f.type);
        f.detailed = false;
        if (!f.valid) return false;
    }
    if (std::fabs(f.maximum - lunationJD) > EclipseWindowDays) return false;
    if (!f.detailed) {
        f.details = EclipseDetails{TypeName(f.type), MagnitudeAt(library_, kind, f.maximum, f.type),
                                   f.maximum};
        f.detailed = true;
    }
    return true;
}

const EclipseDetails& EclipseSearch::Details(EclipseKind kind) const {
    return found_[kind == EclipseKind::Solar ? 0 : 1].details;
}

}  // namespace novarel
