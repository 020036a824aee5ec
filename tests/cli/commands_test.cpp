// The ephemeris and aspectarian commands as a user meets them: exit statuses
// and messages, the current month by default, columns in a UTF-8 terminal,
// the names of the LC_TIME locale, data files that cannot be written, the
// station listing's messages, --help. The aspectarian's two columns in UTF-8
// are in the golden case aug2018_two_columns.
#include <gtest/gtest.h>

#include <clocale>
#include <regex>

#include "cli/request_options.h"
#include "core/julian_day.h"
#include "core/locale_names.h"
#include "tests/cli/cli_run.h"

namespace novarel {
namespace {
using clitest::Lines;
using clitest::ProgramFolder;
using clitest::RunNovarel;

TEST(Commands, InputErrors) {
    ProgramFolder dir;
    // Each bad value is named with the option and what is accepted; status 2,
    // nothing written, nothing on stdout.
    const std::string dates = "is not a calendar date YYYY-MM-DD from 1800-01-01 to 2100-12-31";
    const std::string days = "is not a whole number of days from 1 to 366";
    for (const auto& [command, args, message] : {
             std::tuple{"ephemeris", "--start=1799-12-31", "--start: '1799-12-31' " + dates},
             {"ephemeris", "--start=2101-01-01", "--start: '2101-01-01' " + dates},
             {"ephemeris", "--start=2018-13-01", "--start: '2018-13-01' " + dates},
             {"ephemeris", "--start=2025-02-31", "--start: '2025-02-31' " + dates},
             {"ephemeris", "--start=2100-02-29", "--start: '2100-02-29' " + dates},
             {"ephemeris", "--start=2018-00-10", "--start: '2018-00-10' " + dates},
             {"ephemeris", "--start=2018--03", "--start: '2018--03' " + dates},
             {"ephemeris", "--start=2025-01-01junk", "--start: '2025-01-01junk' " + dates},
             {"ephemeris", "--start=+2025-01-01", "--start: '+2025-01-01' " + dates},
             {"ephemeris", "--start 2018-5-3", "--start: '2018-5-3' " + dates},
             {"aspectarian", "--start=2018-13-01", "--start: '2018-13-01' " + dates},
             {"ephemeris", "--days=-5", "--days: '-5' " + days},
             {"ephemeris", "--days 1e3", "--days: '1e3' " + days},
             {"ephemeris", "--days ''", "--days: '' " + days},
             {"ephemeris", "--days 0", "--days: '0' " + days},
             {"aspectarian", "--days 367", "--days: '367' " + days},
             {"ephemeris", "--days 3 --full-month", std::string("--days excludes --full-month")},
             {"ephemeris", "--start 2020-03-01 --end 2020-02-29",
              std::string("--end: 2020-02-29 comes before the start 2020-03-01")},
             {"ephemeris", "--stations",
              std::string("--stations: only the aspectarian command takes this option")},
             {"ephemeris", "--moon-change-only",
              std::string("--moon-change-only: only the aspectarian command takes this option")},
             {"ephemeris", "--no-moon-ingress",
              std::string("--no-moon-ingress: only the aspectarian command takes this option")},
             {"ephemeris", "--aspects quintile",
              std::string("--aspects: only the aspectarian command takes this option")},
             {"aspectarian", "--aspects quintile,sesquisquare",
              std::string("--aspects: 'sesquisquare' is not a minor aspect: semisextile, "
                          "semisquare, quintile, sesquiquadrate, biquintile, quincunx, all or "
                          "none")},
             {"aspectarian", "--aspects ''",
              std::string("--aspects: '' is not a minor aspect: semisextile, semisquare, "
                          "quintile, sesquiquadrate, biquintile, quincunx, all or none")},
         }) {
        SCOPED_TRACE(std::string(command) + " " + args);
        const auto r = RunNovarel(dir, command, std::string("--save ") + args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "novarel: " + message + "\nRun with --help for more information.\n");
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"OPTIONS.OPT"});
    }
    // Malformed command lines: a usage message, status 2.
    for (const std::string args :
         {"--bogus", "--zodiac lunar", "--view moon", "--days", "--midnight --noon"}) {
        SCOPED_TRACE(args);
        const auto r = RunNovarel(dir, "ephemeris", "--save " + args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err, "");
        EXPECT_EQ(r.err.find("Error in input data section"), std::string::npos);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"OPTIONS.OPT"});
    }
    // A command that does not exist is named.
    const auto r = RunNovarel(dir, "ephemerides", "");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("novarel: unknown command 'ephemerides'; the commands are ephemeris, "
                          "aspectarian, transits and graph.\n",
                          0),
              0u)
        << r.err;
}

