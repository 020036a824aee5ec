// The ephemeris command against its golden data files: the four data files
// and the Data window text, byte for byte (tests/data/ephemeris/cases.txt
// lists the cases; the same files are checked against swetest elsewhere).
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/ephemeris_cli_run.h"

namespace novarel {
namespace {

TEST(EphemerisGolden, DataFilesAndWindowTextByteForByte) {
    const std::string data = std::string(NOVAREL_TEST_DATA) + "/ephemeris";
    std::ifstream cases(data + "/cases.txt");
    std::string line;
    int count = 0;
    while (std::getline(cases, line)) {
        if (line.empty() || line[0] == '#') continue;
        const std::size_t a = line.find('|'), b = line.find('|', a + 1);
        std::string name = line.substr(0, a);
        name.erase(name.find_last_not_of(' ') + 1);
        const int raInHours = std::stoi(line.substr(a + 1, b - a - 1));
        const std::string args = line.substr(b + 1);
        SCOPED_TRACE(name + ":" + args);
        ++count;

        test::TempFolder dir;
        test::WriteOptionsFile(dir, raInHours);
        const test::CliResult r =
            test::RunNovarel("LC_ALL=C", "ephemeris --dir '" + dir.str() + "' " + args + " --encoding cp1252");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const std::string golden = data + "/" + name;
        EXPECT_EQ(r.out, test::ReadBytes(golden + "/stdout.txt"));

        std::vector<std::string> expected{"OPTIONS.OPT"};
        for (const auto& e : std::filesystem::directory_iterator(golden)) {
            const std::string file = e.path().filename().string();
            if (file == "stdout.txt" || file == "swetest.txt") continue;
            expected.push_back(file);
            EXPECT_EQ(test::ReadBytes(dir.file(file)), test::ReadBytes(e.path().string())) << file;
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(dir.entries(), expected);
    }
    EXPECT_EQ(count, 5);
}

}  // namespace
}  // namespace novarel
