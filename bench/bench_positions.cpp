// Cost of ComputePositions for one moment beside the cost of the library calls
// it makes (one deltat and 22 calc calls), in the same run.
#include <benchmark/benchmark.h>

#include "core/position_service.h"
#include "core/swe_library.h"

namespace {
using namespace novarel;

constexpr double StartJD = 2458119.5;  // 2018-01-01 0h UT

SweLibrary& Library() {
    static SweLibrary lib;
    static bool init = [] {
        lib.set_ephe_path(EphemerisPathFor("."));
        return true;
    }();
    (void)init;
    return lib;
}

void BM_ComputePositions(benchmark::State& st) {
    CalcRequest request;
    Positions pos;
    double jd = StartJD;
    for (auto _ : st) {
        ComputePositions(jd, request, Library(), pos);
        benchmark::DoNotOptimize(pos.BodyLongitude[2]);
        jd += 0.0417;  // a new moment each time, as the generators ask
    }
}

void BM_LibraryCallsOnly(benchmark::State& st) {
    CalcRequest request;
    const std::int32_t flags = EclipticFlags(request);
    double xx[6];
    char serr[256];
    double jd = StartJD;
    for (auto _ : st) {
        const double tjd = jd + Library().deltat(jd);
        for (int i = 1; i <= 11; ++i) {
            const int body = LibraryBodyNumber(i, request);
            Library().calc(tjd, body, flags, xx, serr);
            benchmark::DoNotOptimize(xx[0]);
            Library().calc(tjd, body, flags + swe_flags::Equatorial, xx, serr);
            benchmark::DoNotOptimize(xx[0]);
        }
        jd += 0.0417;
    }
}

BENCHMARK(BM_ComputePositions);
BENCHMARK(BM_LibraryCallsOnly);

}  // namespace

BENCHMARK_MAIN();