// The minor aspects are off as shipped; lines 13 to 18 of the options file
// or --aspects choose them, --aspects before the file.
TEST(Commands, MinorAspectsFromTheOptionsFileOrTheCommandLine) {
    const std::string days = "--start 2024-03-01 --days 7 --encoding cp1252";
    const auto aspectLines = [](const std::string& text, const std::string& mark) {
        std::vector<std::string> found;
        for (const std::string& line : Lines(text, "\r\n"))
            if (line.size() > 19 && line.compare(18, mark.size(), mark) == 0) found.push_back(line);
        return found;
    };
    ProgramFolder shipped;
    const auto plain = RunNovarel(shipped, "aspectarian", days);
    ASSERT_EQ(plain.status, 0) << plain.err;
    const auto quintiles =
        RunNovarel(shipped, "aspectarian", days + " --aspects quintile,biquintile");
    ASSERT_EQ(quintiles.status, 0) << quintiles.err;
    // The Moon alone makes several in a week; each line is the plain
    // run's layout with one more event.
    EXPECT_GE(aspectLines(quintiles.out, "Q").size(), 2u);
    EXPECT_GE(aspectLines(quintiles.out, "bQ").size(), 2u);
    EXPECT_EQ(Lines(quintiles.out, "\r\n").size(), Lines(plain.out, "\r\n").size() +
                                                       aspectLines(quintiles.out, "Q").size() +
                                                       aspectLines(quintiles.out, "bQ").size());
    EXPECT_EQ(aspectLines(plain.out, "Q").size() + aspectLines(plain.out, "bQ").size(), 0u);

    ProgramFolder chosen({{15, "1"}, {17, "1"}});
    EXPECT_EQ(RunNovarel(chosen, "aspectarian", days).out, quintiles.out);
    EXPECT_EQ(RunNovarel(chosen, "aspectarian", days + " --aspects none").out, plain.out);

    // Every minor aspect by its word and symbol in the exports.
    const auto csv = RunNovarel(shipped, "aspectarian",
                                "--start 2024-03-01 --days 7 --aspects all --format csv");
    ASSERT_EQ(csv.status, 0) << csv.err;
    for (const char* word : {",semisextile,", ",semisquare,", ",quintile,", ",sesquiquadrate,",
                             ",biquintile,", ",quincunx,"})
        EXPECT_NE(csv.out.find(word), std::string::npos) << word;
    const auto ics = RunNovarel(shipped, "aspectarian",
                                "--start 2024-03-01 --days 7 --aspects all --format ics");
    for (const char* summary : {" \u26BA ", " \u2220 ", " Q ", " \u26BC ", " bQ ", " \u26BB "})
        EXPECT_NE(ics.out.find(summary), std::string::npos) << summary;
}

TEST(Commands, EphemerisWithoutOptionsIsTheCurrentMonthAtNoon) {
    ProgramFolder dir;
    const CivilDate today = cli::TodayUtc();
    const auto r = RunNovarel(dir, "ephemeris", "");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const int year = today.year, month = today.month;
    const auto days = static_cast<int>(CalendarToJulianDay(year, month + 1, 1) -
                                       CalendarToJulianDay(year, month, 1));
    const std::string mon = LocaleNames::English().monthAbbrev[static_cast<std::size_t>(month - 1)];
    const auto lines = Lines(r.out);
    ASSERT_GT(lines.size(), 2u);
    EXPECT_NE(
        lines[1].find(", 01 " + mon + " " + std::to_string(year) + " at noon, Greenwich   SVP = "),
        std::string::npos)
        << lines[1];
    int rows = 0;
    for (const auto& l : lines)
        rows += std::regex_search(l, std::regex("^  \\d\\d " + mon + " ")) ? 1 : 0;
    EXPECT_EQ(rows, days);
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
}

