// Exports under faults and options that would do nothing: a range whose data
// files stop fitting on the disk half-way leaves the earlier export as it
// was; an option the chosen output ignores is refused; an output that names
// a FIFO or a device is written into, not replaced.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/cli/cli_run.h"
#include "tests/support/tmpfs_folder.h"

namespace novarel {
namespace {
namespace fs = std::filesystem;
using clitest::ProgramFolder;
using clitest::ReadBytes;
using clitest::RunNovarel;

const auto Exe = clitest::NovarelExe;
using clitest::Shell;

// A program folder on a tmpfs of its own that has room for a few months of
// data files only.
class SmallDisk {
public:
    SmallDisk() : disk_("200k"), path_(disk_.str()) {
        if (!disk_.mounted()) return;
        fs::copy_file(std::string(NOVAREL_BUILD_DIR) + "/OPTIONS.OPT", path_ + "/OPTIONS.OPT");
        // Room for about 100 KB: five months of the ephemeris's four files.
        struct statvfs fsInfo {};
        ::statvfs(path_.c_str(), &fsInfo);
        const auto room = static_cast<long>(fsInfo.f_bavail * fsInfo.f_frsize);
        std::ofstream(path_ + "/filler", std::ios::binary)
            << std::string(static_cast<std::size_t>(std::max(0L, room - 100 * 1024)), 'x');
    }
    bool mounted() const { return disk_.mounted(); }
    const std::string& str() const { return path_; }

private:
    test::TmpfsFolder disk_;
    std::string path_;
};

struct Outcome {
    int status = -1;
    std::string err;
};

// novarel with the program folder given and stdout, stderr kept in `logs`.
Outcome Novarel(const std::string& folder, const std::string& args, const test::TempFolder& logs) {
    const std::string err = logs.file("err");
    const int status = Shell("cd / && env LC_ALL=C '" + Exe() + "' " + args + " --dir '" + folder +
                             "' > /dev/null 2> '" + err + "'");
    return Outcome{status, ReadBytes(err)};
}

TEST(FailedRange, TheEarlierExportStaysAsItWas) {
    struct Case {
        const char* command;
        const char* format;
        std::string tail;  // what every complete export of this format ends with
    };
    for (const Case& c : {Case{"ephemeris", "csv", "\r\n"}, Case{"ephemeris", "json", "]}\n"},
                          Case{"aspectarian", "ics", "END:VCALENDAR\r\n"}}) {
        SCOPED_TRACE(c.format);
        SmallDisk disk;
        if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
        test::TempFolder out, logs;
        const std::string range = std::string(c.command) + " --start 2018-01-01 --end " +
                                  "2019-12-31 --jobs 1 --format " + c.format + " --output '" +
                                  out.file("full") + "'";
        // The earlier export: the same range, no data files.
        ASSERT_EQ(Novarel(disk.str(), range, logs).status, 0);
        const std::string earlier = ReadBytes(out.file("full"));
        ASSERT_TRUE(earlier.ends_with(c.tail));
        // The aspectarian's files are small: more of the disk is taken.
        if (std::string(c.command) == "aspectarian")
            std::ofstream(disk.str() + "/filler2", std::ios::binary) << std::string(85 * 1024, 'x');

        const Outcome failed = Novarel(disk.str(), range + " --save", logs);
        EXPECT_EQ(failed.status, 1);
        // The period's own message says which data file did not fit.
        EXPECT_NE(failed.err.find("The data file " + disk.str() + "/"), std::string::npos)
            << failed.err;
        EXPECT_NE(failed.err.find("failed: " + out.file("full") + " was left as it was"),
                  std::string::npos)
            << failed.err;
        EXPECT_EQ(ReadBytes(out.file("full")), earlier);
        EXPECT_EQ(out.entries(), std::vector<std::string>{"full"});
    }
}

// On standard output the partial range cannot be taken back: the run says
// where it stopped and fails.
TEST(FailedRange, OnStandardOutputTheRunFails) {
    SmallDisk disk;
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
    test::TempFolder logs;
    const Outcome r =
        Novarel(disk.str(),
                "ephemeris --start 2018-01-01 --end 2019-12-31 --jobs 2 --format json "
                "--save",
                logs);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("failed: the output stops there"), std::string::npos) << r.err;
}

TEST(IdleOptions, AreRefusedNamingTheOption) {
    ProgramFolder dir;
    struct Case {
        const char* command;
        std::string args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"ephemeris", "--output x.csv --pdf y.pdf", "--output: not with --pdf"},
        {"ephemeris", "--format csv --pdf y.pdf", "--format: not with --pdf"},
        {"aspectarian", "--kinds aspect --pdf y.pdf", "--kinds: not with --pdf"},
        {"ephemeris", "--bodies sun", "--bodies: only the csv and json formats"},
        {"aspectarian", "--format text --kinds aspect", "--kinds: only the csv, json and ics"},
        {"ephemeris", "--format json --encoding cp1252", "--encoding: only the text format"},
        {"ephemeris", "--format csv --view ra", "--view: only the text format"},
        {"aspectarian", "--format ics --stations", "--stations: only the text format"},
        {"ephemeris", "--start 2100-12-31 --days 366",
         "--days: 366 days from 2100-12-31 run past 2100-12-31"},
        {"aspectarian", "--start 2100-12-02 --days 31", "--days: 31 days from 2100-12-02"},
    };
    for (const Case& c : cases) {
        const auto r = RunNovarel(dir, c.command, c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << "\n" << r.err;
        EXPECT_EQ(r.out, "") << c.args;
    }
    EXPECT_FALSE(fs::exists(dir.file("y.pdf")));
    // The last day itself is a period.
    EXPECT_EQ(RunNovarel(dir, "ephemeris", "--start 2100-12-01 --days 31").status, 0);

    const int empty =
        Shell("cd '" + dir.str() + "' && '" + Exe() + "' ephemeris --dir '' --days 1 > out 2> err");
    EXPECT_EQ(empty, 2);
    EXPECT_NE(ReadBytes(dir.file("err")).find("--dir: an empty name"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir.file("out")), "");
}

TEST(IdleOptions, AnOutputOntoAProgramFileIsRefused) {
    ProgramFolder dir;
    test::TempFolder elsewhere;
    fs::create_directory(dir.file("sub"));
    const std::string options = ReadBytes(dir.file("OPTIONS.OPT"));
    { std::ofstream(dir.file("novarel_SE.ini"), std::ios::binary) << "[settings]\n"; }
    for (const std::string& args :
         {"--output OPTIONS.OPT --out-dir '" + dir.str() + "/new/..'",
          "--output '" + dir.file("novarel_SE.ini") + "'",
          "--output '" + dir.file("sub/../NOVAREL.HLP") + "' --format csv",
          "--pdf '" + dir.file("OPTIONS.OPT") + "'"}) {
        const auto r = RunNovarel(dir, "ephemeris", args + " --days 2");
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find(args.substr(0, args.find(' ')) + ": "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("is the program's own"), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadBytes(dir.file("OPTIONS.OPT")), options);
    EXPECT_EQ(ReadBytes(dir.file("novarel_SE.ini")), "[settings]\n");
    EXPECT_FALSE(fs::exists(dir.file("NOVAREL.HLP")));
    EXPECT_FALSE(fs::exists(dir.file("new")));
    // The same name in another folder is an ordinary output.
    const auto r = RunNovarel(dir, "ephemeris",
                              "--days 2 --output OPTIONS.OPT --out-dir '" + elsewhere.str() + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_regular_file(elsewhere.file("OPTIONS.OPT")));
}

TEST(OutputFile, AFifoOrADeviceIsWrittenIntoNotReplaced) {
    ProgramFolder dir;
    test::TempFolder io;
    const std::string fifo = io.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string args = "--start 2018-05-03 --days 3 --format csv";
    const std::string run = "'" + Exe() + "' ephemeris --dir '" + dir.str() + "' " + args;
    EXPECT_EQ(Shell("cat '" + fifo + "' > '" + io.file("read") + "' & " + run + " --output '" +
                    fifo + "'; wait"),
              0);
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    const auto direct = RunNovarel(dir, "ephemeris", args);
    ASSERT_EQ(direct.status, 0);
    EXPECT_EQ(ReadBytes(io.file("read")), direct.out);

    // /dev/stdout names the descriptor: the output reaches the shell's file.
    EXPECT_EQ(Shell(run + " --output /dev/stdout > '" + io.file("stdout") + "'"), 0);
    EXPECT_EQ(ReadBytes(io.file("stdout")), direct.out);

    // A null device of the test's own, so that a fault cannot replace /dev/null.
    const std::string null = io.file("null");
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "cannot make a device node here (needs root)";
    EXPECT_EQ(Shell(run + " --output '" + null + "'"), 0);
    ASSERT_EQ(::lstat(null.c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(io.entries(), (std::vector<std::string>{"fifo", "null", "read", "stdout"}));
}

}  // namespace
}  // namespace novarel
