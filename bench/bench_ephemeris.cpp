// The longest ephemeris run (day index 0..366, all four tables, no data
// files) beside the library calls that run needs (367 moments: one deltat
// and 22 calc calls each), in the same process, so their ratio is the cost
// of the generator's own work.
#include <benchmark/benchmark.h>

#include "bench/library_calls.h"
#include "bench/longest_ephemeris_run.h"
#include "core/position_service.h"
#include "core/swe_library.h"

namespace {
using namespace novarel;

constexpr double StartJD = 2458850.0;  // 2020-01-01, noon

void BM_EphemerisLongestRun(benchmark::State& st) {
    bench::LongestEphemerisRun run(".");
    for (auto _ : st) {
        if (!run.Run(false)) st.SkipWithError("run failed");
        benchmark::DoNotOptimize(run.view.textSize);
    }
    st.counters["rows"] = static_cast<double>(run.state.history.longitude.days());
}

void BM_LibraryCallsOfTheLongestRun(benchmark::State& st) {
    SweLibrary library;
    library.set_ephe_path(EphemerisPathFor("."));
    CalcRequest request;
    for (auto _ : st) bench::CallLibraryForDays(library, request, StartJD, MaxDayIndex + 1);
}

BENCHMARK(BM_EphemerisLongestRun)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibraryCallsOfTheLongestRun)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
