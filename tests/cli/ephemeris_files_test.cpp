// Which ephemeris files serve which moment. Each test sets up the files it
// needs in a folder of its own and hands it to the library through
// SE_EPHE_PATH (which the library reads in place of the program's path), so
// that the answers do not depend on the files installed on the machine.
#include <gtest/gtest.h>

#include "tests/cli/cli_run.h"

namespace novarel::clitest {
namespace {

constexpr const char* SystemFiles = "/usr/share/libswe/ephe/";

// A folder holding copies of the system's files of those names; empty when
// one of them is not installed.
class EphemerisFolder : public test::TempFolder {
public:
    explicit EphemerisFolder(const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            std::error_code ec;
            if (!std::filesystem::copy_file(SystemFiles + name, file(name), ec)) {
                missing_ = std::string(SystemFiles) + name;
                return;
            }
        }
    }
    const std::string& missing() const { return missing_; }
    std::string env() const { return "LC_ALL=C SE_EPHE_PATH='" + str() + "'"; }

private:
    std::string missing_;
};

// The files of 1800 to 2399 begin on 1 January 1800; the aspectarian of that
// day also looks at the hour before it, which the library answers from its
// analytic ephemeris. The message says so, and names the folder the files are
// in, not the folders searched.
TEST(EphemerisFiles, TheFirstDayOfTheRangeSaysWhatTheFilesDoNotCover) {
    const EphemerisFolder files({"sepl_18.se1", "semo_18.se1"});
    if (!files.missing().empty()) GTEST_SKIP() << "no " << files.missing();
    ProgramFolder dir;
    const auto r = RunNovarel(dir, "aspectarian", "--start 1800-01-01 --days 3", files.env());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err.find("No Swiss Ephemeris files were found"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("The Swiss Ephemeris files in " + files.str() +
                         " do not cover every moment of this run."),
              std::string::npos)
        << r.err;
    const auto later = RunNovarel(dir, "aspectarian", "--start 1800-01-05 --days 3", files.env());
    EXPECT_EQ(later.status, 0);
    EXPECT_EQ(later.err, "");
    const auto version = RunNovarel(dir, "ephemeris", "--version", files.env());
    EXPECT_NE(version.out.find("\nEphemeris folder: " + files.str() + "\n"), std::string::npos)
        << version.out;

    // Without any file the folder searched is named.
    const EphemerisFolder none({});
    const auto bare = RunNovarel(dir, "ephemeris", "--start 2020-01-01 --days 1", none.env());
    EXPECT_EQ(bare.status, 0);
    EXPECT_NE(bare.err.find("No Swiss Ephemeris files were found in " + none.str() + "."),
              std::string::npos)
        << bare.err;
}

// The first month of 1800 reads the hour before it from the files of 1200 to
// 1799, which reach into 1800; what the library kept from them used to change
// the months a thread ran after it. Every month is what a run of its own
// gives, whatever the number of jobs and however the months fall on threads.
TEST(EphemerisFiles, AcrossTheTurnOfTheFilesAnyNumberOfJobsGivesTheSameBytes) {
    const EphemerisFolder files({"sepl_12.se1", "semo_12.se1", "sepl_18.se1", "semo_18.se1"});
    if (!files.missing().empty()) GTEST_SKIP() << "no " << files.missing();
    ProgramFolder dir;
    std::string months;
    for (const char* start : {"1800-01-01", "1800-02-01", "1800-03-01", "1800-04-01"}) {
        const auto month =
            RunNovarel(dir, "aspectarian", std::string("--start ") + start, files.env());
        ASSERT_EQ(month.status, 0) << month.err;
        months += month.out;
    }
    ASSERT_GT(months.size(), 10000u);
    for (int round = 0; round < 2; ++round) {
        for (const char* jobs : {"1", "2", "3"}) {
            const auto range = RunNovarel(
                dir, "aspectarian",
                std::string("--start 1800-01-01 --end 1800-04-30 --jobs ") + jobs, files.env());
            ASSERT_EQ(range.status, 0) << range.err;
            EXPECT_TRUE(range.out == months) << "--jobs " << jobs << ", round " << round;
        }
    }
}

}  // namespace
}  // namespace novarel::clitest
