// The longest ephemeris run (day index 0..366, all four tables, no data
// files) beside the library calls that run needs (367 moments: one deltat
// and 22 calc calls each), in the same process, so their ratio is the cost
// of the generator's own work.
#include <benchmark/benchmark.h>

#include "bench/library_calls.h"
#include "bench/quiet_seams.h"
#include "core/position_service.h"
#include "core/swe_library.h"
#include "ephemeris/ephemeris_generator.h"
#include "output/data_buffer.h"

namespace {
using namespace novarel;

constexpr double StartJD = 2458850.0;  // 2020-01-01, noon

void BM_EphemerisLongestRun(benchmark::State& st) {
    SweLibrary library;
    library.set_ephe_path(EphemerisPathFor("."));
    bench::QuietMessages messages;
    bench::QuietView view;
    ProgressSink progress;
    GeneratorWindows windows;
    DataBuffer buffer(messages, view);
    CalcRequest request;
    RunState state;
    state.DateOrder = 2;
    const OptionValues options = OptionValues::Factory();
    const LocaleNames names = LocaleNames::English();
    RunContext ctx{request,  state,   options, library, messages,
                   progress, windows, buffer,  names,   "."};
    for (auto _ : st) {
        request.txtYear = "2020";
        request.txtMonth = "1";
        request.txtDay = "1";
        request.chkFullMonth = false;
        request.NumberOfDays = MaxDayIndex + 1;
        state.NoonFlag = 1;
        buffer.EmptyData();
        buffer.ClearPage();
        if (GenerateEphemeris(ctx) != RunOutcome::Completed) st.SkipWithError("run failed");
        benchmark::DoNotOptimize(view.textSize);
    }
    st.counters["rows"] = static_cast<double>(state.history.longitude.days());
}

void BM_LibraryCallsOfTheLongestRun(benchmark::State& st) {
    SweLibrary library;
    library.set_ephe_path(EphemerisPathFor("."));
    CalcRequest request;
    for (auto _ : st)
        for (int d = 0; d <= MaxDayIndex; ++d)
            bench::CallLibraryForOneMoment(library, request, StartJD + d);
}

BENCHMARK(BM_EphemerisLongestRun)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibraryCallsOfTheLongestRun)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
