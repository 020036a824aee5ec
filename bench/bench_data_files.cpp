// The cost of saving: the longest ephemeris run without and with its four
// data files (written beside the old ones, synced, renamed into place under
// the folder's run lock), and the file set alone with the bytes of that run.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "bench/longest_ephemeris_run.h"
#include "ephemeris/ephemeris_files.h"

namespace {
using namespace novarel;

std::string NewFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "novarel_bench_XXXXXX").string();
    return mkdtemp(pattern.data());
}

// Argument 0: no data files; 1: with them.
void BM_EphemerisLongestRunSaving(benchmark::State& st) {
    const std::string folder = NewFolder();
    bench::LongestEphemerisRun run(folder);
    for (auto _ : st)
        if (!run.Run(st.range(0) != 0)) st.SkipWithError("run failed");
    std::filesystem::remove_all(folder);
}

// Four files of 367 rows of 131 bytes, as the longest run writes them.
void BM_DataFileSetOfTheLongestRun(benchmark::State& st) {
    const std::string folder = NewFolder();
    const std::string row(129, 'x');
    const std::array<std::string, 4> paths = {folder + "/200101LO.TEG", folder + "/200101LA.TEG",
                                              folder + "/200101RA.TEG", folder + "/200101DE.TEG"};
    for (auto _ : st) {
        EphemerisDataFiles files;
        if (!files.open(paths)) st.SkipWithError("cannot create");
        for (int r = 0; r < 367; ++r)
            for (EphemerisTable t : EphemerisTables) files.writeLine(t, row);
        if (!files.finish()) st.SkipWithError("cannot finish");
    }
    std::filesystem::remove_all(folder);
}

BENCHMARK(BM_EphemerisLongestRunSaving)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DataFileSetOfTheLongestRun)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
