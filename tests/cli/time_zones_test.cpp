// A year of the aspectarian on four local clocks equals the UT run with each
// event moved by its zone's offset at its moment, the offsets taken from
// Python's zoneinfo (tests/data/core/zone_reference.txt, with the command
// that wrote it), not from the program's own reading of the database.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/cli/cli_run.h"
#include "tests/support/zone_reference.h"

namespace novarel::clitest {
namespace {

// Minutes since 1970-01-01 0h of a civil date and clock (proleptic Gregorian).
std::int64_t MinutesOf(int year, int month, int day, int hour, int minute) {
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const std::int64_t days = static_cast<std::int64_t>(era) * 146097 + doe - 719468;
    return days * 1440 + hour * 60 + minute;
}

// One zone's rules over the year: the offset and abbreviation from each change on.
struct ZoneRules {
    std::vector<std::int64_t> changes;  // UT seconds
    std::vector<int> offsets;           // seconds; offsets[k] holds until changes[k]
    std::vector<std::string> abbreviations;
    std::int64_t yearStart = 0, yearEnd = 0;  // UT seconds of the local year's ends

    std::size_t Span(std::int64_t second) const {
        std::size_t k = 0;
        while (k < changes.size() && second >= changes[k]) ++k;
        return k;
    }
    int Offset(std::int64_t second) const { return offsets[Span(second)]; }
    // The abbreviation when the local reading of this moment occurs twice.
    std::string RepeatedMark(std::int64_t second) const {
        for (std::size_t k = 0; k < changes.size(); ++k) {
            const int back = offsets[k] - offsets[k + 1];
            if (back > 0 && second >= changes[k] - back && second < changes[k] + back)
                return " (" + abbreviations[Span(second)] + ")";
        }
        return "";
    }
};

std::map<std::string, ZoneRules> ReadRules() {
    const test::ZoneReference reference = test::ReadZoneReference();
    std::map<std::string, ZoneRules> zones;
    for (const test::ZoneReferenceDay& day : reference.days) {
        ZoneRules& z = zones[day.zone];
        if (day.iso.ends_with("-01-01")) {
            z.yearStart = day.start;
            z.offsets = {day.offset};
            z.abbreviations = {day.abbreviation};
        }
        z.yearEnd = day.start + day.length;
    }
    for (const test::ZoneReferenceChange& change : reference.changes) {
        ZoneRules& z = zones[change.zone];
        z.changes.push_back(change.at);
        z.offsets.push_back(change.after);
        z.abbreviations.push_back(change.abbreviation);
    }
    return zones;
}

struct Event {
    std::int64_t minute = 0;  // of the clock the line shows, since 1970
    std::string text;         // everything after the clock
};

// The events of a text report, their dates read in order from startYear on.
std::vector<Event> ReportEvents(const std::string& report, int startYear) {
    static constexpr std::array<const char*, 12> months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::vector<Event> events;
    int year = startYear, month = 0, day = 0;
    for (const std::string& line : Lines(report)) {
        if (line.size() < 16 || line[10] < '0' || line[10] > '9' || line[12] != ':') continue;
        if (line[2] != ' ') {
            int m = 1;
            while (m <= 12 && line.compare(5, 3, months[static_cast<std::size_t>(m - 1)]) != 0) ++m;
            if (month != 0 && m < month) ++year;
            month = m;
            day = std::atoi(line.substr(2, 2).c_str());
        }
        events.push_back({MinutesOf(year, month, day, std::atoi(line.substr(10, 2).c_str()),
                                    std::atoi(line.substr(13, 2).c_str())),
                          line.substr(15)});
    }
    return events;
}

TEST(TimeZones, AYearOnFourClocksIsTheUniversalRunMovedByEachOffset) {
    const std::map<std::string, ZoneRules> rules = ReadRules();
    ASSERT_EQ(rules.size(), 4u);
    ProgramFolder folder;
    // UT from the day before the year to the day after it covers every local day.
    std::vector<Event> universal;
    for (const auto& [start, days, year] :
         {std::tuple{"2023-12-31", 1, 2023}, std::tuple{"2024-01-01", 366, 2024},
          std::tuple{"2025-01-01", 1, 2025}}) {
        const CliResult ut =
            RunNovarel(folder, "aspectarian", fmt::format("--start {} --days {}", start, days));
        ASSERT_EQ(ut.status, 0) << ut.err;
        const std::vector<Event> events = ReportEvents(ut.out, year);
        universal.insert(universal.end(), events.begin(), events.end());
    }
    ASSERT_GT(universal.size(), 2000u);

    for (const auto& [name, zone] : rules) {
        SCOPED_TRACE(name);
        // What the UT run says the local year holds.
        std::multimap<std::string, std::int64_t> expected;
        for (const Event& e : universal) {
            const std::int64_t second = e.minute * 60;
            if (second < zone.yearStart || second >= zone.yearEnd) continue;
            expected.emplace(e.text + zone.RepeatedMark(second),
                             e.minute + zone.Offset(second) / 60);
        }
        const CliResult local =
            RunNovarel(folder, "aspectarian", "--tz " + name + " --start 2024-01-01 --days 366");
        ASSERT_EQ(local.status, 0) << local.err;
        EXPECT_NE(local.out.find("Times are " + name + ", "), std::string::npos);
        std::size_t unmatched = 0;
        for (const Event& e : ReportEvents(local.out, 2024)) {
            // An exact moment within a minute of its clock: the UT clock 23:59
            // stands for a moment up to 24:00.
            auto [first, last] = expected.equal_range(e.text);
            auto match = first;
            while (match != last && std::llabs(match->second - e.minute) > 1) ++match;
            if (match == last) {
                ADD_FAILURE() << "not in the UT run: " << e.text << " at minute " << e.minute;
                ++unmatched;
                continue;
            }
            expected.erase(match);
        }
        EXPECT_EQ(unmatched, 0u);
        for (const auto& [text, minute] : expected)
            ADD_FAILURE() << "missing: " << text << " " << minute;
    }
}

TEST(TimeZones, TheSpringDayOfNewYorkHasNoHourAfterOneAndAnUnknownZoneIsAnInputError) {
    ProgramFolder folder;
    const CliResult r =
        RunNovarel(folder, "aspectarian", "--tz America/New_York --start 2024-03-10 --days 1");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const Event& e : ReportEvents(r.out, 2024))
        EXPECT_NE(e.minute / 60 % 24, 2) << "02:xx does not exist on 10 March: " << e.text;

