#pragma once
// The library calls the position service makes for one moment (one deltat,
// 22 calc), made directly: the yardstick the generators are measured against.
#include <benchmark/benchmark.h>

#include "core/calc_request.h"
#include "core/ephemeris_library.h"
#include "core/position_service.h"

namespace novarel::bench {

inline void CallLibraryForOneMoment(EphemerisLibrary& library, const CalcRequest& request,
                                    double jd) {
    const std::int32_t flags = EclipticFlags(request);
    double xx[6];
    char serr[256];
    const double tjd = jd + library.deltat(jd);
    for (int i = 1; i <= 11; ++i) {
        const int body = LibraryBodyNumber(i, request);
        library.calc(tjd, body, flags, xx, serr);
        benchmark::DoNotOptimize(xx[0]);
        library.calc(tjd, body, flags + swe_flags::Equatorial, xx, serr);
        benchmark::DoNotOptimize(xx[0]);
    }
}

// The calls of a daily ephemeris: one moment a day, from firstJD on.
inline void CallLibraryForDays(EphemerisLibrary& library, const CalcRequest& request,
                               double firstJD, int days) {
    for (int d = 0; d < days; ++d) CallLibraryForOneMoment(library, request, firstJD + d);
}

}  // namespace novarel::bench