TEST(Commands, EphemerisUtf8ColumnsStandUnderTheirHeadings) {
    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) GTEST_SKIP() << "no C.UTF-8 locale";
    for (const auto& [view, raInHours] : {std::pair{"longitude", "1"},
                                          {"latitude", "1"},
                                          {"declination", "1"},
                                          {"ra", "1"},
                                          {"ra", "0"}}) {
        SCOPED_TRACE(std::string(view) + " option 11 = " + raInHours);
        ProgramFolder dir({{11, raInHours}});
        const auto r =
            RunNovarel(dir, "ephemeris", std::string("--start 2018-05-01 --view ") + view);
        ASSERT_EQ(r.status, 0) << r.err;
        const auto lines = Lines(r.out);
        ASSERT_GT(lines.size(), 6u);
        // The rules line is plain ASCII: its dash groups give the columns.
        std::vector<int> rules;
        for (std::size_t i = 1; i < lines[5].size(); ++i)
            if (lines[5][i] == '-' && lines[5][i - 1] == ' ') rules.push_back(static_cast<int>(i));
        ASSERT_EQ(rules.size(), 13u);
        int rows = 0;
        for (const std::string& line : lines) {
            if (!std::regex_search(line, std::regex("^  \\d\\d May "))) continue;
            ++rows;
            const std::vector<int> cols = clitest::TerminalColumns(line);
            ASSERT_FALSE(cols.empty()) << line;
            // First and last cell of each word right of the sidereal time.
            std::vector<std::pair<int, int>> words;
            for (std::size_t i = 0; i < line.size(); ++i) {
                if (line[i] == ' ' || cols[i] < rules[2]) continue;
                if (line[i - 1] == ' ') words.push_back({cols[i], 0});
                words.back().second = cols[i + 1] - 1;
            }
            ASSERT_GE(words.size(), 11u) << line;  // "hh mm ss" has more words
            // Each body's text begins at the first cell of its rule and ends inside it.
            std::size_t w = 0;
            for (std::size_t k = 0; k < 11; ++k, ++w) {
                const int first = rules[k + 2];
                EXPECT_EQ(words[w].first, first) << line;
                while (w + 1 < words.size() && words[w + 1].first < first + 10) ++w;
                EXPECT_LE(words[w].second, first + 7) << line;
            }
        }
        EXPECT_EQ(rows, 31);
    }
    std::setlocale(LC_CTYPE, "C");
}

