// The transits command as its user meets it: the listing of a few days, the
// chart without a place, the chart file's faults, wrong values, the records
// of the three export formats and the calendar's UIDs from run to run.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <set>

#include "natal/chart_file.h"
#include "tests/cli/cli_run.h"
#include "tests/transits/stored_chart.h"

namespace novarel {
namespace {

using clitest::Lines;
using clitest::ProgramFolder;
using clitest::ReadBytes;
using clitest::RunNovarel;

// A program folder whose chart file holds the stored chart.
struct ChartFolder : ProgramFolder {
    ChartFolder() {
        const std::string problem =
            SaveChart(file(std::string(ChartFileName)), test::StoredChart());
        EXPECT_EQ(problem, "");
    }
};

const std::string Stored = "--chart 'Stored 1985' ";
const std::string Birth = "--natal '1985-09-07 06:20' --natal-tz America/New_York ";

std::vector<std::string> LinesWith(const std::string& text, const std::string& part) {
    std::vector<std::string> found;
    for (const std::string& line : Lines(text))
        if (line.find(part) != std::string::npos) found.push_back(line);
    return found;
}

TEST(TransitsCommand, ListsTheDaysOfAChartFromTheChartFile) {
    ChartFolder folder;
    const auto r = RunNovarel(folder, "transits", Stored + "--start 2024-09-25 --days 2");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_GT(lines.size(), 12u);
    EXPECT_EQ(lines[1], "  Tropical Transits to Stored 1985 - Wednesday, 25 Sep 2024, Greenwich");
    EXPECT_EQ(lines[4], "  Born 07 Sep 1985 06:20 America/New_York, 40.7128N 74.0060W");
    EXPECT_EQ(lines[6], "  Day      h  m");
    // Saturn's second pass over the natal Sun's opposite point, going back
    // (swetest: 344.7350580 at 12:17:30, 344.7350089 at 12:18:30 UT, the
    // point 344.7350409), and the chart's angles among the points.
    EXPECT_EQ(LinesWith(r.out, "♄ ☍ natal ☉"),
              std::vector<std::string>{"          12:18  ♄ ☍ natal ☉ - retrograde"});
    // Each day's date only on its first line.
    EXPECT_EQ(LinesWith(r.out, "  25 Sep  ").size(), 1u);
    EXPECT_EQ(LinesWith(r.out, "  26 Sep  ").size(), 1u);
    EXPECT_FALSE(LinesWith(r.out, "natal Asc").empty());
    EXPECT_TRUE(LinesWith(r.out, "no place").empty());
    // Mercury enters Libra on the 26th: the aspectarian's line.
    EXPECT_EQ(LinesWith(r.out, "planet ingress"),
              std::vector<std::string>{"  26 Sep  08:09  ☿  ♎ - planet ingress"});
}

TEST(TransitsCommand, AChartWithoutAPlaceSaysSoOnceAndHasNoAngles) {
    ProgramFolder folder;
    const auto r = RunNovarel(folder, "transits", Birth + "--start 2024-09-25 --days 7");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        LinesWith(r.out, "No Ascendant or Midheaven"),
        std::vector<std::string>{"  No Ascendant or Midheaven: the chart has no place of birth."});
    EXPECT_TRUE(LinesWith(r.out, "natal Asc").empty());
    EXPECT_TRUE(LinesWith(r.out, "natal MC").empty());
    EXPECT_FALSE(LinesWith(r.out, "natal ☉").empty());
    // The same birth with its place: the angles and no such line.
    const auto placed = RunNovarel(folder, "transits",
                                   Birth +
                                       "--place 40.7128,-74.0060 --start 2024-09-25 "
                                       "--days 7");
    ASSERT_EQ(placed.status, 0) << placed.err;
    EXPECT_TRUE(LinesWith(placed.out, "No Ascendant").empty());
    EXPECT_FALSE(LinesWith(placed.out, "natal Asc").empty());
    EXPECT_FALSE(LinesWith(placed.out, "natal MC").empty());
}

TEST(TransitsCommand, WrongValuesAreInputErrorsNamingThem) {
    ProgramFolder folder;
    const std::pair<std::string, std::string> cases[] = {
        {"--natal '1985-02-30 06:20' --natal-tz UT",
         "'1985-02-30 06:20' is not a date of the calendar and a clock"},
        {"--natal '1985-09-07 6h20' --natal-tz UT", "'1985-09-07 6h20' is not a date"},
        {"--natal '1985-09-07 06:20' --natal-tz Mars/Olympus", "'Mars/Olympus' is not a time zone"},
        {Birth + "--place 95,10", "'95,10' is not a place LAT,LON"},
        {"--natal '1985-09-07 06:20'", "--natal-tz"},
        {"--start 2024-01-01", "name the chart by --chart NAME"},
        {Stored + "--helio", "--helio"},
        {Birth + "--aspects trine", "'trine' is not a minor aspect"},
        {Birth + "--format csv --kinds aspect,parallel", "'parallel' is not a kind of transit"},
    };
    for (const auto& [args, message] : cases) {
        const auto r = RunNovarel(folder, "transits", args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find(message), std::string::npos) << args << "\n" << r.err;
        EXPECT_EQ(r.out, "") << args;
    }
    // Births before 15 October 1582 are Julian dates, where 1500 is a leap
    // year; the graph reads --natal as the transits do.
    const auto julian =
        RunNovarel(folder, "transits", "--natal '1500-02-29 12:00' --natal-tz UT --days 1");
    EXPECT_EQ(julian.status, 0) << julian.err;
    EXPECT_NE(julian.out.find("Born 29 Feb 1500 12:00 UT"), std::string::npos);
    const std::string png = folder.file("natal.png");
    for (const char* birth : {"1500-02-29 12:00", "1750-05-01 06:30"})
        EXPECT_EQ(RunNovarel(folder, "graph",
                             "--natal '" + std::string(birth) +
                                 "' --start 2024-01-01 --end 2024-02-01 --png " + png)
                      .status,
                  0)
            << birth;
    EXPECT_EQ(
        RunNovarel(folder, "graph", "--natal '1501-02-29 12:00' --end 2030-01-01 --png " + png)
            .status,
        2);
}

TEST(TransitsCommand, AnUnknownChartAndADamagedChartFileAreSaidWithTheirNames) {
    ChartFolder folder;
    const std::string charts = folder.file(std::string(ChartFileName));
    const auto unknown = RunNovarel(folder, "transits", "--chart Nobody --days 1");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("no natal chart named \"Nobody\" in " + charts), std::string::npos)
        << unknown.err;
    EXPECT_EQ(unknown.out, "");

