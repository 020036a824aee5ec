#include "aspectarian/eclipse_search.h"

#include <cmath>

#include "core/library_check.h"

namespace novarel {

bool EclipseAtLunation(EphemerisLibrary& library, EclipseKind kind, double lunationJD) {
    // Two days back: the search finds the next eclipse after its start, so a
    // greatest phase a little before the lunation's minute is not missed.
    const double start = lunationJD - 2;
    double tret[10] = {};
    char serr[256] = {};
    const std::int32_t rc =
        kind == EclipseKind::Solar
            ? library.sol_eclipse_when_glob(start, swe_flags::SwissEphemeris,
                                            swe_eclipse_types::Any, tret, false, serr)
            : library.lun_eclipse_when(start, swe_flags::SwissEphemeris, swe_eclipse_types::Any,
                                       tret, false, serr);
    CheckEclipseResult(rc, serr);
    return rc > 0 && std::fabs(tret[0] - lunationJD) <= EclipseWindowDays;
}

}  // namespace novarel