TEST(Commands, EphemerisNamesAndDateOrderOfTheLocale) {
    ProgramFolder locales;
    const std::string make =
        "localedef -i de_DE -f UTF-8 '" + locales.file("de_DE.UTF-8") + "' > /dev/null 2>&1";
    if (std::system(make.c_str()) != 0) GTEST_SKIP() << "localedef cannot build de_DE.UTF-8";
    ProgramFolder dir;
    const auto r = RunNovarel(dir, "ephemeris", "--start 2018-03-01 --days 2 --save",
                              "LC_ALL=de_DE.UTF-8 LOCPATH='" + locales.str() + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_GT(lines.size(), 8u);
    // UTF-8 output has the locale's own "M\u00e4r"; in single-byte text "M\xE4r"
    // would be drawn with the Jupiter symbol in place of the letter, so the
    // data file has "Mar".
    EXPECT_NE(lines[1].find("Tropical Ephemeris - Donnerstag, 01 M\u00e4r 2018 at noon"),
              std::string::npos)
        << lines[1];
    EXPECT_EQ(lines[7].substr(0, 10), "  01 M\u00e4r ");
    // Day, month, year in the German order.
    EXPECT_EQ(dir.entries(),
              (std::vector<std::string>{"010318DE.TEG", "010318LA.TEG", "010318LO.TEG",
                                        "010318RA.TEG", "OPTIONS.OPT", "novarel_SE.lock"}));
    EXPECT_NE(clitest::ReadBytes(dir.file("010318LO.TEG")).find("Donnerstag, 01 Mar 2018"),
              std::string::npos);
}

// Names in letters the single-byte text lacks: UTF-8 output has them, in the
// cells the columns need; single-byte output and data files have English.
TEST(Commands, NamesOfLocalesBeyondTheSingleByteText) {
    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) GTEST_SKIP() << "no C.UTF-8 locale";
    ProgramFolder locales, dir;
    const std::string run = "--start 2018-10-01 --days 2 --date-order 2";
    const auto english = Lines(RunNovarel(dir, "ephemeris", run).out);
    ASSERT_GT(english.size(), 8u);
    int built = 0;
    for (const auto& [locale, weekday, month] :
         {std::tuple{"ru_RU", "\u041f\u043e\u043d\u0435\u0434\u0435\u043b\u044c\u043d\u0438\u043a",
                     "\u043e\u043a\u0442"},
          {"el_GR", "\u0394\u03b5\u03c5\u03c4\u03ad\u03c1\u03b1", "\u039f\u03ba\u03c4"},
          {"ja_JP", "\u6708\u66dc\u65e5", "10 "}}) {
        SCOPED_TRACE(locale);
        const std::string make = std::string("localedef -i ") + locale + " -f UTF-8 '" +
                                 locales.file(std::string(locale) + ".UTF-8") +
                                 "' > /dev/null 2>&1";
        if (std::system(make.c_str()) != 0) continue;
        ++built;
        const std::string env =
            std::string("LC_ALL=") + locale + ".UTF-8 LOCPATH='" + locales.str() + "'";
        const auto r = RunNovarel(dir, "ephemeris", run + " --save", env);
        ASSERT_EQ(r.status, 0) << r.err;
        const auto lines = Lines(r.out);
        ASSERT_EQ(lines.size(), english.size());
        EXPECT_EQ(r.out.find('?'), std::string::npos) << r.out;
        EXPECT_NE(lines[1].find(std::string("Tropical Ephemeris - ") + weekday + ", 01 " + month),
                  std::string::npos)
            << lines[1];
        // Every row keeps its cells: the same terminal columns as in English.
        for (std::size_t i = 6; i < lines.size(); ++i)
            EXPECT_EQ(clitest::TerminalColumns(lines[i]).back(),
                      clitest::TerminalColumns(english[i]).back())
                << lines[i];
        // Single-byte text falls back to the English names, never to "?".
        const auto bytes = RunNovarel(dir, "ephemeris", run + " --encoding cp1252", env);
        EXPECT_NE(bytes.out.find("Tropical Ephemeris - Monday, 01 Oct 2018"), std::string::npos);
        EXPECT_NE(clitest::ReadBytes(dir.file("181001LO.TEG")).find("Monday, 01 Oct 2018"),
                  std::string::npos);
        EXPECT_EQ(bytes.out.find('?'), std::string::npos);
    }
    std::setlocale(LC_CTYPE, "C");
    if (built == 0) GTEST_SKIP() << "localedef cannot build ru_RU, el_GR or ja_JP";
}

TEST(Commands, DataFileThatCannotBeWritten) {
    ProgramFolder dir;
    std::filesystem::create_directory(dir.file("180503LO.TEG"));
    std::filesystem::create_directory(dir.file("180503AS.TEG"));
    const std::string run = "--start 2018-05-03 --days 3 --date-order 2";
    // The ephemeris stops and shows nothing.
    auto r = RunNovarel(dir, "ephemeris", run + " --save");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("novarel: Warning!: The data file " + dir.file("180503LO.TEG") +
                              " could not be written",
                          0),
              0u)
        << r.err;
    EXPECT_EQ(r.out, "");
    // The aspectarian is shown without its file.
    r = RunNovarel(dir, "aspectarian", run + " --save");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(
        r.err.find("Warning!: The data file " + dir.file("180503AS.TEG") + " cannot be written"),
        std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("  Tropical Aspectarian - Thursday, 03 May 2018 at noon, Greenwich"),
              std::string::npos);
    // Without --save the folders are no obstacle and nothing is written.
    EXPECT_EQ(RunNovarel(dir, "ephemeris", run).status, 0);
    EXPECT_EQ(RunNovarel(dir, "aspectarian", run).status, 0);
    EXPECT_EQ(dir.entries(),
              (std::vector<std::string>{"180503AS.TEG", "180503LO.TEG", "OPTIONS.OPT"}));
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("180503LO.TEG")));
}

