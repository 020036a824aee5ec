// Cost of ComputePositions for one moment beside the cost of the library calls
// it makes (one deltat and 22 calc calls), for the same moments in one run.
#include <benchmark/benchmark.h>

#include "bench/library_calls.h"
#include "core/position_service.h"
#include "core/swe_library.h"

namespace {
using namespace novarel;

constexpr double StartJD = 2458119.5;  // 2018-01-01 0h UT
constexpr double Step = 1.0 / 24;      // a new moment each time, as the aspectarian asks

void BM_ComputePositions(benchmark::State& st) {
    SweLibrary library;
    library.set_ephe_path(EphemerisPathFor("."));
    CalcRequest request;
    Positions pos;
    double jd = StartJD;
    for (auto _ : st) {
        ComputePositions(jd, request, library, pos);
        benchmark::DoNotOptimize(pos.BodyLongitude[2]);
        jd += Step;
    }
}

void BM_LibraryCallsOnly(benchmark::State& st) {
    SweLibrary library;
    library.set_ephe_path(EphemerisPathFor("."));
    CalcRequest request;
    double jd = StartJD;
    for (auto _ : st) {
        bench::CallLibraryForOneMoment(library, request, jd);
        jd += Step;
    }
}

// Interleaved pairs, so that both see the same machine load.
BENCHMARK(BM_LibraryCallsOnly);
BENCHMARK(BM_ComputePositions);
BENCHMARK(BM_LibraryCallsOnly);
BENCHMARK(BM_ComputePositions);

}  // namespace

BENCHMARK_MAIN();
