// The aspectarian command: exit statuses, messages, the station listing
// below the page and the columns of the UTF-8 rendering.
#include <gtest/gtest.h>

#include <regex>

#include "core/glyphs.h"
#include "tests/cli/aspectarian_cli_run.h"

namespace novarel {
namespace {

using asptest::ProgramFolder;
using asptest::RunNovarel;

TEST(AspectarianCli, InputErrorExitsTwoWithTheMessageAndNoText) {
    ProgramFolder dir;
    const auto r = RunNovarel(dir, "aspectarian --dir '" + dir.str() + "' --start 2018-13-01 --days 1");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Warning!: Error in input data section. Please correct.\n");
    EXPECT_EQ(r.out, "");
}

TEST(AspectarianCli, UnwritableDataFileIsNamedAndTheReportStillShown) {
    ProgramFolder dir;
    std::filesystem::create_directory(dir.file("180503AS.TEG"));
    const auto r = RunNovarel(dir, "aspectarian --dir '" + dir.str() +
                                       "' --start 2018-05-03 --days 1 --date-order 2 --save");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Warning!: The data file " + dir.file("180503AS.TEG") + " cannot be written"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("  Tropical Aspectarian - Thursday, 03 May 2018 at noon, Greenwich"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("180503AS.TEG")));
}

TEST(AspectarianCli, StationsAreListedBelowTheAspectarianPage) {
    ProgramFolder dir;
    const std::string run = "aspectarian --dir '" + dir.str() +
                            "' --start 2018-03-20 --days 5 --date-order 1 --encoding cp1252";
    const auto page = RunNovarel(dir, run);
    const auto listed = RunNovarel(dir, run + " --stations");
    ASSERT_EQ(page.status, 0);
    ASSERT_EQ(listed.status, 0);
    // The page as it was (its last line break is the list's first), then one
    // entry holding the heading and a line per station, then ShowPage's lines.
    ASSERT_GT(listed.out.size(), page.out.size());
    EXPECT_EQ(listed.out.substr(0, page.out.size() - 2), page.out.substr(0, page.out.size() - 2));
    const std::string rest = listed.out.substr(page.out.size() - 2);
    const std::regex list(
        "\r\n  Changes in direction \\(in UT\\):\r\n"
        "  Mercury - 23 Mar 2018 at 00:19, 16\xC0" "54\\.5\r\n"
        "\r\n\r\n\r\n");
    EXPECT_TRUE(std::regex_match(rest, list)) << rest;

    // A period without stations: --stations adds nothing.
    const std::string quiet = "aspectarian --dir '" + dir.str() + "' --start 2018-05-03 --days 2";
    EXPECT_EQ(RunNovarel(dir, quiet + " --stations").out, RunNovarel(dir, quiet).out);
}

// Display column of each byte offset of a UTF-8 line (zodiac signs are wide).
std::vector<int> DisplayColumns(const std::string& utf8) {
    std::vector<int> cols;
    int col = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t cp = len == 1 ? b : b & (0xFF >> (len + 1));
        for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        for (int k = 0; k < len; ++k) cols.push_back(col);
        col += glyph::DisplayWidth(cp);
        i += static_cast<std::size_t>(len);
    }
    return cols;
}

TEST(AspectarianCli, TwoColumnRightColumnKeepsItsPlaceInUtf8) {
    ProgramFolder dir({{5, "1"}});
    const std::string run = "aspectarian --dir '" + dir.str() + "' --start 2018-08-01 --days 10 --date-order 2";
    const auto bytes = RunNovarel(dir, run + " --encoding cp1252");
    const auto utf8 = RunNovarel(dir, run);
    ASSERT_EQ(bytes.status, 0);
    std::istringstream a(bytes.out), b(utf8.out);
    std::string single, wide;
    const std::regex time(R"(\d\d:\d\d)");
    int rows = 0;
    while (std::getline(a, single) && std::getline(b, wide)) {
        single.erase(single.find_last_not_of('\r') + 1);
        std::vector<std::ptrdiff_t> at, atWide;
        for (auto it = std::sregex_iterator(single.begin(), single.end(), time); it != std::sregex_iterator(); ++it)
            at.push_back(it->position());
        for (auto it = std::sregex_iterator(wide.begin(), wide.end(), time); it != std::sregex_iterator(); ++it)
            atWide.push_back(it->position());
        ASSERT_EQ(at.size(), atWide.size()) << single;
        if (at.empty() || at.back() < 40) continue;
        ++rows;
        // The right column's time sits at the same column in both renderings.
        EXPECT_EQ(DisplayColumns(wide)[static_cast<std::size_t>(atWide.back())], at.back()) << wide;
    }
    EXPECT_GT(rows, 20);
}

}  // namespace
}  // namespace novarel
