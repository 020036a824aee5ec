// The ephemeris command as a user meets it: exit status and messages for bad
// input, the current month by default, UTF-8 columns in a terminal, the
// names of the LC_TIME locale, a data file that cannot be written, --help.
#include <gtest/gtest.h>

#include <clocale>
#include <cwchar>
#include <regex>

#include "cli/request_options.h"
#include "core/julian_day.h"
#include "tests/cli/ephemeris_cli_run.h"

namespace novarel {
namespace {
using test::RunNovarel;
using test::TempFolder;

const std::string InputMessage = "Warning!: Error in input data section. Please correct.\n";

std::string Ephemeris(const TempFolder& dir, const std::string& args) {
    return "ephemeris --dir '" + dir.str() + "' " + args;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

TEST(EphemerisCli, InputErrors) {
    TempFolder dir;
    test::WriteOptionsFile(dir, 1);
    // The date check: one message per failed check, status 2, nothing written.
    for (const auto& [start, reports] :
         {std::pair{"1799-12-31", 1}, std::pair{"2101-01-01", 1}, std::pair{"2018-13-01", 1},
          std::pair{"2018-05-32", 1}, std::pair{"2018-00-10", 1}, std::pair{"2018--03", 2},
          std::pair{"2018-ab-03", 1}, std::pair{"-05-03", 3}}) {
        SCOPED_TRACE(start);
        const auto r = RunNovarel("LC_ALL=C", Ephemeris(dir, std::string("--save --start=") + start));
        EXPECT_EQ(r.status, 2);
        std::string expected;
        for (int i = 0; i < reports; ++i) expected += InputMessage;
        EXPECT_EQ(r.err, expected);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"OPTIONS.OPT"});
    }
    // Malformed command lines: a usage message, status 2.
    for (const std::string args : {"--start 2018/05/03", "--start 20180503", "--start 2018-05-03-01",
                                   "--bogus", "--zodiac lunar", "--view moon", "--days",
                                   "--midnight --noon"}) {
        SCOPED_TRACE(args);
        const auto r = RunNovarel("LC_ALL=C", Ephemeris(dir, "--save " + args));
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err, "");
        EXPECT_EQ(r.err.find("Error in input data section"), std::string::npos);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"OPTIONS.OPT"});
    }
}

TEST(EphemerisCli, WithoutOptionsTheCurrentMonthAtNoon) {
    TempFolder dir;
    test::WriteOptionsFile(dir, 1);
    const std::string today = cli::TodayUtc();
    const auto r = RunNovarel("LC_ALL=C", Ephemeris(dir, ""));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const int year = std::stoi(today.substr(0, 4)), month = std::stoi(today.substr(5, 2));
    const int days = static_cast<int>(CalendarToJulianDay(year, month + 1, 1) -
                                      CalendarToJulianDay(year, month, 1));
    const std::string mon = LocaleNames::English().monthAbbrev[static_cast<std::size_t>(month - 1)];
    const auto lines = Lines(r.out);
    ASSERT_GT(lines.size(), 2u);
    EXPECT_NE(lines[1].find(", 01 " + mon + " " + today.substr(0, 4) + " at noon, Greenwich   SVP = "),
              std::string::npos)
        << lines[1];
    int rows = 0;
    for (const auto& l : lines) rows += std::regex_search(l, std::regex("^  \\d\\d " + mon + " ")) ? 1 : 0;
    EXPECT_EQ(rows, days);
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
}

// Terminal columns of each character of a UTF-8 line, by the C library's
// wcwidth (the measure terminals use).
std::vector<int> TerminalColumns(const std::string& line, std::vector<wchar_t>& chars) {
    std::vector<int> cols;
    std::mbstate_t st{};
    int col = 0;
    for (std::size_t i = 0; i < line.size();) {
        wchar_t wc = 0;
        const std::size_t n = std::mbrtowc(&wc, line.data() + i, line.size() - i, &st);
        if (n == 0 || n > line.size()) return {};
        chars.push_back(wc);
        cols.push_back(col);
        col += wcwidth(wc);
        i += n;
    }
    return cols;
}

