// The command line under faults: standard output that cannot be written, a
// data file name that is a link, a disk that fills half-way, a run killed
// half-way or between the renames of its set, a rename that fails, a run
// lock held by another run or not this user's, and many runs saving into
// one folder at once. Whatever happens, the data files under their final
// names are complete files of one run, and the message says what is on disk.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/cli/cli_run.h"
#include "tests/support/lock_holder.h"
#include "tests/support/tmpfs_folder.h"

namespace novarel {
namespace {
namespace fs = std::filesystem;
using clitest::ProgramFolder;
using clitest::ReadBytes;
using clitest::RunNovarel;
using clitest::Temporaries;

// The start and options of every run here: its files are 180503LO.TEG,
// 180503LA.TEG, 180503RA.TEG and 180503DE.TEG.
const std::string SaveArgs = "--start 2018-05-03 --date-order 2 --save";
const std::vector<std::string> SetNames = {"180503DE.TEG", "180503LA.TEG", "180503LO.TEG",
                                           "180503RA.TEG"};

const auto Exe = clitest::NovarelExe;
using clitest::Shell;

std::map<std::string, std::string> FilesOf(const test::TempFolder& dir) {
    std::map<std::string, std::string> files;
    for (const std::string& name : SetNames)
        if (fs::exists(dir.file(name))) files[name] = ReadBytes(dir.file(name));
    return files;
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
    EXPECT_EQ(Temporaries(dir.str()), std::vector<std::string>{});
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
    EXPECT_EQ(Temporaries(dir.str()), std::vector<std::string>{});
}

TEST(DataFiles, ADiskThatFillsHalfWayLeavesTheEarlierFiles) {
    ProgramFolder dir;
    const test::TmpfsFolder disk("96k");
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here; the file size limit test covers this";
    const std::string& mounted = disk.str();
    fs::copy_file(dir.file("OPTIONS.OPT"), disk.file("OPTIONS.OPT"));
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
        for (int i = 0; i < 20000 && Temporaries(dir.str()).size() < 4; ++i)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        killedHalfWay = ::kill(pid, SIGKILL) == 0 && Temporaries(dir.str()).size() == 4;
        while (::kill(pid, 0) == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_EQ(FilesOf(dir), earlier);
    }
    ASSERT_TRUE(killedHalfWay);
    EXPECT_EQ(Temporaries(dir.str()).size(), 4u);
    // The next run that saves removes what the killed one left.
    ASSERT_EQ(RunNovarel(dir, "ephemeris", SaveArgs + " --days 3").status, 0);
    EXPECT_EQ(Temporaries(dir.str()), std::vector<std::string>{});
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
    EXPECT_EQ(Temporaries(shared.str()), std::vector<std::string>{});
}

// strace stops a run at a chosen system call or makes that call fail, where
// the system lets it trace (a container may not).
bool CanTrace() { return Shell("strace -f -qq -o /dev/null true > /dev/null 2>&1") == 0; }

// strace acting on the run's first use of one data file of a set as the
// old name of a link: the step that keeps the old file before the new one
// is renamed onto it. Every other call of the run goes through untouched.
// The leak checker of a sanitizer build cannot work under a tracer.
std::string WhenTheSetReaches(const std::string& path, const std::string& action) {
    return "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" strace -f -qq -o /dev/null -P '" + path +
           "' -e trace=link,linkat -e inject=link,linkat:" + action + ":when=1 ";
}

TEST(DataFiles, AnIoErrorInTheMiddleOfTheSetPutsTheFirstFileBack) {
    if (!CanTrace()) GTEST_SKIP() << "strace cannot trace here";
    ProgramFolder dir;
    ASSERT_EQ(RunNovarel(dir, "ephemeris", SaveArgs + " --days 30").status, 0);
    const auto earlier = FilesOf(dir);
    // The set is put in place LO, LA, RA, DE: LO is renamed when LA fails.
    const std::string second = dir.file("180503LA.TEG");
    const auto r = RunNovarel(dir, "ephemeris", SaveArgs + " --days 366",
                              "LC_ALL=C " + WhenTheSetReaches(second, "error=EIO"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("The data file " + second +
                         " could not be written (Input/output error). The ephemeris was "
                         "stopped and the data files already in the folder were left as they "
                         "were."),
              std::string::npos)
        << r.err;
    EXPECT_EQ(FilesOf(dir), earlier);
    EXPECT_EQ(Temporaries(dir.str()), std::vector<std::string>{});
    EXPECT_FALSE(fs::exists(dir.file("novarel_SE.journal")));
}

TEST(DataFiles, ASetKilledBetweenItsRenamesIsRolledBackByTheNextRun) {
    if (!CanTrace()) GTEST_SKIP() << "strace cannot trace here";
    ProgramFolder dir;
    test::TempFolder pids;
    ASSERT_EQ(RunNovarel(dir, "ephemeris", SaveArgs + " --days 30").status, 0);
    const auto earlier = FilesOf(dir);
    // The run stops after its first rename, before its second, and is killed.
    ASSERT_EQ(Shell("cd / && " + WhenTheSetReaches(dir.file("180503LA.TEG"), "delay_enter=60s") +
                    "sh -c 'echo $$ > " + pids.file("run") + "; exec " + Exe() +
                    " ephemeris --dir " + dir.str() + " " + SaveArgs +
                    " --days 366' > /dev/null 2>&1 & echo $! > " + pids.file("strace")),
              0);
    const auto renamedFirst = [&] {
        return fs::exists(dir.file("novarel_SE.journal")) &&
               ReadBytes(dir.file("180503LO.TEG")) != earlier.at("180503LO.TEG");
    };
    for (int i = 0; i < 3000 && !renamedFirst(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(renamedFirst());
    const pid_t run = std::stoi(ReadBytes(pids.file("run")));
    const pid_t tracer = std::stoi(ReadBytes(pids.file("strace")));
    ASSERT_EQ(::kill(run, SIGKILL), 0);
    ::kill(tracer, SIGKILL);  // rather than wait out its delay
    while (::kill(tracer, 0) == 0 || ::kill(run, 0) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    // The folder holds one new file and three old ones, and the journal.
    auto mixed = earlier;
    mixed.erase("180503LO.TEG");
    auto now = FilesOf(dir);
    now.erase("180503LO.TEG");
    EXPECT_EQ(now, mixed);

    // The next run that saves into the folder, whatever its files, puts the
    // old set back.
    const auto next = RunNovarel(dir, "ephemeris", "--start 2018-05-04 --date-order 2 --save");
    ASSERT_EQ(next.status, 0) << next.err;
    EXPECT_EQ(FilesOf(dir), earlier);
    EXPECT_EQ(Temporaries(dir.str()), std::vector<std::string>{});
    EXPECT_FALSE(fs::exists(dir.file("novarel_SE.journal")));
}

TEST(DataFiles, ALockHeldByAnotherRunIsWaitedForThenTheRunFails) {
    ProgramFolder dir;
    ASSERT_EQ(RunNovarel(dir, "ephemeris", SaveArgs + " --days 30").status, 0);
    const auto earlier = FilesOf(dir);
    test::LockHolder other(dir.str());
    ASSERT_TRUE(other.holding());
    const std::string env = "LC_ALL=C NOVAREL_LOCK_WAIT=0.5";
    const std::string held =
        "another run saving into " + dir.str() + " still held its lock after 0.5 s";

    const auto r = RunNovarel(dir, "ephemeris", SaveArgs + " --days 366", env);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("waiting for another run saving into " + dir.str() + "\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("The data files could not be saved: " + held +
                         ". The ephemeris was stopped and the data files already in the "
                         "folder were left as they were."),
              std::string::npos)
        << r.err;
    EXPECT_EQ(FilesOf(dir), earlier);

    const auto a = RunNovarel(dir, "aspectarian", SaveArgs + " --days 3", env);
    EXPECT_EQ(a.status, 1);
    EXPECT_NE(a.err.find("waiting for another run saving into " + dir.str() + "\n"),
              std::string::npos)
        << a.err;
    EXPECT_NE(a.err.find("The data file " + dir.file("180503AS.TEG") +
                         " cannot be written: " + held + ". The aspectarian is shown without it."),
              std::string::npos)
        << a.err;
    EXPECT_FALSE(fs::exists(dir.file("180503AS.TEG")));
    EXPECT_EQ(Temporaries(dir.str()), std::vector<std::string>{});
}

TEST(DataFiles, ALockFileOfAnotherUserStopsTheRun) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs the superuser to run as another user";
    ProgramFolder dir;
    ASSERT_EQ(RunNovarel(dir, "ephemeris", SaveArgs + " --days 30").status, 0);
    const auto earlier = FilesOf(dir);
    ASSERT_EQ(::chmod(dir.str().c_str(), 0777), 0);
    ASSERT_EQ(::chmod(dir.file("novarel_SE.lock").c_str(), 0644), 0);
    const auto r = RunNovarel(dir, "ephemeris", SaveArgs + " --days 3",
                              "LC_ALL=C setpriv --reuid=65534 --regid=65534 --clear-groups");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("The data files could not be saved: the run lock " +
                         dir.file("novarel_SE.lock") + " cannot be opened (Permission denied)."),
              std::string::npos)
        << r.err;
    EXPECT_EQ(FilesOf(dir), earlier);
    EXPECT_EQ(Temporaries(dir.str()), std::vector<std::string>{});
}

}  // namespace
}  // namespace novarel
