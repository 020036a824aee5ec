// Chiron, the four asteroids and Lilith on the command line: the choice adds
// their lines and changes no other; the options file's line chooses them as
// the option does; their stations are the library's turning points; without
// their file the run says which file and where it looked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>

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

    // The ephemeris has no table for them yet: the option is the aspectarian's.
    EXPECT_EQ(RunNovarel(folder, "ephemeris", Days + " --asteroids").status, 2);
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
    EXPECT_EQ(RunNovarel(folder, "aspectarian", Days, env).status, 0);
    const CliResult r = RunNovarel(folder, "aspectarian", Days + " --asteroids", env);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("need the ephemeris file seas_18.se1"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(files.str()), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
}

}  // namespace
}  // namespace novarel::clitest
