// The commands against their golden cases, byte for byte: the Data window
// text and every file written. Each line of tests/data/<command>/cases.txt is
// "name | options file values | arguments"; the case folder holds stdout.txt
// and the files --save wrote (beside the ephemeris files, swetest.txt is
// their reference, checked cell by cell in tests/ephemeris).
#include <gtest/gtest.h>

#include "tests/cli/cli_run.h"

namespace novarel {
namespace {
using clitest::ReadBytes;

std::string Trimmed(std::string s) {
    s.erase(0, s.find_first_not_of(' '));
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

// A bare value in the options field is the value of option `bareOption`.
void CheckGoldenCases(const std::string& command, const std::string& extraArgs, int bareOption,
                      int expectedCases) {
    const std::string data = std::string(NOVAREL_TEST_DATA) + "/" + command;
    std::ifstream cases(data + "/cases.txt");
    int count = 0;
    for (std::string line; std::getline(cases, line);) {
        if (line.empty() || line[0] == '#') continue;
        const std::size_t a = line.find('|'), b = line.find('|', a + 1);
        const std::string name = Trimmed(line.substr(0, a));
        std::map<int, std::string> options;
        std::istringstream values(line.substr(a + 1, b - a - 1));
        for (std::string item; values >> item;) {
            const std::size_t eq = item.find('=');
            options[eq == std::string::npos ? bareOption : std::stoi(item.substr(0, eq))] =
                item.substr(eq + 1);
        }
        const std::string args = Trimmed(line.substr(b + 1)) + extraArgs;
        SCOPED_TRACE(name + ": " + args);
        ++count;

        clitest::ProgramFolder dir(options);
        const clitest::CliResult r = clitest::RunNovarel(dir, command, args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const std::string golden = data + "/" + name;
        EXPECT_EQ(r.out, ReadBytes(golden + "/stdout.txt"));
        std::vector<std::string> expected{"OPTIONS.OPT"};
        for (const auto& e : std::filesystem::directory_iterator(golden)) {
            const std::string file = e.path().filename().string();
            if (file == "stdout.txt" || file == "swetest.txt") continue;
            expected.push_back(file);
            EXPECT_EQ(ReadBytes(dir.file(file)), ReadBytes(e.path().string())) << file;
        }
        // A run that saved leaves the folder's run lock beside its files.
        if (expected.size() > 1) expected.push_back("novarel_SE.lock");
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(dir.entries(), expected);
    }
    EXPECT_EQ(count, expectedCases);
}

TEST(Golden, EphemerisDataFilesAndSingleByteWindowText) {
    CheckGoldenCases("ephemeris", " --encoding cp1252", 11, 5);
}

TEST(Golden, AspectarianWindowTextAndDataFile) { CheckGoldenCases("aspectarian", "", 0, 7); }

}  // namespace
}  // namespace novarel