    // A file cut short: said with the file's name, a failure, and the file
    // kept as it was.
    const std::string whole = ReadBytes(charts);
    const std::string cut = whole.substr(0, whole.size() / 2);
    std::ofstream(charts, std::ios::binary) << cut;
    const auto damaged = RunNovarel(folder, "transits", Stored + "--days 1");
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("natal_charts.json"), std::string::npos) << damaged.err;
    EXPECT_NE(damaged.err.find("cannot be read"), std::string::npos) << damaged.err;
    EXPECT_EQ(damaged.out, "");
    EXPECT_EQ(ReadBytes(charts), cut);
}

// The fields of a CSV record.
std::vector<std::string> Fields(const std::string& record) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        if (record[start] == '"') {
            const std::size_t close = record.find("\",", start + 1);
            fields.push_back(record.substr(start + 1, close - start - 1));
            if (close == std::string::npos) break;
            start = close + 2;
            continue;
        }
        const std::size_t comma = record.find(',', start);
        fields.push_back(record.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return fields;
}

TEST(TransitsExport, RecordsCarryTheNatalPointAndTheTransitingPlace) {
    ChartFolder folder;
    const double natalSun = 164.7350409;  // swetest, tests/data/transits
    const auto csv = RunNovarel(
        folder, "transits", Stored + "--start 2024-09-25 --days 1 --format csv --tz Europe/Paris");
    ASSERT_EQ(csv.status, 0) << csv.err;
    const std::vector<std::string> records = Lines(csv.out, "\r\n");
    ASSERT_GT(records.size(), 3u);
    EXPECT_EQ(records[0],
              "date,time,jd_ut,utc_offset,kind,body,aspect,natal_point,natal_longitude,position,"
              "sign,direction,text");
    const std::vector<std::string> saturn = LinesWith(csv.out, ",saturn,opposition,sun,");
    ASSERT_EQ(saturn.size(), 1u);
    const std::vector<std::string> f = Fields(saturn[0].substr(0, saturn[0].size() - 1));
    ASSERT_EQ(f.size(), 13u) << saturn[0];
    EXPECT_EQ(f[0], "2024-09-25");
    EXPECT_EQ(f[1], "14:18");  // 12:18 UT on the Paris clock
    EXPECT_EQ(f[3], "+02:00");
    EXPECT_EQ(f[4], "aspect");
    EXPECT_NEAR(std::stod(f[8]), natalSun, 1e-6);
    EXPECT_NEAR(std::stod(f[9]), natalSun + 180, 1e-6);
    EXPECT_EQ(f[10], "12");
    EXPECT_EQ(f[11], "retrograde");
    EXPECT_EQ(f[12], "♄ ☍ natal ☉ - retrograde");
    const double jd = std::stod(f[2]);
    const double minutes = (jd - (std::floor(jd - 0.5) + 0.5)) * 1440;
    EXPECT_EQ(std::lround(minutes), 12 * 60 + 18);

    const auto json = RunNovarel(
        folder, "transits", Stored + "--start 2024-09-25 --days 1 --format json --tz Europe/Paris");
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json doc = nlohmann::json::parse(json.out);
    EXPECT_EQ(doc["request"]["command"], "transits");
    EXPECT_EQ(doc["request"]["chart"], "Stored 1985");
    int aspects = 0;
    for (const auto& rec : doc["records"]) {
        if (rec["kind"] != "aspect") continue;
        ++aspects;
        EXPECT_TRUE(rec.contains("natal_longitude")) << rec.dump();
        EXPECT_NE(rec["natal_point"], "");
        EXPECT_EQ(rec.value("utc_offset", ""), "+02:00");
    }
    EXPECT_EQ(aspects, static_cast<int>(LinesWith(csv.out, "+02:00,aspect,").size()));
}

