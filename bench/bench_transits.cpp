// A year of transits to a natal chart with a place (thirteen points): the
// whole run with its listing, and the search alone with every minor aspect
// or none, with the library calls each makes.
#include <benchmark/benchmark.h>

#include "bench/bench_program.h"
#include "transits/transits_generator.h"

namespace {
using namespace novarel;

constexpr int Days = 366;

NatalChart BenchChart() {
    NatalChart chart;
    chart.name = "Bench";
    chart.date = CivilDate{1985, 9, 7};
    chart.hour = 6;
    chart.minute = 20;
    chart.timeZone = "UT";
    chart.place = PlaceOnEarth{40.7128, -74.0060};
    return chart;
}

struct BenchProgram : bench::BenchProgram {
    BenchProgram() : bench::BenchProgram("2024", Days) {}
    TransitsState transits;
};

void Counters(benchmark::State& st, const bench::CountingLibrary& counted) {
    const auto runs = static_cast<double>(st.iterations());
    st.counters["calc"] = static_cast<double>(counted.calcCalls) / runs;
}

// The run as the Data window gets it.
void BM_Transits366Days(benchmark::State& st) {
    BenchProgram p;
    const NatalChart chart = BenchChart();
    for (auto _ : st) {
        p.buffer.EmptyData();
        p.buffer.ClearPage();
        RunContext ctx = p.context();
        benchmark::DoNotOptimize(GenerateTransits(ctx, p.transits, chart));
    }
    st.counters["events"] = static_cast<double>(p.transits.Events.size());
    Counters(st, p.counted);
}

// The search over the days alone; argument 1: every minor aspect too.
void BM_TransitSearch366Days(benchmark::State& st) {
    BenchProgram p;
    const NatalChart chart = BenchChart();
    const NatalPoints natal = ComputeNatalPoints(chart, p.request, p.library);
    const MinorAspectSet minor = st.range(0) != 0 ? AllMinorAspects : 0;
    std::size_t events = 0;
    for (auto _ : st) {
        AspectarianState samples;
        bool analytic = false;
        TransitSearch search(p.request, p.counted, natal.points, minor, samples, analytic);
        std::vector<TransitEvent> found;
        const double first = 2460310.5;  // 2024-01-01 0h UT
        for (int d = 0; d < Days; ++d) search.SearchDay(first + d, found);
        events = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    st.counters["events"] = static_cast<double>(events);
    Counters(st, p.counted);
}

BENCHMARK(BM_Transits366Days)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransitSearch366Days)->ArgName("minor")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
