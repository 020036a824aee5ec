// Chiron, the four asteroids and Lilith on the command line: the choice adds
// their lines to the aspectarian and a second table to the ephemeris, and
// changes nothing else; the options file's line chooses them as the option
// does; their stations are the library's turning points; without their file
// a run says which file and where it looked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <regex>
#include <sstream>

#include "core/bodies.h"
#include "core/glyphs.h"
#include "core/julian_day.h"
#include "core/swe_library.h"
#include "tests/cli/cli_run.h"

namespace novarel::clitest {
namespace {

const std::string Days = "--start 2024-07-01 --days 4";

// The event lines of a text report, each date column blanked: the day blocks'
// first lines change when lines are added before them.
std::vector<std::string> EventLines(const std::string& text) {
    std::vector<std::string> out;
    for (std::string line : Lines(text)) {
        if (line.size() < 14 || line[12] != ':') continue;
        line.replace(2, 6, 6, ' ');
        out.push_back(line);
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string Utf8(char32_t cp) {
    std::string s;
    glyph::AppendUtf8(s, cp);
    return s;
}

TEST(AsteroidsCommand, TheChoiceAddsTheSixBodiesLinesAndNothingElse) {
    ProgramFolder folder;
    const CliResult plain = RunNovarel(folder, "aspectarian", Days);
    const CliResult mean = RunNovarel(folder, "aspectarian", Days + " --asteroids");
    ASSERT_EQ(plain.status, 0) << plain.err;
    ASSERT_EQ(mean.status, 0) << mean.err;
    const auto before = EventLines(plain.out);
    const auto with = EventLines(mean.out);
    std::vector<std::string> added;
    std::set_difference(with.begin(), with.end(), before.begin(), before.end(),
                        std::back_inserter(added));
    EXPECT_EQ(with.size(), before.size() + added.size()) << "a line of the eleven went missing";
    for (const std::string& line : added) {
        bool extra = false;
        for (int b = Chiron; b <= Lilith; ++b)
            extra = extra || line.find(Utf8(Body(b).unicode)) != std::string::npos;
        EXPECT_TRUE(extra) << line;
    }
    for (int b = Chiron; b <= Lilith; ++b) {
        const std::string symbol = Utf8(Body(b).unicode);
        EXPECT_TRUE(std::any_of(added.begin(), added.end(), [&](const std::string& line) {
            return line.find(symbol) != std::string::npos;
        })) << Body(b).name;
    }

    // Line 20 of the options file: 1 as the option, 2 with the osculating
    // apogee, whose lines alone differ.
    ProgramFolder byLine({{20, "1"}});
    EXPECT_EQ(RunNovarel(byLine, "aspectarian", Days).out, mean.out);
    ProgramFolder osculating({{20, "2"}});
    const CliResult osc = RunNovarel(osculating, "aspectarian", Days);
    EXPECT_EQ(RunNovarel(folder, "aspectarian", Days + " --asteroids osculating").out, osc.out);
    const std::string lilith = Utf8(Body(Lilith).unicode);
    const auto withoutLilith = [&](const std::string& text) {
        std::vector<std::string> kept;
        for (const std::string& line : EventLines(text))
            if (line.find(lilith) == std::string::npos) kept.push_back(line);
        return kept;
    };
    EXPECT_NE(osc.out, mean.out);
    EXPECT_EQ(withoutLilith(osc.out), withoutLilith(mean.out));

    // The exports name them, and --bodies takes their names.
    const CliResult csv = RunNovarel(folder, "aspectarian",
                                     Days + " --asteroids --format csv --bodies chiron,lilith");
    ASSERT_EQ(csv.status, 0) << csv.err;
    const auto records = Lines(csv.out);
    ASSERT_GT(records.size(), 2u);
    for (std::size_t k = 1; k < records.size(); ++k)
        EXPECT_TRUE(records[k].find(",chiron,") != std::string::npos ||
                    records[k].find(",lilith,") != std::string::npos)
            << records[k];
}

// The columns of a table's rules: where each group of dashes begins, and its
// width.
std::vector<std::pair<std::size_t, std::size_t>> RuleGroups(const std::string& rules) {
    std::vector<std::pair<std::size_t, std::size_t>> groups;
    for (std::size_t i = 0; i < rules.size(); ++i) {
        if (rules[i] != '-') continue;
        if (i == 0 || rules[i - 1] == ' ') groups.push_back({i, 0});
        ++groups.back().second;
    }
    return groups;
}

// A single-byte table cell as the exports give it: without its blanks, each
// byte the Unicode symbol of its glyph.
std::string CellUtf8(const std::string& cell) {
    const std::size_t first = cell.find_first_not_of(' '), last = cell.find_last_not_of(' ');
    std::string out;
    for (std::size_t i = first; i <= last && last != std::string::npos; ++i)
        glyph::AppendUtf8(out, glyph::ToCodePoint(static_cast<unsigned char>(cell[i])));
    return out;
}

// The ephemeris's data files with the extra bodies: the files without them,
// whose closing empty line now opens the second table. That table's lines
// are all as wide as its heading, in the single bytes of the files (a glyph
// is one column); its cells stand under their rules;
// its empty lines fall before the Sundays as the first table's do. The CSV
// export gives the same cells and marks a body retrograde exactly where the
// cell has its "!".
TEST(AsteroidsCommand, TheEphemerisAddsASecondTableBelowTheFirst) {
    ProgramFolder folder;
    test::TempFolder plainFiles, files;
    const std::string month = "--start 2024-07-01 --date-order 2 --save --out-dir ";
    ASSERT_EQ(RunNovarel(folder, "ephemeris", month + plainFiles.str()).status, 0);
    const CliResult r = RunNovarel(folder, "ephemeris", month + files.str() + " --asteroids");
    ASSERT_EQ(r.status, 0) << r.err;
    const CliResult csv = RunNovarel(folder, "ephemeris",
                                     "--start 2024-07-01 --asteroids --format csv --bodies " +
                                         std::string("chiron,ceres,pallas,juno,vesta,lilith"));
    ASSERT_EQ(csv.status, 0) << csv.err;
    const auto records = Lines(csv.out, "\r\n");
    ASSERT_EQ(records.size(), 1 + 31u * 6u);

    std::map<std::string, std::vector<std::string>> secondRows;  // by file code
    for (const char* code : {"LO", "LA", "RA", "DE"}) {
        SCOPED_TRACE(code);
        const std::string name = std::string("240701") + code + ".TEG";
        const std::string plain = ReadBytes(plainFiles.file(name));
        const std::string with = ReadBytes(files.file(name));
        ASSERT_GT(plain.size(), 1000u);
        ASSERT_EQ(with.substr(0, plain.size()), plain);
        const auto first = Lines(plain, "\r\n");
        const auto second = Lines(with.substr(plain.size()), "\r\n");
        ASSERT_GT(second.size(), 4u);
        EXPECT_EQ(second.back(), "");
        const std::string& names = second[0];
        EXPECT_EQ(names.substr(0, 7), first[4].substr(0, 7));  // "  Long." ...
        std::size_t at = 0;
        for (int b = Chiron; b <= Lilith; ++b) {
            const std::size_t found = names.find(Body(b).name);
            EXPECT_TRUE(found != std::string::npos && found > at) << names;
            at = found;
        }
        const auto rules = RuleGroups(second[1]);
        ASSERT_EQ(rules.size(), 7u) << second[1];  // the date's and the six bodies'
        std::vector<std::string> firstDates, secondDates, rows;
        for (std::size_t i = 7; i + 1 < first.size(); ++i)
            firstDates.push_back(first[i].substr(0, 8));
        for (std::size_t i = 3; i + 1 < second.size(); ++i) {
            const std::string& line = second[i];
            secondDates.push_back(line.substr(0, 8));
            if (line.empty()) continue;
            rows.push_back(line);
            for (std::size_t k = 1; k < rules.size(); ++k) {
                const auto [column, width] = rules[k];
                EXPECT_EQ(line[column - 1], ' ') << line;
                EXPECT_NE(line[column], ' ') << line;
                EXPECT_TRUE(column + width >= line.size() || line[column + width] == ' ') << line;
            }
        }
        for (std::size_t i = 0; i + 1 < second.size(); ++i) {
            if (second[i].empty()) continue;
            EXPECT_EQ(second[i].size(), names.size()) << "line " << i << ": " << second[i];
        }
        EXPECT_EQ(secondDates, firstDates);
        ASSERT_EQ(rows.size(), 31u);
        secondRows[code] = rows;
    }

    // The CSV records, day by day in the bodies' order, against the cells.
    const char* const BodyNames[] = {"chiron", "ceres", "pallas", "juno", "vesta", "lilith"};
    const std::string views[] = {"LO", "LA", "RA", "DE"};
    int retrograde = 0;
    for (std::size_t n = 1; n < records.size(); ++n) {
        std::vector<std::string> f;
        std::stringstream fields(records[n]);
        for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
        ASSERT_EQ(f.size(), 15u) << records[n];
        const std::size_t day = (n - 1) / 6, k = (n - 1) % 6;
        EXPECT_EQ(f[3], BodyNames[k]);
        std::string cells[4];
        for (std::size_t v = 0; v < 4; ++v) {
            const std::string& row = secondRows[views[v]][day];
            const std::size_t column = 10 + 10 * k + (views[v] == "RA" ? 1 : 0);
            cells[v] = row.substr(column, 9);
            EXPECT_EQ(f[11 + v], CellUtf8(cells[v])) << records[n];
        }
        EXPECT_EQ(f[10] == "1", cells[0][6] == '!') << records[n];
        EXPECT_EQ(std::stod(f[9]) < 0, cells[2][5] == '!') << records[n];
        retrograde += f[10] == "1" ? 1 : 0;
    }
    EXPECT_GT(retrograde, 31);

    // Options line 20 chooses the table as the option does; a heliocentric
    // run has no Lilith column.
    ProgramFolder byLine({{20, "1"}});
    EXPECT_EQ(RunNovarel(byLine, "ephemeris", Days).out,
              RunNovarel(folder, "ephemeris", Days + " --asteroids").out);
    const CliResult helio =
        RunNovarel(folder, "ephemeris", Days + " --helio --asteroids --encoding cp1252");
    ASSERT_EQ(helio.status, 0) << helio.err;
    const auto lines = Lines(helio.out, "\r\n");
    const auto names = std::find_if(lines.begin() + 7, lines.end(), [](const std::string& l) {
        return l.rfind("  Long.", 0) == 0;
    });
    ASSERT_NE(names, lines.end());
    EXPECT_NE(names->find("Vesta"), std::string::npos) << *names;
    EXPECT_EQ(names->find("Lilith"), std::string::npos) << *names;
    EXPECT_EQ(RuleGroups(*(names + 1)).size(), 6u) << *(names + 1);
    EXPECT_EQ((names + 3)->size(), names->size()) << *(names + 3);
}

// The turning points of Chiron's longitude in 2024, found on the library
// apart from the program: daily steps, then the extremum narrowed to well
// under a second.
std::vector<double> ChironTurningPoints() {
    SweLibrary lib;
    lib.set_ephe_path("/usr/share/libswe/ephe");
    const auto longitude = [&](double jdUt) {
        double xx[6] = {};
        char serr[256] = {};
        EXPECT_GE(lib.calc(jdUt + lib.deltat(jdUt), Body(Chiron).libraryNumber,
                           swe_flags::SwissEphemeris + swe_flags::Speed, xx, serr),
                  0)
            << serr;
        return xx[0];
    };
    const auto motion = [&](double a, double b) {
        return std::remainder(longitude(b) - longitude(a), 360.0);
    };
    const double start = CalendarToJulianDay(2024, 1, 1) - 0.5;
    std::vector<double> turns;
    for (double d = start; d < start + 366; d += 1) {
        if ((motion(d - 1, d) > 0) == (motion(d, d + 1) > 0)) continue;
        const bool maximum = motion(d - 1, d) > 0;
        double lo = d - 1, hi = d + 1;
        while (hi - lo > 1e-6) {
            const double m1 = lo + (hi - lo) / 3, m2 = hi - (hi - lo) / 3;
            if ((motion(m1, m2) > 0) == maximum)
                lo = m1;
            else
                hi = m2;
        }
        turns.push_back((lo + hi) / 2);
    }
    return turns;
}

TEST(AsteroidsCommand, ChironsStationsOfAYearAreWithinAMinuteOfTheLibrarysTurningPoints) {
    ProgramFolder folder;
    const CliResult r =
        RunNovarel(folder, "aspectarian", "--start 2024-01-01 --days 366 --asteroids --stations");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::regex station(R"(Chiron  - (\d\d) (\w{3}) (\d{4}) at (\d\d):(\d\d),)");
    static const std::string Months = "JanFebMarAprMayJunJulAugSepOctNovDec";
    std::vector<double> listed;
    for (const std::string& line : Lines(r.out)) {
        std::smatch m;
        if (!std::regex_search(line, m, station)) continue;
        const double month = static_cast<double>(Months.find(m[2].str()) / 3 + 1);
        listed.push_back(CalendarToJulianDay(std::stod(m[3]), month, std::stod(m[1])) - 0.5 +
                         (std::stod(m[4]) * 60 + std::stod(m[5])) / 1440);
    }
    const std::vector<double> turns = ChironTurningPoints();
    ASSERT_EQ(turns.size(), 2u);  // retrograde in July, direct in December
    ASSERT_EQ(listed.size(), turns.size()) << r.out;
    for (std::size_t k = 0; k < turns.size(); ++k)
        EXPECT_LE(std::fabs(listed[k] - turns[k]) * 1440, 1.0) << "station " << k;
}

TEST(AsteroidsCommand, WithoutTheAsteroidFileTheRunNamesItAndTheFoldersSearched) {
    ProgramFolder folder;
    test::TempFolder files;
    for (const char* name : {"sepl_18.se1", "semo_18.se1"}) {
        std::error_code ec;
        if (!std::filesystem::copy_file(std::string("/usr/share/libswe/ephe/") + name,
                                        files.file(name), ec))
            GTEST_SKIP() << "no /usr/share/libswe/ephe/" << name;
    }
    const std::string env = "LC_ALL=C SE_EPHE_PATH=" + files.str();
    // The ephemeris stops before it writes a data file.
    test::TempFolder out;
    for (const char* command : {"aspectarian", "ephemeris"}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(RunNovarel(folder, command, Days, env).status, 0);
        const CliResult r =
            RunNovarel(folder, command, Days + " --asteroids --save --out-dir " + out.str(), env);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("need the ephemeris file seas_18.se1"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(files.str()), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
    EXPECT_EQ(out.entries(), std::vector<std::string>{}) << "a data file was written";
}

}  // namespace
}  // namespace novarel::clitest
