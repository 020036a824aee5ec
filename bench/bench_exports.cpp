// Whole ranges to CSV as the command line runs them: the aspectarian of
// 1800-2100 on one thread and on every core, its one-thread time per day
// beside a year's, and the ephemeris of 1800-2100 beside the library calls
// its days need. Run from the build folder (the program folder); each range
// is one iteration of minutes. Peak memory: the "max_rss_kb" counter.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <thread>

#include "bench/library_calls.h"
#include "cli/period_runs.h"
#include "core/iso_date.h"
#include "core/position_service.h"
#include "core/swe_library.h"

namespace {
using namespace novarel;

class CountingSink final : public cli::OutputSink {
public:
    bool write(std::string_view bytes) override {
        bytes_ += bytes.size();
        return true;
    }
    int finish() override { return 0; }
    std::size_t bytes() const { return bytes_; }

private:
    std::size_t bytes_ = 0;
};

double MaxRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss);
}

// A CSV range prepared as the command line prepares it.
class CsvRange {
public:
    CsvRange(bool ephemeris, const std::string& start, const std::string& end)
        : options_(Options(start, end)), setup_(options_, ephemeris, ".", LocaleNames::English()) {
        std::string usage;
        cli::SplitIntoPeriods(options_, periods_, usage);
        setup_.choices.format = cli::ExportFormat::Csv;
        setup_.choices.aspectarian = !ephemeris;
    }
    // The bytes written.
    std::size_t run(int jobs) {
        CountingSink sink;
        cli::RunPeriods(setup_, periods_, jobs, sink);
        return sink.bytes();
    }

private:
    static cli::CommandOptions Options(const std::string& start, const std::string& end) {
        cli::CommandOptions options;
        options.start = ParseIsoDate(start);
        options.end = ParseIsoDate(end);
        options.format = cli::ExportFormat::Csv;
        return options;
    }
    cli::CommandOptions options_;
    cli::CommandSetup setup_;  // holds options_ by reference: declared after it
    std::vector<cli::Period> periods_;
};

void RunRange(benchmark::State& st, bool ephemeris, const std::string& start,
              const std::string& end, int jobs) {
    CsvRange range(ephemeris, start, end);
    std::size_t bytes = 0;
    for (auto _ : st) bytes = range.run(jobs);
    st.counters["bytes"] = static_cast<double>(bytes);
    st.counters["max_rss_kb"] = MaxRssKb();
}

int Cores() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

void BM_Aspectarian366DaysCsv(benchmark::State& st) {
    RunRange(st, false, "2024-01-01", "2024-12-31", 1);
    st.counters["days"] = 366;
}

void BM_Aspectarian1800To2100CsvOneThread(benchmark::State& st) {
    RunRange(st, false, "1800-01-01", "2100-12-31", 1);
    st.counters["days"] = 110'323;
}

void BM_Aspectarian1800To2100CsvAllCores(benchmark::State& st) {
    RunRange(st, false, "1800-01-01", "2100-12-31", Cores());
    st.counters["days"] = 110'323;
    st.counters["cores"] = Cores();
}

void BM_Ephemeris1800To2100CsvOneThread(benchmark::State& st) {
    RunRange(st, true, "1800-01-01", "2100-12-31", 1);
}

// One moment's library calls per day of 1800-2100, made directly.
void BM_LibraryCallsOf1800To2100(benchmark::State& st) {
    SweLibrary library;
    library.set_ephe_path(EphemerisPathFor("."));
    CalcRequest request;
    const double first = 2378497.0;  // 1800-01-01 12h UT
    for (auto _ : st) bench::CallLibraryForDays(library, request, first, 110'323);
}

// The two figures above taken in turn over 1800-1850, so that a shared
// machine's drift falls on both alike: "ratio" is the CSV run's time over
// its library calls' time.
void BM_EphemerisCsvOverLibraryCalls(benchmark::State& st) {
    CsvRange range(true, "1800-01-01", "1850-12-31");
    SweLibrary library;
    library.set_ephe_path(EphemerisPathFor("."));
    CalcRequest request;
    const double first = 2378497.0;  // 1800-01-01 12h UT
    const int days = 18'627;         // to 1850-12-31
    using Clock = std::chrono::steady_clock;
    Clock::duration csv{}, calls{};
    for (auto _ : st) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(range.run(1));
        const auto middle = Clock::now();
        bench::CallLibraryForDays(library, request, first, days);
        const auto end = Clock::now();
        csv += middle - start;
        calls += end - middle;
        st.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    st.counters["ratio"] =
        std::chrono::duration<double>(csv).count() / std::chrono::duration<double>(calls).count();
}

}  // namespace

BENCHMARK(BM_EphemerisCsvOverLibraryCalls)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(8);
BENCHMARK(BM_Aspectarian366DaysCsv)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Aspectarian1800To2100CsvOneThread)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_Aspectarian1800To2100CsvAllCores)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_Ephemeris1800To2100CsvOneThread)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_LibraryCallsOf1800To2100)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_MAIN();
