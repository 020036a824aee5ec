// The command line under faults: standard output that cannot be written, a
// data file name that is a link, a disk that fills half-way, a run killed
// half-way, and many runs saving into one folder at once. Whatever happens,
// the data files under their final names are complete files of one run.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/cli/cli_run.h"

namespace novarel {
namespace {
namespace fs = std::filesystem;
using clitest::ProgramFolder;
using clitest::ReadBytes;
using clitest::RunNovarel;

// The start and options of every run here: its files are 180503LO.TEG,
// 180503LA.TEG, 180503RA.TEG and 180503DE.TEG.
const std::string SaveArgs = "--start 2018-05-03 --date-order 2 --save";
const std::vector<std::string> SetNames = {"180503DE.TEG", "180503LA.TEG", "180503LO.TEG",
                                           "180503RA.TEG"};

std::string Exe() { return std::string(NOVAREL_EXE); }

// The shell line's exit status.
int Shell(const std::string& line) {
    const int raw = std::system(line.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::map<std::string, std::string> FilesOf(const test::TempFolder& dir) {
    std::map<std::string, std::string> files;
    for (const std::string& name : SetNames)
        if (fs::exists(dir.file(name))) files[name] = ReadBytes(dir.file(name));
    return files;
}

std::vector<std::string> Leftovers(const test::TempFolder& dir) {
    std::vector<std::string> names;
    for (const std::string& name : dir.entries())
        if (name.ends_with(".tmp")) names.push_back(name);
    return names;
}

TEST(StandardOutput, WriteFailuresExitWithStatusOne) {
    ProgramFolder dir;
    const std::string run = Exe() + " ephemeris --dir '" + dir.str() +
                            "' --start 2018-05-03 --days 366 2> '" + dir.file("err") + "'";
    EXPECT_EQ(Shell(run + " > /dev/full"), 1);
    EXPECT_EQ(ReadBytes(dir.file("err")),
              "novarel: cannot write output: No space left on device\n");
    EXPECT_EQ(Shell(run + " >&-"), 1);
    EXPECT_EQ(ReadBytes(dir.file("err")), "novarel: cannot write output: Bad file descriptor\n");
    // With SIGPIPE ignored the write fails with EPIPE: never status 0.
    EXPECT_EQ(Shell("trap '' PIPE; (" + run + "; echo $? > '" + dir.file("rc") + "') | true"), 0);
    EXPECT_EQ(ReadBytes(dir.file("rc")), "1\n");
    EXPECT_EQ(ReadBytes(dir.file("err")), "novarel: cannot write output: Broken pipe\n");
    // --help is output too.
    EXPECT_EQ(Shell(Exe() + " ephemeris --help > /dev/full 2> /dev/null"), 1);
}

TEST(DataFiles, ALinkInPlaceOfADataFileIsReplacedNotFollowed) {
    ProgramFolder dir;
    test::TempFolder elsewhere;
    const std::string target = elsewhere.file("precious.txt");
    { std::ofstream(target, std::ios::binary) << "keep me\n"; }
    fs::create_symlink(target, dir.file("180503LO.TEG"));
    const auto r = RunNovarel(dir, "ephemeris", SaveArgs + " --days 3");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(target), "keep me\n");
    EXPECT_FALSE(fs::is_symlink(dir.file("180503LO.TEG")));
    EXPECT_NE(
        ReadBytes(dir.file("180503LO.TEG")).find("Tropical Ephemeris - Thursday, 03 May 2018"),
        std::string::npos);
    EXPECT_EQ(Leftovers(dir), std::vector<std::string>{});
}

// A run of 366 days that fails half-way leaves the files of a 30-day run
// byte for byte; the failure is reported and no new file stays behind.
void ExpectFailedRunKeepsEarlierFiles(const ProgramFolder& dir, const std::string& limit) {
    const auto before = RunNovarel(dir, "ephemeris", SaveArgs + " --days 30");
    ASSERT_EQ(before.status, 0) << before.err;
    const auto earlier = FilesOf(dir);
    ASSERT_EQ(earlier.size(), 4u);
    const auto r = RunNovarel(dir, "ephemeris", SaveArgs + " --days 366", "LC_ALL=C " + limit);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("could not be written"), std::string::npos) << r.err;
    EXPECT_EQ(FilesOf(dir), earlier);
    EXPECT_EQ(Leftovers(dir), std::vector<std::string>{});
}

TEST(DataFiles, ADiskThatFillsHalfWayLeavesTheEarlierFiles) {
    ProgramFolder dir;
    // A tiny file system of its own where the test may mount one.
    const std::string mounted = dir.file("tiny");
    fs::create_directory(mounted);
    if (::mount("tmpfs", mounted.c_str(), "tmpfs", 0, "size=96k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here; the file size limit test covers this";
    {
        ProgramFolder tiny;  // only for its OPTIONS.OPT bytes
        fs::copy_file(tiny.file("OPTIONS.OPT"), mounted + "/OPTIONS.OPT");
    }
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount(path.c_str()); }
    } unmount{mounted};
    const std::string run = Exe() + " ephemeris --dir '" + mounted + "' " + SaveArgs;
    ASSERT_EQ(Shell(run + " --days 30 > /dev/null 2>&1"), 0);
    std::map<std::string, std::string> earlier;
    for (const std::string& name : SetNames) earlier[name] = ReadBytes(mounted + "/" + name);
    EXPECT_EQ(Shell(run + " --days 366 > /dev/null 2>&1"), 1);
    for (const std::string& name : SetNames)
        EXPECT_EQ(ReadBytes(mounted + "/" + name), earlier[name]) << name;
    for (const auto& e : fs::directory_iterator(mounted))
        EXPECT_FALSE(e.path().string().ends_with(".tmp")) << e.path();
}

TEST(DataFiles, AWriteThatFailsHalfWayLeavesTheEarlierFiles) {
    // The file size limit makes a write fail half-way through a file, as a
    // full disk does (SIGXFSZ ignored: the write returns EFBIG). 40 blocks of
    // 512 bytes hold the files of 30 days, not those of 366.
    ProgramFolder dir;
    ExpectFailedRunKeepsEarlierFiles(dir,
                                     "sh -c 'trap \"\" XFSZ; ulimit -f 40; exec \"$0\" \"$@\"' ");
}

TEST(DataFiles, AKilledRunLeavesNoPartFileUnderAFinalName) {
    ProgramFolder dir;
    ASSERT_EQ(RunNovarel(dir, "ephemeris", SaveArgs + " --days 30").status, 0);
    const auto earlier = FilesOf(dir);
    const std::string run = Exe() + " ephemeris --dir '" + dir.str() + "' " + SaveArgs +
                            " --days 366 > /dev/null 2>&1 & echo $! > '" + dir.file("pid") + "'";
    bool killedHalfWay = false;
    for (int attempt = 0; attempt < 20 && !killedHalfWay; ++attempt) {
        fs::remove(dir.file("pid"));
        ASSERT_EQ(Shell(run), 0);
        const pid_t pid = std::stoi(ReadBytes(dir.file("pid")));
        // Killed as soon as its new files are there: in the middle of the run.
        for (int i = 0; i < 20000 && Leftovers(dir).size() < 4; ++i)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        killedHalfWay = ::kill(pid, SIGKILL) == 0 && Leftovers(dir).size() == 4;
        while (::kill(pid, 0) == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_EQ(FilesOf(dir), earlier);
    }
    ASSERT_TRUE(killedHalfWay);
    EXPECT_EQ(Leftovers(dir).size(), 4u);
    // The next run that saves removes what the killed one left.
    ASSERT_EQ(RunNovarel(dir, "ephemeris", SaveArgs + " --days 3").status, 0);
    EXPECT_EQ(Leftovers(dir), std::vector<std::string>{});
}

TEST(DataFiles, ConcurrentRunsIntoOneFolderKeepEachSetWhole) {
    // The files one run of each length writes on its own.
    ProgramFolder shortRun, longRun, shared;
    ASSERT_EQ(RunNovarel(shortRun, "ephemeris", SaveArgs + " --days 30").status, 0);
    ASSERT_EQ(RunNovarel(longRun, "ephemeris", SaveArgs + " --days 366").status, 0);
    const auto shortFiles = FilesOf(shortRun), longFiles = FilesOf(longRun);
    ASSERT_EQ(shortFiles.size(), 4u);
    ASSERT_NE(shortFiles, longFiles);

    test::TempFolder statuses;
    std::string line;
    for (int i = 0; i < 20; ++i)
        line += "(" + Exe() + " ephemeris --dir '" + shared.str() + "' " + SaveArgs +
                (i % 2 == 0 ? " --days 30" : " --days 366") + " > /dev/null 2>&1; echo $? > '" +
                statuses.file(std::to_string(i)) + "') & ";
    ASSERT_EQ(Shell(line + "wait"), 0);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(ReadBytes(statuses.file(std::to_string(i))), "0\n");
    const auto files = FilesOf(shared);
    EXPECT_TRUE(files == shortFiles || files == longFiles);
    EXPECT_EQ(Leftovers(shared), std::vector<std::string>{});
}

}  // namespace
}  // namespace novarel
