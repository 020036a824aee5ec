// Every cell of the golden data files (tests/data/ephemeris), of a whole
// year's longitude table and of a month of the second table (Chiron ..
// Lilith) against the library's own swetest tool, to the precision the cells
// print: 0.1' for angles (minutes rounded, degrees truncated), one second for
// right ascension in time; "!" exactly when the speed is negative (never for
// the Sun or the Earth).
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

#include "ephemeris/ephemeris_generator.h"
#include "ephemeris/ephemeris_tables.h"
#include "tests/ephemeris/generator_rig.h"

namespace novarel {
namespace {

const std::string DataDir = std::string(NOVAREL_TEST_DATA) + "/ephemeris";

struct Reference {
    std::string command;
    int bodiesPerDay = 0;
    int days = 0;
    // Per body line: the numbers of the line (the last `width` fields).
    std::vector<std::vector<double>> lines;
};

// swetest output with its "$ swetest ..." command line; each line's last
// `width` fields are numbers (body names may hold a blank).
Reference LoadReference(const std::string& path, std::size_t width) {
    std::ifstream in(path);
    Reference ref;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("$ swetest", 0) == 0) {
            ref.command = line;
            std::istringstream words(line);
            std::string w;
            while (words >> w) {
                if (w.rfind("-p", 0) == 0) ref.bodiesPerDay = static_cast<int>(w.size()) - 2;
                if (w.rfind("-n", 0) == 0) ref.days = std::stoi(w.substr(2));
            }
            continue;
        }
        std::istringstream words(line);
        std::vector<std::string> fields;
        std::string w;
        while (words >> w) fields.push_back(w);
        if (fields.size() < width) continue;
        std::vector<double> numbers;
        for (std::size_t i = fields.size() - width; i < fields.size(); ++i)
            numbers.push_back(std::stod(fields[i]));
        ref.lines.push_back(numbers);
    }
    return ref;
}

// The rows of a data file or table text: the lines after the header block
// that are not empty.
std::vector<std::string> FileRows(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) break;
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return test::Rows(lines);
}

double AngleDiff(double a, double b) {
    double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180 ? 360 - d : d;
}

constexpr double ArcTolerance = (0.05 + 1e-5) / 60;         // half the printed 0.1'
constexpr double TimeTolerance = (0.5 + 1e-4) * 15 / 3600;  // half the printed second

struct Cell {
    double value = 0;  // degrees
    bool marked = false;
};

// " dd" + sign glyph + "mm.m " (the "!" replacing the point).
Cell ZodiacalCell(const std::string& c) {
    const auto sign = static_cast<unsigned char>(c[3]);
    EXPECT_TRUE(sign >= 192 && sign <= 203) << c;
    EXPECT_TRUE(c[6] == '.' || c[6] == '!') << c;
    std::string minutes = c.substr(4, 4);
    minutes[2] = '.';
    return {(sign - 192) * 30 + std::stod(c.substr(1, 2)) + std::stod(minutes) / 60, c[6] == '!'};
}

// " dd" + N (152) or S (154) + "mm.m ".
double NorthSouthCell(const std::string& c) {
    const auto glyph = static_cast<unsigned char>(c[3]);
    EXPECT_TRUE(glyph == 152 || glyph == 154) << c;
    const double v = std::stod(c.substr(1, 2)) + std::stod(c.substr(4, 4)) / 60;
    return glyph == 154 ? -v : v;
}

// "hh mm ss " with "!" in place of the blank before the seconds.
Cell HmsCell(const std::string& c) {
    EXPECT_TRUE(c[5] == ' ' || c[5] == '!') << c;
    const double hours = std::stod(c.substr(0, 2)) + std::stod(c.substr(3, 2)) / 60 +
                         std::stod(c.substr(6, 2)) / 3600;
    return {hours * 15, c[5] == '!'};
}

std::string CellOf(const std::string& row, int k, bool hms) {
    return row.substr(static_cast<std::size_t>((hms ? 24 : 23) + 10 * k), 9);
}

std::string FileOf(const std::string& folder, const std::string& code) {
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name.size() == 12 && name.substr(6, 2) == code) return e.path().string();
    }
    ADD_FAILURE() << "no " << code << " file in " << folder;
    return "";
}

struct GoldenCase {
    std::string name;
    bool raInHms = true;
};

std::vector<GoldenCase> GoldenCases() {
    std::ifstream in(DataDir + "/cases.txt");
    std::vector<GoldenCase> cases;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const std::size_t a = line.find('|'), b = line.find('|', a + 1);
        std::string name = line.substr(0, a);
        name.erase(name.find_last_not_of(' ') + 1);
        cases.push_back({name, std::stoi(line.substr(a + 1, b - a - 1)) != 0});
    }
    return cases;
}