// The listing below the page is in the golden case mar2018_tropical_geo_stations.
TEST(Commands, StationsThatCannotBeListedAreSaidOnStderr) {
    ProgramFolder dir;
    const std::string run = "--start 2018-03-20 --days 5";
    // A period without stations, or a heliocentric run: nothing is added to
    // the page and stderr says why.
    const std::string quiet = "--start 2018-05-03 --days 2";
    auto none = RunNovarel(dir, "aspectarian", quiet + " --stations");
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, RunNovarel(dir, "aspectarian", quiet).out);
    EXPECT_EQ(none.err, "novarel: --stations: no planet changes direction in this period.\n");
    none = RunNovarel(dir, "aspectarian", run + " --helio --stations");
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, RunNovarel(dir, "aspectarian", run + " --helio").out);
    EXPECT_EQ(none.err,
              "novarel: --stations: a heliocentric run has no stations; seen from the Sun the "
              "planets never turn retrograde.\n");
}

TEST(Commands, AYearsAspectarianSaysNothingAboutMenus) {
    ProgramFolder dir;
    const auto r = RunNovarel(dir, "aspectarian", "--start 2025-01-01 --days 366");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_GT(std::count(r.out.begin(), r.out.end(), '\n'), 1000);
}

TEST(Commands, HelpGivesEveryOptionWithItsDefaultWithinAHundredColumns) {
    ProgramFolder dir;
    const std::vector<std::string> shared = {
        "--start",  "--days", "--full-month", "--midnight", "--noon",       "--geo",     "--helio",
        "--zodiac", "--node", "--save",       "--dir",      "--date-order", "--encoding"};
    for (const auto& [command, own] :
         {std::pair{"ephemeris", std::vector<std::string>{"--view"}},
          {"aspectarian", {"--moon-change-only", "--no-moon-ingress", "--stations"}}}) {
        const auto r = RunNovarel(dir, command, "--help");
        ASSERT_EQ(r.status, 0);
        std::vector<std::string> options = shared;
        options.insert(options.end(), own.begin(), own.end());
        for (const std::string& option : options) {
            SCOPED_TRACE(std::string(command) + " " + option);
            const std::size_t at = r.out.find("\n  " + option + " ");
            ASSERT_NE(at, std::string::npos) << r.out;
            // The entry goes on over the lines its text is wrapped onto.
            std::size_t end = r.out.find('\n', at + 1);
            while (r.out.compare(end, 4, "\n   ") == 0) end = r.out.find('\n', end + 1);
            EXPECT_NE(r.out.substr(at, end - at).find("default"), std::string::npos) << r.out;
            // The next line is the next option or the end of the list.
            const std::string next = r.out.substr(end, 5);
            EXPECT_TRUE(next == "\n  --" || next.rfind("\n\n", 0) == 0 || next == "\n") << r.out;
        }
        for (const std::string& line : Lines(r.out)) EXPECT_LE(line.size(), 100u) << line;
        EXPECT_NE(r.out.find("\n  --days N  "), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("\n  --start YYYY-MM-DD  "), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("TEXT"), std::string::npos) << r.out;
    }
    // The aspectarian's own options are not offered by the ephemeris.
    EXPECT_EQ(RunNovarel(dir, "ephemeris", "--help").out.find("--stations"), std::string::npos);
}

}  // namespace
}  // namespace novarel
