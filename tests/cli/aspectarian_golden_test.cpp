// The aspectarian command against its golden cases (tests/data/aspectarian/
// cases.txt): the Data window text and the data files, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "tests/cli/aspectarian_cli_run.h"

namespace novarel {
namespace {

std::string Trimmed(std::string s) {
    s.erase(0, s.find_first_not_of(' '));
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

TEST(AspectarianGolden, WindowTextAndDataFilesByteForByte) {
    const std::string data = std::string(NOVAREL_TEST_DATA) + "/aspectarian";
    std::ifstream cases(data + "/cases.txt");
    std::string line;
    int count = 0;
    while (std::getline(cases, line)) {
        if (line.empty() || line[0] == '#') continue;
        const std::size_t a = line.find('|'), b = line.find('|', a + 1);
        const std::string name = Trimmed(line.substr(0, a));
        std::map<int, std::string> options;
        std::istringstream kv(line.substr(a + 1, b - a - 1));
        for (std::string item; kv >> item;)
            options[std::stoi(item.substr(0, item.find('=')))] = item.substr(item.find('=') + 1);
        const std::string args = Trimmed(line.substr(b + 1));
        SCOPED_TRACE(name + ": " + args);
        ++count;

        asptest::ProgramFolder dir(options);
        const asptest::CliResult r = asptest::RunNovarel(dir, "aspectarian --dir '" + dir.str() + "' " + args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const std::string golden = data + "/" + name;
        EXPECT_EQ(r.out, asptest::ReadBytes(golden + "/stdout.txt"));

        std::vector<std::string> expected{"OPTIONS.OPT"}, written;
        for (const auto& e : std::filesystem::directory_iterator(golden)) {
            const std::string file = e.path().filename().string();
            if (file == "stdout.txt") continue;
            expected.push_back(file);
            EXPECT_EQ(asptest::ReadBytes(dir.file(file)), asptest::ReadBytes(e.path().string())) << file;
        }
        for (const auto& e : std::filesystem::directory_iterator(dir.str()))
            written.push_back(e.path().filename().string());
        std::sort(expected.begin(), expected.end());
        std::sort(written.begin(), written.end());
        EXPECT_EQ(written, expected);
    }
    EXPECT_EQ(count, 7);
}

}  // namespace
}  // namespace novarel