    const CliResult bad = RunNovarel(folder, "aspectarian", "--tz Europe/Atlantis --days 1");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("'Europe/Atlantis' is not a time zone"), std::string::npos) << bad.err;
}

// The records of the day New York's clocks go back: the local date and time
// with the offset of each moment, two records of one clock reading told apart
// by it; the calendar keeps the UT moments of the UT run.
TEST(TimeZones, RecordsCarryTheLocalClockAndOffsetAndTheCalendarKeepsUniversalTime) {
    const ZoneRules zone = ReadRules().at("America/New_York");
    ProgramFolder folder;
    const std::string day = "--start 2024-11-03 --days 1";
    const CliResult csv =
        RunNovarel(folder, "aspectarian", "--tz America/New_York --format csv " + day);
    ASSERT_EQ(csv.status, 0) << csv.err;
    const std::vector<std::string> rows = Lines(csv.out, "\r\n");
    ASSERT_GT(rows.size(), 5u);
    EXPECT_TRUE(rows[0].starts_with("date,time,jd_ut,utc_offset,kind,")) << rows[0];
    std::map<std::string, std::set<std::string>> offsetsOfClock;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const std::string& row = rows[r];
        const std::size_t c1 = row.find(','), c2 = row.find(',', c1 + 1),
                          c3 = row.find(',', c2 + 1);
        const double jd = std::stod(row.substr(c2 + 1, c3 - c2 - 1));
        const auto second = static_cast<std::int64_t>(std::llround((jd - 2440587.5) * 86400));
        const int offset = zone.Offset(second);
        EXPECT_EQ(row.substr(c3 + 1, 6),
                  fmt::format("{}{:02}:00", offset < 0 ? '-' : '+', std::abs(offset) / 3600))
            << row;
        const std::int64_t local = (second + offset + 30) / 60;
        EXPECT_EQ(row.substr(0, c2),
                  fmt::format("2024-11-03,{:02}:{:02}", local / 60 % 24, local % 60))
            << row;
        offsetsOfClock[row.substr(c1 + 1, 5)].insert(row.substr(c3 + 1, 6));
    }
    // The Moon's ingress (01:19 EDT) and its conjunction with Mercury (01:37
    // EST) both fall in the hour the clocks repeat.
    std::set<std::string> offsetsAtOne;
    for (const auto& [clock, offsets] : offsetsOfClock)
        if (clock.starts_with("01:")) offsetsAtOne.insert(offsets.begin(), offsets.end());
    EXPECT_EQ(offsetsAtOne, (std::set<std::string>{"-04:00", "-05:00"}));

    auto starts = [&](const std::string& args) {
        const CliResult ics = RunNovarel(folder, "aspectarian", "--format ics " + args);
        EXPECT_EQ(ics.status, 0) << ics.err;
        std::set<std::string> lines;
        for (const std::string& line : Lines(ics.out, "\r\n"))
            if (line.starts_with("DTSTART")) lines.insert(line);
        return lines;
    };
    const std::set<std::string> local = starts("--tz America/New_York " + day);
    const std::set<std::string> universal = starts("--start 2024-11-03 --days 2");
    ASSERT_EQ(local.size(), rows.size() - 1);
    for (const std::string& line : local) EXPECT_EQ(universal.count(line), 1u) << line;
}

