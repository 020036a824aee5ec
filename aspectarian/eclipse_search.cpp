#include "aspectarian/eclipse_search.h"

#include <cmath>

#include "core/library_check.h"

namespace novarel {
namespace {

// Two days back: the search finds the next eclipse after its start, so a
// greatest phase a little before the lunation's minute is not missed.
constexpr double SearchLeadDays = 2.0;

// The library's forward search from start: the greatest phase of the next
// eclipse of the kind, false when it found none.
bool NextEclipse(EphemerisLibrary& library, EclipseKind kind, double start, double& maximum) {
    double tret[10] = {};
    char serr[256] = {};
    const std::int32_t rc =
        kind == EclipseKind::Solar
            ? library.sol_eclipse_when_glob(start, swe_flags::SwissEphemeris,
                                            swe_eclipse_types::Any, tret, false, serr)
            : library.lun_eclipse_when(start, swe_flags::SwissEphemeris, swe_eclipse_types::Any,
                                       tret, false, serr);
    CheckEclipseResult(rc, serr, tret[0],
                       kind == EclipseKind::Solar ? "solar eclipse" : "lunar eclipse", start);
    maximum = tret[0];
    return rc > 0;
}

}  // namespace

bool EclipseAtLunation(EphemerisLibrary& library, EclipseKind kind, double lunationJD) {
    double maximum = 0;
    return NextEclipse(library, kind, lunationJD - SearchLeadDays, maximum) &&
           std::fabs(maximum - lunationJD) <= EclipseWindowDays;
}

bool EclipseSearch::AtLunation(EclipseKind kind, double lunationJD) {
    const double start = lunationJD - SearchLeadDays;
    Found& f = found_[kind == EclipseKind::Solar ? 0 : 1];
    if (!f.valid || start < f.start || lunationJD > f.maximum + EclipseWindowDays) {
        f.start = start;
        f.valid = NextEclipse(library_, kind, start, f.maximum);
        f.details = EclipseDetails{"", 0, f.maximum};
        if (!f.valid) return false;
    }
    return std::fabs(f.maximum - lunationJD) <= EclipseWindowDays;
}

const EclipseDetails& EclipseSearch::Details(EclipseKind kind) const {
    return found_[kind == EclipseKind::Solar ? 0 : 1].details;
}

}  // namespace novarel
