// A year's aspectarian, with the library calls it makes, beside the calls
// of its hourly samples alone (25 moments of 22 calc calls and one deltat a
// day); the same year with every minor aspect listed, and with the
// void-of-course Moon, and with Chiron, the asteroids and Lilith (alone and
// with every minor aspect); and the station listing of a year's stations.
#include <benchmark/benchmark.h>

#include "aspectarian/aspectarian_generator.h"
#include "bench/bench_program.h"
#include "bench/library_calls.h"
#include "core/position_service.h"

namespace {
using namespace novarel;

constexpr int Days = 366;

struct BenchProgram : bench::BenchProgram {
    BenchProgram() : bench::BenchProgram("2018", Days) {}
    RunOutcome Generate() {
        buffer.EmptyData();
        buffer.ClearPage();
        RunContext ctx = context();
        return GenerateAspectarian(ctx, aspectarian);
    }

    AspectarianState aspectarian;
};

void RunYear(benchmark::State& st, bool minorAspects, float voidOfCourse, float extraBodies = 0,
             const char* timeZone = "UT") {
    BenchProgram p;
    if (minorAspects) p.request.minorAspects = AllMinorAspects;
    p.request.timeZone = timeZone;
    p.options[19] = voidOfCourse;
    p.options[20] = extraBodies;
    for (auto _ : st) {
        p.Generate();
        benchmark::DoNotOptimize(p.aspectarian.ReportLines.size());
    }
    st.counters["lines"] = static_cast<double>(p.aspectarian.ReportLines.size());
    const auto runs = static_cast<double>(st.iterations());
    st.counters["calc"] = static_cast<double>(p.counted.calcCalls) / runs;
    st.counters["deltat"] = static_cast<double>(p.counted.deltatCalls) / runs;
    st.counters["eclipse"] = static_cast<double>(p.counted.eclipseCalls) / runs;
}

// Argument 1: every minor aspect too.
void BM_Aspectarian366Days(benchmark::State& st) { RunYear(st, st.range(0) != 0, 0); }

// With the void-of-course Moon: its periods are searched on the library.
void BM_Aspectarian366DaysVoidOfCourse(benchmark::State& st) { RunYear(st, false, 1); }

// On a local clock: the same search over the UT days that cover the local
// ones, then every event placed on the zone's clock. Argument 1: Kolkata
// (+05:30, no clock changes), 2: Lord Howe (a 30-minute shift twice a year),
// 0: the same run in UT.
void BM_Aspectarian366DaysInAZone(benchmark::State& st) {
    static constexpr const char* zones[] = {"UT", "Asia/Kolkata", "Australia/Lord_Howe"};
    RunYear(st, false, 0, 0, zones[st.range(0)]);
}
// With the six extra bodies; argument 1: every minor aspect too.
void BM_Aspectarian366DaysAsteroids(benchmark::State& st) { RunYear(st, st.range(0) != 0, 0, 1); }

void BM_LibraryCallsOf366Days(benchmark::State& st) {
    SweLibrary library;
    library.set_ephe_path(EphemerisPathFor("."));
    CalcRequest request;
    const double base = 2458119.5;  // 2018-01-01 0h UT
    for (auto _ : st)
        for (int d = 0; d < Days; ++d)
            for (int s = 0; s < 25; ++s)
                bench::CallLibraryForOneMoment(library, request, base + d + s / 24.0);
}

void BM_StationListingOfAYear(benchmark::State& st) {
    BenchProgram p;
    p.Generate();
    for (auto _ : st) {
        p.buffer.EmptyData();
        p.buffer.ClearPage();
        RunContext ctx = p.context();
        ListRetrogradeTimes(ctx, p.aspectarian);
    }
    st.counters["stations"] = p.aspectarian.StationCount;
}

BENCHMARK(BM_Aspectarian366Days)->ArgName("minor")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Aspectarian366DaysVoidOfCourse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Aspectarian366DaysInAZone)
    ->ArgName("zone")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Aspectarian366DaysAsteroids)
    ->ArgName("minor")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibraryCallsOf366Days)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StationListingOfAYear)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