// The station listing of a year on India's clock (+05:30 all year, the
// reference's offset) is the UT listing with every turning point moved by it,
// Chiron's and the asteroids' included.
TEST(TimeZones, TheStationListingIsOnTheRunsClock) {
    const ZoneRules zone = ReadRules().at("Asia/Kolkata");
    ASSERT_TRUE(zone.changes.empty());
    ProgramFolder folder;
    auto stations = [&](const std::string& args) {
        const CliResult r = RunNovarel(
            folder, "aspectarian", "--stations --asteroids --start 2024-01-01 --days 366 " + args);
        EXPECT_EQ(r.status, 0) << r.err;
        std::vector<std::pair<std::int64_t, std::string>> listed;  // minute, body and place
        static constexpr std::array<const char*, 12> months{
            "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        for (const std::string& line : Lines(r.out)) {
            const std::size_t at = line.find(" at ");
            if (line.size() < 30 || line.compare(9, 3, " - ") != 0 || at == std::string::npos)
                continue;
            int m = 1;
            while (m <= 12 && line.compare(15, 3, months[static_cast<std::size_t>(m - 1)]) != 0)
                ++m;
            listed.emplace_back(MinutesOf(std::atoi(line.substr(19, 4).c_str()), m,
                                          std::atoi(line.substr(12, 2).c_str()),
                                          std::atoi(line.substr(at + 4, 2).c_str()),
                                          std::atoi(line.substr(at + 7, 2).c_str())),
                                line.substr(2, 7) + line.substr(line.find(", ", at)));
        }
        return std::pair{r.out, listed};
    };
    const auto [utText, universal] = stations("");
    const auto [localText, local] = stations("--tz Asia/Kolkata");
    EXPECT_NE(localText.find("Changes in direction (in Asia/Kolkata):"), std::string::npos);
    EXPECT_NE(localText.find(" IST, "), std::string::npos);
    ASSERT_GT(universal.size(), 20u);
    EXPECT_NE(localText.find("Chiron  - 26 Jul 2024 at 19:29 IST"), std::string::npos);
    ASSERT_EQ(local.size(), universal.size());
    for (std::size_t k = 0; k < local.size(); ++k) {
        EXPECT_EQ(local[k].second, universal[k].second);
        EXPECT_EQ(local[k].first, universal[k].first + zone.offsets[0] / 60) << local[k].second;
    }
}