TEST(EphemerisAgainstSwetest, GoldenFilesCellByCell) {
    const auto cases = GoldenCases();
    ASSERT_EQ(cases.size(), 5u);
    for (const GoldenCase& gc : cases) {
        const std::string folder = DataDir + "/" + gc.name;
        const Reference ref = LoadReference(folder + "/swetest.txt", 8);
        SCOPED_TRACE(ref.command);
        ASSERT_GT(ref.days, 0);
        ASSERT_EQ(ref.lines.size(), static_cast<std::size_t>(ref.days * ref.bodiesPerDay));
        const auto lo = FileRows(test::ReadBytes(FileOf(folder, "LO")));
        const auto la = FileRows(test::ReadBytes(FileOf(folder, "LA")));
        const auto ra = FileRows(test::ReadBytes(FileOf(folder, "RA")));
        const auto de = FileRows(test::ReadBytes(FileOf(folder, "DE")));
        ASSERT_EQ(lo.size(), static_cast<std::size_t>(ref.days));
        ASSERT_EQ(la.size(), lo.size());
        ASSERT_EQ(ra.size(), lo.size());
        ASSERT_EQ(de.size(), lo.size());
        for (int d = 0; d < ref.days; ++d) {
            // swetest gives no heliocentric node: compare the bodies it gives.
            for (int k = 0; k < ref.bodiesPerDay; ++k) {
                const auto& r = ref.lines[static_cast<std::size_t>(d * ref.bodiesPerDay + k)];
                const double lon = r[0], lat = r[1], ras = r[2], decl = r[3];
                const double lonSpeed = r[4], raSpeed = r[6];
                const auto di = static_cast<std::size_t>(d);
                SCOPED_TRACE("day " + std::to_string(d) + " body " + std::to_string(k + 1));

                const Cell l = ZodiacalCell(CellOf(lo[di], k, false));
                EXPECT_LE(AngleDiff(l.value, lon), ArcTolerance) << lo[di];
                EXPECT_EQ(l.marked, k > 0 && lonSpeed < 0) << lo[di];

                EXPECT_NEAR(NorthSouthCell(CellOf(la[di], k, false)), lat, ArcTolerance) << la[di];
                EXPECT_NEAR(NorthSouthCell(CellOf(de[di], k, false)), decl, ArcTolerance) << de[di];

                const Cell a = gc.raInHms ? HmsCell(CellOf(ra[di], k, true))
                                          : ZodiacalCell(CellOf(ra[di], k, false));
                EXPECT_LE(AngleDiff(a.value, ras), gc.raInHms ? TimeTolerance : ArcTolerance)
                    << ra[di];
                EXPECT_EQ(a.marked, k > 0 && raSpeed < 0) << ra[di];
            }
        }
    }
}

TEST(EphemerisAgainstSwetest, LongitudesOfAWholeYear) {
    const Reference ref = LoadReference(DataDir + "/swetest_2020_longitudes.txt", 2);
    ASSERT_EQ(ref.days, 366);
    ASSERT_EQ(ref.bodiesPerDay, 11);
    ASSERT_EQ(ref.lines.size(), 366u * 11u);

    test::GeneratorRig rig;
    rig.Request("2020", "1", "1", 366);
    RunContext ctx = rig.context();
    ASSERT_EQ(GenerateEphemeris(ctx), RunOutcome::Completed);
    const auto rows = test::Rows(rig.state.LongitudeTable);
    ASSERT_EQ(rows.size(), 366u);
    EXPECT_EQ(rows.back().substr(2, 6), "31 Dec");
    int marks = 0;
    for (std::size_t d = 0; d < rows.size(); ++d) {
        for (int k = 0; k < 11; ++k) {
            const auto& r = ref.lines[d * 11 + static_cast<std::size_t>(k)];
            const Cell c = ZodiacalCell(CellOf(rows[d], k, false));
            EXPECT_LE(AngleDiff(c.value, r[0]), ArcTolerance)
                << "day " << d << " body " << k + 1 << rows[d];
            EXPECT_EQ(c.marked, k > 0 && r[1] < 0) << "day " << d << " body " << k + 1 << rows[d];
            marks += c.marked ? 1 : 0;
            // The position history keeps the library's unrounded longitude.
            EXPECT_LE(AngleDiff(rig.state.history.longitude.at(k + 1, static_cast<int>(d)), r[0]),
                      1e-6);
        }
    }
    EXPECT_GT(marks, 366);  // the year has retrograde periods beside the node's
}

// The second table of a view: its three heading lines, then its rows. It
// follows the first table's rows after an empty line, and its names line
// starts as the first table's does ("  Long.").
struct SecondTable {
    std::vector<std::string> heading;
    std::vector<std::string> rows;
};

SecondTable SecondTableOf(const std::vector<std::string>& table) {
    SecondTable second;
    const std::string label = table[4].substr(0, 7);
    std::size_t i = HeaderLineCount + 1;
    while (i < table.size() && table[i].rfind(label, 0) != 0) ++i;
    EXPECT_LT(i + 3, table.size()) << "no second table";
    if (i + 3 >= table.size()) return second;
    EXPECT_EQ(table[i - 1], "");
    second.heading.assign(table.begin() + static_cast<std::ptrdiff_t>(i),
                          table.begin() + static_cast<std::ptrdiff_t>(i + 3));
    for (i += 3; i < table.size(); ++i)
        if (!table[i].empty()) second.rows.push_back(table[i]);
    return second;
}