TEST(EphemerisCli, Utf8ColumnsStandUnderTheirHeadings) {
    const char* previous = std::setlocale(LC_CTYPE, "C.UTF-8");
    if (previous == nullptr) GTEST_SKIP() << "no C.UTF-8 locale";
    TempFolder dir;
    test::WriteOptionsFile(dir, 1);
    for (const std::string view : {"longitude", "latitude", "declination", "ra"}) {
        SCOPED_TRACE(view);
        const auto r = RunNovarel("LC_ALL=C", Ephemeris(dir, "--start 2018-05-01 --view " + view));
        ASSERT_EQ(r.status, 0) << r.err;
        const auto lines = Lines(r.out);
        ASSERT_GT(lines.size(), 6u);
        // The rules line is plain ASCII: its dash groups give the columns.
        std::vector<int> groups;
        for (std::size_t i = 0; i < lines[5].size(); ++i)
            if (lines[5][i] == '-' && lines[5][i - 1] == ' ') groups.push_back(static_cast<int>(i));
        ASSERT_EQ(groups.size(), 13u);
        int rows = 0;
        for (const std::string& line : lines) {
            if (!std::regex_search(line, std::regex("^  \\d\\d May "))) continue;
            ++rows;
            std::vector<wchar_t> chars;
            const std::vector<int> cols = TerminalColumns(line, chars);
            ASSERT_FALSE(cols.empty()) << line;
            // Each body's text begins at the first column of its rule and ends
            // inside it.
            std::vector<std::pair<int, int>> words;
            for (std::size_t i = 0; i < chars.size(); ++i) {
                if (chars[i] == L' ' || cols[i] < groups[2]) continue;
                if (i == 0 || chars[i - 1] == L' ') words.push_back({cols[i], cols[i]});
                words.back().second = cols[i] + wcwidth(chars[i]) - 1;
            }
            ASSERT_GE(words.size(), 11u) << line;  // "hh mm ss" has more words
            std::size_t w = 0;
            for (int k = 0; k < 11; ++k) {
                const int first = groups[static_cast<std::size_t>(k + 2)];
                EXPECT_EQ(words[w].first, first) << line;
                while (w + 1 < words.size() && words[w + 1].first < first + 10) ++w;
                EXPECT_LE(words[w].second, first + 7) << line;
                ++w;
            }
        }
        EXPECT_EQ(rows, 31);
    }
    std::setlocale(LC_CTYPE, "C");
}

TEST(EphemerisCli, NamesAndDateOrderOfTheLocale) {
    TempFolder locales;
    const std::string make = "localedef -i de_DE -f UTF-8 '" + locales.file("de_DE.UTF-8") +
                             "' > /dev/null 2>&1";
    if (std::system(make.c_str()) != 0) GTEST_SKIP() << "localedef cannot build de_DE.UTF-8";
    TempFolder dir;
    test::WriteOptionsFile(dir, 1);
    const auto r = RunNovarel("LC_ALL=de_DE.UTF-8 LOCPATH='" + locales.str() + "'",
                              Ephemeris(dir, "--start 2018-03-01 --days 2 --save"));
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_GT(lines.size(), 8u);
    // "M\xE4r" would be drawn with the Jupiter symbol in place of the letter.
    EXPECT_NE(lines[1].find("Tropical Ephemeris - Donnerstag, 01 Mar 2018 at noon"), std::string::npos)
        << lines[1];
    EXPECT_EQ(lines[7].substr(0, 9), "  01 Mar ");
    // Day, month, year in the German order.
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"010318DE.TEG", "010318LA.TEG", "010318LO.TEG",
                                                       "010318RA.TEG", "OPTIONS.OPT"}));
    EXPECT_NE(test::ReadBytes(dir.file("010318LO.TEG")).find("Donnerstag, 01 Mar 2018"),
              std::string::npos);
}

TEST(EphemerisCli, DataFileThatCannotBeWritten) {
    TempFolder dir;
    test::WriteOptionsFile(dir, 1);
    std::filesystem::create_directory(dir.file("180503LO.TEG"));
    const auto r = RunNovarel("LC_ALL=C", Ephemeris(dir, "--start 2018-05-03 --days 3 --save --date-order 2"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("Warning!: The data file " + dir.file("180503LO.TEG") + " could not be written", 0),
              0u)
        << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"180503LO.TEG", "OPTIONS.OPT"}));

    // Without --save the same folder is no obstacle.
    const auto ok = RunNovarel("LC_ALL=C", Ephemeris(dir, "--start 2018-05-03 --days 3 --date-order 2"));
    EXPECT_EQ(ok.status, 0);
}

TEST(EphemerisCli, HelpGivesEveryOptionWithItsDefault) {
    const auto r = RunNovarel("LC_ALL=C", "ephemeris --help");
    ASSERT_EQ(r.status, 0);
    for (const std::string option :
         {"--start", "--days", "--full-month", "--midnight", "--noon", "--geo", "--helio", "--zodiac",
          "--node", "--moon-change-only", "--no-moon-ingress", "--save", "--dir", "--date-order",
          "--encoding", "--view"}) {
        SCOPED_TRACE(option);
        const std::size_t at = r.out.find("  " + option + " ");
        ASSERT_NE(at, std::string::npos) << r.out;
        // The option's text up to the next option names its default.
        const std::size_t next = r.out.find("\n  --", at + 1);
        EXPECT_NE(r.out.substr(at, next - at).find("default"), std::string::npos)
            << r.out.substr(at, next - at);
    }
}

}  // namespace
}  // namespace novarel
