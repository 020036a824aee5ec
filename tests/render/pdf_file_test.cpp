// novarel --pdf under faults: a disk too small, a link at the name, a run
// killed half-way, a missing folder, a print file that cannot be written.
// Whatever happens, the PDF under its name is the earlier one or a whole
// new one, and a failure is said with its reason.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/cli/cli_run.h"
#include "tests/support/tmpfs_folder.h"

namespace novarel {
namespace {
namespace fs = std::filesystem;
using clitest::ProgramFolder;
using clitest::ReadBytes;
using clitest::RunNovarel;
using clitest::Shell;
using clitest::Temporaries;

const std::string Month = "--start 2000-01-01 --full-month";
const std::string Year = "--start 2000-01-01 --end 2000-12-31";

// An earlier month's PDF at path; its bytes.
std::string EarlierPdf(const ProgramFolder& dir, const std::string& path) {
    const auto r = RunNovarel(dir, "aspectarian", Month + " --pdf '" + path + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string bytes = ReadBytes(path);
    EXPECT_TRUE(bytes.starts_with("%PDF-")) << path;
    return bytes;
}

TEST(PdfFile, ADiskTooSmallKeepsTheEarlierPdf) {
    ProgramFolder dir;
    const test::TmpfsFolder disk("48k");
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
    const std::string& mounted = disk.str();
    const std::string pdf = disk.file("book.pdf");
    const std::string earlier = EarlierPdf(dir, pdf);
    const auto r = RunNovarel(dir, "aspectarian", Year + " --pdf '" + pdf + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("The PDF file " + pdf + " cannot be written: No space left on device."),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("Printed to the file"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(pdf), earlier);
    EXPECT_EQ(Temporaries(mounted), std::vector<std::string>{});
}

TEST(PdfFile, ALinkAtTheNameIsReplacedNotFollowed) {
    ProgramFolder dir;
    test::TempFolder elsewhere;
    const std::string target = elsewhere.file("precious.pdf");
    { std::ofstream(target, std::ios::binary) << "keep me\n"; }
    fs::create_symlink(target, dir.file("book.pdf"));
    const auto r = RunNovarel(dir, "ephemeris", "--start 2000-01-01 --pdf " + dir.file("book.pdf"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(target), "keep me\n");
    EXPECT_FALSE(fs::is_symlink(dir.file("book.pdf")));
    EXPECT_TRUE(ReadBytes(dir.file("book.pdf")).starts_with("%PDF-"));
}

// A FIFO, or a link to a descriptor as /dev/stdout is, is written into: a
// new file renamed onto it would take the place of the pipe or the link.
TEST(PdfFile, AFifoOrALinkToADescriptorIsWrittenInto) {
    ProgramFolder dir;
    test::TempFolder io;
    const std::string run =
        "'" + clitest::NovarelExe() + "' ephemeris --dir '" + dir.str() + "' " + Month + " --pdf ";
    const std::string fifo = io.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(Shell("timeout 10 cat '" + fifo + "' > '" + io.file("read") + "' & " + run + "'" +
                    fifo + "' 2> /dev/null; wait"),
              0);
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
    EXPECT_TRUE(ReadBytes(io.file("read")).starts_with("%PDF-"));

    // A stdout of the test's own, so that a fault cannot replace /dev/stdout.
    const std::string out = io.file("stdout");
    fs::create_symlink("/proc/self/fd/1", out);
    EXPECT_EQ(Shell(run + "'" + out + "' > '" + io.file("written") + "' 2> /dev/null"), 0);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(out)));
    const std::string written = ReadBytes(io.file("written"));
    EXPECT_TRUE(written.starts_with("%PDF-"));
    EXPECT_NE(written.find("%%EOF"), std::string::npos);
    EXPECT_EQ(io.entries(), (std::vector<std::string>{"fifo", "read", "stdout", "written"}));
}

TEST(PdfFile, AKilledRangeLeavesTheEarlierPdf) {
    ProgramFolder dir;
    const std::string pdf = dir.file("book.pdf");
    const std::string earlier = EarlierPdf(dir, pdf);
    const std::string run = std::string(NOVAREL_EXE) + " aspectarian --dir '" + dir.str() +
                            "' --start 2000-01-01 --end 2019-12-31 --pdf '" + pdf +
                            "' > /dev/null 2>&1 & echo $! > '" + dir.file("pid") + "'";
    ASSERT_EQ(Shell(run), 0);
    const pid_t pid = std::stoi(ReadBytes(dir.file("pid")));
    // Killed once the new PDF is on its way: its temporary is there.
    for (int i = 0; i < 400 && Temporaries(dir.str()).empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    ASSERT_FALSE(Temporaries(dir.str()).empty()) << "the range ended before it could be killed";
    ASSERT_EQ(::kill(pid, SIGKILL), 0);
    while (::kill(pid, 0) == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(ReadBytes(pdf), earlier);
    // The next print to the file removes what the killed one left.
    const auto r = RunNovarel(dir, "ephemeris", "--start 2000-01-01 --pdf '" + pdf + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(ReadBytes(pdf), earlier);
    EXPECT_EQ(Temporaries(dir.str()), std::vector<std::string>{});
}

TEST(PdfFile, FailuresAreSaidAndKeepTheEarlierPdf) {
    ProgramFolder dir;
    const std::string pdf = dir.file("book.pdf");
    const std::string earlier = EarlierPdf(dir, pdf);

    const std::string missing = dir.file("no/such/folder.pdf");
    auto r = RunNovarel(dir, "ephemeris", "--start 2000-01-01 --pdf '" + missing + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(
        r.err.find("The PDF file " + missing + " cannot be written: No such file or directory."),
        std::string::npos)
        << r.err;

    // The print file goes through the program folder first.
    fs::remove(dir.file("PRNTFILE.XXX"));
    fs::create_directory(dir.file("PRNTFILE.XXX"));
    r = RunNovarel(dir, "aspectarian", Year + " --pdf '" + pdf + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("The print file " + dir.file("PRNTFILE.XXX") + " cannot be written."),
              std::string::npos)
        << r.err;
    EXPECT_EQ(ReadBytes(pdf), earlier);
    EXPECT_EQ(Temporaries(dir.str()), std::vector<std::string>{});
}

// The program folder of these runs holds no glyph font: it is found beside
// the executable. A program without its printing module, or without any
// font, says what it looked for.
TEST(PdfModule, TheFontAndTheModuleAreFoundBesideTheProgram) {
    ProgramFolder dir;
    ASSERT_FALSE(fs::exists(dir.file("EPHEMERI.TTF")));
    EXPECT_FALSE(EarlierPdf(dir, dir.file("book.pdf")).empty());

    test::TempFolder bin;
    fs::copy_file(NOVAREL_EXE, bin.file("novarel"));
    const std::string run = bin.file("novarel") + " ephemeris --dir '" + dir.str() +
                            "' --start 2000-01-01 --pdf '" + dir.file("other.pdf") + "' 2> '" +
                            dir.file("err") + "'";
    EXPECT_EQ(Shell(run), 1);
    const std::string modules = bin.file("novarel_render.so") + " or " +
                                fs::path(bin.file("../lib")).lexically_normal().string();
    EXPECT_NE(ReadBytes(dir.file("err")).find("printing module " + modules), std::string::npos)
        << ReadBytes(dir.file("err"));

    fs::copy_file(NOVAREL_RENDER_MODULE, bin.file("novarel_render.so"));
    EXPECT_EQ(Shell(run), 1);
    const std::string installed =
        fs::path(bin.file("../share/novarel/EPHEMERI.TTF")).lexically_normal().string();
    EXPECT_NE(ReadBytes(dir.file("err"))
                  .find("the glyph font " + dir.file("EPHEMERI.TTF") + " cannot be loaded, nor " +
                        bin.file("EPHEMERI.TTF") + ", nor " + installed + "."),
              std::string::npos)
        << ReadBytes(dir.file("err"));
    EXPECT_FALSE(fs::exists(dir.file("other.pdf")));
}

}  // namespace
}  // namespace novarel
