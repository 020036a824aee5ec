// The command line under a damaged ephemeris file: the library's error stops
// the run with exit status 1, a "Warning!" with the library's text and no
// data file, instead of a table of 00 Aries 00.0.
#include <gtest/gtest.h>

#include "tests/cli/cli_run.h"

namespace novarel {
namespace {

constexpr const char* PlanetFile = "/usr/share/libswe/ephe/sepl_18.se1";

TEST(LibraryErrors, DamagedEphemerisFileInTheProgramFolderStopsEveryRun) {
    if (!std::filesystem::exists(PlanetFile)) GTEST_SKIP() << "no " << PlanetFile;
    for (const std::string command : {"ephemeris", "aspectarian"}) {
        SCOPED_TRACE(command);
        clitest::ProgramFolder dir;
        // The first 20,000 bytes of the planets' file: found first, read as damaged.
        std::ofstream(dir.file("sepl_18.se1"), std::ios::binary)
            << clitest::ReadBytes(PlanetFile).substr(0, 20000);
        const auto r =
            clitest::RunNovarel(dir, command, "--start 2025-01-01 --days 3 --save --date-order 2");
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("Warning!: "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(dir.file("sepl_18.se1") + " is damaged"), std::string::npos) << r.err;
        EXPECT_EQ(r.out.find("00\u2648"
                             "00.0"),
                  std::string::npos);
        EXPECT_EQ(dir.entries(), (std::vector<std::string>{"OPTIONS.OPT", "sepl_18.se1"}));
    }
}

// 64 bytes of 0xFF at offset 300 of the planets' file: the library reads
// Mercury's coefficients as NaN and reports no failure. The first value that
// is not a number stops the run like a failure, naming body and moment.
TEST(LibraryErrors, APositionThatIsNotANumberStopsEveryRun) {
    if (!std::filesystem::exists(PlanetFile)) GTEST_SKIP() << "no " << PlanetFile;
    std::string damaged = clitest::ReadBytes(PlanetFile);
    ASSERT_GT(damaged.size(), 364u);
    damaged.replace(300, 64, 64, '\xff');
    for (const auto& [command, moment] :
         {std::pair{"ephemeris", "2020-01-01 12:00 UT"}, {"aspectarian", "2019-12-31 23:00 UT"}}) {
        for (const std::string format : {"text", "csv", "json"}) {
            SCOPED_TRACE(std::string(command) + " " + format);
            clitest::ProgramFolder dir;
            std::ofstream(dir.file("sepl_18.se1"), std::ios::binary) << damaged;
            const auto r = clitest::RunNovarel(
                dir, command, "--start 2020-01-01 --days 3 --save --format " + format);
            EXPECT_EQ(r.status, 1);
            EXPECT_NE(r.err.find("The Swiss Ephemeris library reported an error: the position of "
                                 "Mercury at " +
                                 std::string(moment) +
                                 " is not a finite number. The run was stopped; no data file "
                                 "was written."),
                      std::string::npos)
                << r.err;
            // An export's head may have gone out before the run stopped; no record did.
            if (format == "text") {
                EXPECT_EQ(r.out, "");
            }
            std::string lower = r.out;
            for (char& c : lower)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            EXPECT_EQ(lower.find("nan"), std::string::npos) << r.out;
            EXPECT_EQ(lower.find("mercury"), std::string::npos) << r.out;
            EXPECT_EQ(dir.entries(), (std::vector<std::string>{"OPTIONS.OPT", "sepl_18.se1"}));
        }
    }
}

TEST(LibraryErrors, RequiredFilesChangeNothingWhenTheFilesAreThere) {
    clitest::ProgramFolder dir;
    const std::string args = "--start 2025-02-10 --days 2 --date-order 2";
    const auto plain = clitest::RunNovarel(dir, "ephemeris", args);
    const auto required = clitest::RunNovarel(dir, "ephemeris", args + " --require-files");
    EXPECT_EQ(required.status, 0) << required.err;
    EXPECT_EQ(required.err, "");
    EXPECT_EQ(required.out, plain.out);
}

}  // namespace
}  // namespace novarel