// A value as a cell prints it, worked out here from the reference: tenths of
// a minute rounded (seconds for hours), the degrees of the rounded value.
// Empty when the reference's own rounding of its last digit could put the
// value on either side of a printed digit.
constexpr double Undecided = 1e-4;  // of the printed unit: some 1.7e-7 degree

std::string ZodiacalText(double degrees, bool retrograde) {
    const double tenths = degrees * 600;
    if (std::fabs(tenths - std::floor(tenths) - 0.5) < Undecided) return {};
    const long long t = std::llround(tenths) % (360 * 600);
    std::string cell = fmt::format(" {:02}{}{:02}.{} ", t % 18000 / 600,
                                   static_cast<char>(192 + t / 18000), t % 600 / 10, t % 10);
    if (retrograde) cell[6] = '!';
    return cell;
}

std::string NorthSouthText(double degrees) {
    const double tenths = std::fabs(degrees) * 600;
    if (std::fabs(tenths - std::floor(tenths) - 0.5) < Undecided) return {};
    const long long t = std::llround(tenths);
    return fmt::format(" {:02}{}{:02}.{} ", t / 600, static_cast<char>(degrees >= 0 ? 152 : 154),
                       t % 600 / 10, t % 10);
}

// "hh mm ss " with the blank before the seconds as it is in the cell: the
// reference gives no speed of right ascension for the "!".
std::string HoursText(double degrees, char markPlace) {
    const double seconds = degrees * 240;
    if (std::fabs(seconds - std::floor(seconds) - 0.5) < Undecided) return {};
    const long long t = std::llround(seconds) % 86400;
    return fmt::format("{:02} {:02}{}{:02} ", t / 3600, t % 3600 / 60, markPlace, t % 60);
}

// July 2024 at 0h UT: Ceres retrograde all month, Pallas until the 10th,
// Chiron from the 27th. With either apogee as Lilith, every cell of the
// four second tables is the reference's value as the cell prints it.
TEST(EphemerisAgainstSwetest, SecondTableOfAMonthCellByCell) {
    const Reference ref =
        LoadReference(std::string(NOVAREL_TEST_DATA) + "/swetest_bodies_2024.txt", 5);
    SCOPED_TRACE(ref.command);
    ASSERT_EQ(ref.bodiesPerDay, 7);  // Chiron .. Vesta, mean and osculating apogee
    ASSERT_EQ(ref.lines.size(), 367u * 7u);
    constexpr std::size_t July1 = 182;  // days from 1 January 2024

    for (const float lilith : {1.0f, 2.0f}) {
        SCOPED_TRACE(lilith == 1 ? "mean apogee" : "osculating apogee");
        test::GeneratorRig rig;
        rig.options[20] = lilith;
        rig.request.type = TimeOfDay::Midnight;
        rig.Request("2024", "7", "1", 0);
        RunContext ctx = rig.context();
        ASSERT_EQ(GenerateEphemeris(ctx), RunOutcome::Completed);
        std::map<EphemerisTable, SecondTable> tables;
        for (EphemerisTable t : EphemerisTables) {
            tables[t] = SecondTableOf(TableLines(rig.state, t));
            ASSERT_EQ(tables[t].rows.size(), 31u);
        }
        int undecided = 0, marks = 0;
        for (std::size_t d = 0; d < 31; ++d) {
            for (std::size_t k = 0; k < 6; ++k) {
                const auto& r = ref.lines[(July1 + d) * 7 + (k < 5 || lilith == 1 ? k : 6)];
                const double lon = r[0], lat = r[1], speed = r[2], ra = r[3], decl = r[4];
                SCOPED_TRACE("day " + std::to_string(d + 1) + " column " + std::to_string(k));
                const auto cell = [&](EphemerisTable t, std::size_t at) {
                    const std::string& row = tables[t].rows[d];
                    EXPECT_EQ(row.substr(0, 8), fmt::format("  {:02} Jul", d + 1));
                    return row.substr(at + 10 * k, 9);
                };
                const std::pair<std::string, std::string> checks[] = {
                    {ZodiacalText(lon, speed < 0), cell(EphemerisTable::Longitude, 10)},
                    {NorthSouthText(lat), cell(EphemerisTable::Latitude, 10)},
                    {NorthSouthText(decl), cell(EphemerisTable::Declination, 10)},
                    {HoursText(ra, cell(EphemerisTable::RightAscension, 11)[5]),
                     cell(EphemerisTable::RightAscension, 11)}};
                for (const auto& [expected, printed] : checks) {
                    if (expected.empty())
                        ++undecided;
                    else
                        EXPECT_EQ(printed, expected);
                }
                marks += speed < 0 ? 1 : 0;
            }
        }
        EXPECT_LE(undecided, 2);
        EXPECT_GT(marks, 31);  // Ceres's, and Pallas's and Chiron's days
    }
}

}  // namespace
}  // namespace novarel