// The UIDs of a calendar, its folded lines joined.
std::vector<std::string> Uids(const std::string& ics) {
    std::string unfolded;
    for (std::size_t i = 0; i < ics.size(); ++i) {
        if (ics.compare(i, 3, "\r\n ") == 0) {
            i += 2;
            continue;
        }
        unfolded += ics[i];
    }
    std::vector<std::string> uids;
    for (const std::string& line : Lines(unfolded, "\r\n"))
        if (line.rfind("UID:", 0) == 0) uids.push_back(line.substr(4));
    return uids;
}

TEST(TransitsExport, CalendarUidsStayFromRunToRun) {
    ChartFolder folder;
    const std::string week = Stored + "--start 2024-09-25 --days 7 --format ics";
    const auto first = RunNovarel(folder, "transits", week);
    const auto second = RunNovarel(folder, "transits", week);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, second.out);
    const std::vector<std::string> uids = Uids(first.out);
    ASSERT_GT(uids.size(), 20u);
    EXPECT_EQ(std::set<std::string>(uids.begin(), uids.end()).size(), uids.size());
    // A longer period gives the same events the same UIDs.
    const auto month =
        RunNovarel(folder, "transits", Stored + "--start 2024-09-20 --days 15 --format ics");
    const std::vector<std::string> wider = Uids(month.out);
    const std::set<std::string> widerSet(wider.begin(), wider.end());
    for (const std::string& uid : uids) EXPECT_EQ(widerSet.count(uid), 1u) << uid;
    // Another chart's calendar keeps its own UIDs.
    const auto other =
        RunNovarel(folder, "transits", Birth + "--start 2024-09-25 --days 7 --format ics");
    for (const std::string& uid : Uids(other.out)) EXPECT_EQ(widerSet.count(uid), 0u) << uid;
}

}  // namespace
}  // namespace novarel