// March in New York on the ephemeris: every row at 12:00 on the local clock,
// its moment and offset those of the reference on both sides of the change
// on the 10th; the title names the zone and both abbreviations.
TEST(TimeZones, TheEphemerisRowsAreAtLocalNoonOnBothSidesOfTheSpringChange) {
    const ZoneRules zone = ReadRules().at("America/New_York");
    ProgramFolder folder;
    const std::string month = "--tz America/New_York --start 2024-03-01";
    const CliResult text = RunNovarel(folder, "ephemeris", month);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("Times are America/New_York, EST/EDT\n"), std::string::npos);
    EXPECT_EQ(text.out.find("Greenwich"), std::string::npos);

    const CliResult csv = RunNovarel(folder, "ephemeris", month + " --format csv");
    ASSERT_EQ(csv.status, 0) << csv.err;
    const std::vector<std::string> rows = Lines(csv.out, "\r\n");
    ASSERT_EQ(rows.size(), 1u + 31 * 11);
    EXPECT_TRUE(rows[0].starts_with("date,time,jd_ut,utc_offset,sidereal_time,body,")) << rows[0];
    for (std::size_t r = 1; r < rows.size(); ++r) {
        std::vector<std::string> f;
        std::istringstream fields(rows[r]);
        for (std::string field; f.size() < 4 && std::getline(fields, field, ',');)
            f.push_back(field);
        ASSERT_EQ(f.size(), 4u) << rows[r];
        EXPECT_EQ(f[1], "12:00") << rows[r];
        // The UT second of the date's 12:00: the reading less the offset
        // that the reference gives that second.
        const std::int64_t clock = MinutesOf(2024, 3, std::stoi(f[0].substr(8)), 12, 0) * 60;
        std::int64_t second = clock + 5 * 3600;
        if (zone.Offset(second) != -5 * 3600) second = clock + 4 * 3600;
        ASSERT_EQ(zone.Offset(second), clock - second);
        EXPECT_NEAR(std::stod(f[2]), 2440587.5 + static_cast<double>(second) / 86400, 1e-7)
            << rows[r];
        EXPECT_EQ(f[3], zone.Offset(second) == -5 * 3600 ? "-05:00" : "-04:00") << rows[r];
        EXPECT_EQ(f[3], f[0] < "2024-03-10" ? "-05:00" : "-04:00") << rows[r];
    }
}

// A novarel alone in a folder, without the time-zone module beside it or
// where it is installed: a zone ends the run with the reason (exit 1), and
// runs in UT never need the module. A file that is not a module is refused
// the same way.
TEST(TimeZones, WithoutItsZoneModuleNovarelRefusesAZoneAndStillRunsInUniversalTime) {
    test::TempFolder lone;
    const std::string novarel = lone.file("novarel");
    const std::string module = lone.file("novarel_zones.so");
    std::filesystem::copy_file(NovarelExe(), novarel);
    ProgramFolder folder;
    const std::string zoned = "--tz Asia/Kolkata --start 2024-01-01 --days 1";

    const CliResult missing = RunProgram(novarel, folder, "aspectarian", zoned, "LC_ALL=C");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("--tz needs the time-zone module " + module + ": neither it nor "),
              std::string::npos)
        << missing.err;
    EXPECT_TRUE(missing.out.empty());

    const std::string day = "--start 2024-01-01 --days 3";
    const CliResult universal = RunProgram(novarel, folder, "aspectarian", day, "LC_ALL=C");
    ASSERT_EQ(universal.status, 0) << universal.err;
    EXPECT_EQ(universal.out, RunNovarel(folder, "aspectarian", day).out);

    std::ofstream(module) << "not a shared object\n";
    const CliResult broken = RunProgram(novarel, folder, "ephemeris", zoned, "LC_ALL=C");
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("--tz needs the time-zone module " + module + ": "),
              std::string::npos)
        << broken.err;
}

}  // namespace
}  // namespace novarel::clitest
