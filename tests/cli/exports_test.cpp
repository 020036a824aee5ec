// The exports and ranges as a user meets them: CSV and JSON values against
// the library's swetest tool, their cell texts against the text table,
// the iCalendar file through libical's own parser, and ranges whose output
// does not depend on the number of threads or on how the range is cut.
#include <fmt/format.h>
#include <gtest/gtest.h>
#include <libical/ical.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>

#include "app/export/export_records.h"
#include "core/julian_day.h"
#include "core/text_file.h"
#include "tests/cli/cli_run.h"

namespace novarel::clitest {
namespace {

// RFC 4180 fields of one record (no line ends inside our fields).
std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// swetest's longitude, latitude, right ascension and declination, per day
// and body in the order sun, moon .. pluto, true node.
std::vector<std::array<double, 4>> SwetestYear(int year, int days) {
    const std::string command = "swetest -b1.1." + std::to_string(year) +
                                " -ut12:00 -p0123456789t -fPlbad -head -n" + std::to_string(days) +
                                " -edir/usr/share/libswe/ephe";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string text;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) text.append(buffer, n);
    std::vector<std::array<double, 4>> rows;
    for (const std::string& line : Lines(text)) {
        std::istringstream words(line);
        std::vector<std::string> fields;
        std::string w;
        while (words >> w) fields.push_back(w);
        if (fields.size() < 5) continue;
        const std::size_t n = fields.size();
        rows.push_back({std::stod(fields[n - 4]), std::stod(fields[n - 3]),
                        std::stod(fields[n - 2]), std::stod(fields[n - 1])});
    }
    return rows;
}

bool Digits(const std::string& text, std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count; ++i)
        if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
    return true;
}

double AngleDiff(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180 ? 360 - d : d;
}

// swetest prints seven decimals: its rounding plus the 1e-7 agreement.
constexpr double Tolerance = 1e-7 + 5e-8;

// The eleven cells of each row of a text table, UTF-8, without blanks.
std::vector<std::vector<std::string>> TableCells(const std::string& cp1252Text) {
    std::vector<std::vector<std::string>> cells;
    for (const std::string& line : Lines(cp1252Text, "\r\n")) {
        // "  dd mmm  " opens a row.
        if (line.size() < 109 || line.compare(0, 2, "  ") != 0 || !Digits(line, 2, 2) ||
            line[4] != ' ' || line.compare(8, 2, "  ") != 0)
            continue;
        std::vector<std::string> rowCells;
        for (std::size_t i = 0; i < 11; ++i) {
            std::string cell = line.substr(line.size() - 109 + 10 * i, 9);
            cell.erase(0, cell.find_first_not_of(' '));
            cell.erase(cell.find_last_not_of(' ') + 1);
            rowCells.push_back(exports::GlyphTextUtf8(cell));
        }
        cells.push_back(rowCells);
    }
    return cells;
}

TEST(EphemerisExport, AYearAgreesWithSwetest) {
    ProgramFolder folder;
    const auto reference = SwetestYear(2024, 366);
    ASSERT_EQ(reference.size(), 366u * 11);

    const CliResult csv =
        RunNovarel(folder, "ephemeris", "--start 2024-01-01 --end 2024-12-31 --format csv");
    ASSERT_EQ(csv.status, 0) << csv.err;
    const std::vector<std::string> records = Lines(csv.out, "\r\n");
    ASSERT_EQ(records.size(), 1 + reference.size());
    EXPECT_EQ(records[0],
              "date,jd_ut,sidereal_time,body,longitude,latitude,right_ascension,declination,"
              "longitude_speed,right_ascension_speed,retrograde,longitude_cell,latitude_cell,"
              "right_ascension_cell,declination_cell");

    const CliResult json =
        RunNovarel(folder, "ephemeris", "--start 2024-01-01 --end 2024-12-31 --format json");
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json doc = nlohmann::json::parse(json.out);
    EXPECT_EQ(doc["request"]["command"], "ephemeris");
    ASSERT_EQ(doc["records"].size(), reference.size());

    for (std::size_t r = 0; r < reference.size(); ++r) {
        const std::vector<std::string> f = CsvFields(records[r + 1]);
        ASSERT_EQ(f.size(), 15u) << records[r + 1];
        const nlohmann::json& j = doc["records"][r];
        const char* names[] = {"longitude", "latitude", "right_ascension", "declination"};
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_LE(AngleDiff(std::stod(f[4 + k]), reference[r][k]), Tolerance)
                << records[r + 1] << " " << names[k];
            EXPECT_LE(AngleDiff(j[names[k]].get<double>(), reference[r][k]), Tolerance)
                << j.dump() << " " << names[k];
            EXPECT_EQ(j["cells"][names[k]].get<std::string>(), f[11 + k]);
        }
        EXPECT_EQ(j["body"].get<std::string>(), f[3]);
        EXPECT_EQ(f[10], f[11].find('!') != std::string::npos ? "1" : "0") << records[r + 1];
    }
}

// The cells come from the rows themselves: they must stay equal when the
// right ascension column changes shape (sign, degrees and minutes instead of
// hours, minutes, seconds) and heliocentric rows put the Earth first.
TEST(EphemerisExport, CellsFollowTheRowsInEveryShape) {
    for (const char* raForm : {"0", "1"}) {
        ProgramFolder folder({{11, raForm}});
        for (const char* centre : {"", " --helio"}) {
            const std::string range = std::string("--start 2025-02-20 --end 2025-03-10") + centre;
            const CliResult csv = RunNovarel(folder, "ephemeris", range + " --format csv");
            ASSERT_EQ(csv.status, 0) << csv.err;
            const std::vector<std::string> records = Lines(csv.out, "\r\n");
            ASSERT_EQ(records.size(), 1 + 19u * 11) << raForm << centre;
            const char* views[] = {"longitude", "latitude", "ra", "declination"};
            for (std::size_t v = 0; v < 4; ++v) {
                const CliResult text = RunNovarel(folder, "ephemeris",
                                                  range + " --encoding cp1252 --view " + views[v]);
                ASSERT_EQ(text.status, 0) << text.err;
                const auto cells = TableCells(text.out);
                ASSERT_EQ(cells.size(), 19u) << views[v] << " " << raForm << centre;
                for (std::size_t r = 1; r < records.size(); ++r)
                    EXPECT_EQ(CsvFields(records[r])[11 + v], cells[(r - 1) / 11][(r - 1) % 11])
                        << views[v] << " " << raForm << centre << ": " << records[r];
            }
            EXPECT_EQ(CsvFields(records[1])[3], *centre ? "earth" : "sun");
        }
    }
}

TEST(EphemerisExport, BodiesKeepsOnlyThoseBodies) {
    ProgramFolder folder;
    const CliResult csv =
        RunNovarel(folder, "ephemeris", "--start 2024-03-01 --format csv --bodies moon,node");
    ASSERT_EQ(csv.status, 0) << csv.err;
    const auto records = Lines(csv.out, "\r\n");
    ASSERT_EQ(records.size(), 1 + 31u * 2);
    for (std::size_t r = 1; r < records.size(); ++r)
        EXPECT_EQ(CsvFields(records[r])[3], r % 2 == 1 ? "moon" : "node");
    const CliResult bad = RunNovarel(folder, "ephemeris", "--format csv --bodies moon,vulcan");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("'vulcan' is not a body"), std::string::npos) << bad.err;
}

// The lines of the text aspectarian that hold an event (a time in the hh:mm
// field after the title block).
std::size_t EventLineCount(const std::string& text) {
    std::size_t count = 0;
    for (const std::string& line : Lines(text))
        if (line.size() > 17 && Digits(line, 10, 2) && line[12] == ':' && Digits(line, 13, 2))
            ++count;
    return count;
}

struct CalendarEntry {
    std::string uid;
    icaltimetype start;
    std::string summary;
    std::string description;  // unescaped
};

// The VEVENTs of an iCalendar text as libical reads them back.
std::vector<CalendarEntry> CalendarEntries(const std::string& ics) {
    std::unique_ptr<icalcomponent, void (*)(icalcomponent*)> calendar(
        icalparser_parse_string(ics.c_str()), icalcomponent_free);
    EXPECT_NE(calendar, nullptr);
    if (!calendar) return {};
    EXPECT_EQ(icalcomponent_isa(calendar.get()), ICAL_VCALENDAR_COMPONENT);
    std::vector<CalendarEntry> entries;
    for (icalcomponent* e =
             icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
         e != nullptr;
         e = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        EXPECT_EQ(icalcomponent_count_errors(e), 0) << icalcomponent_as_ical_string(e);
        const icaltimetype start = icalcomponent_get_dtstart(e);
        EXPECT_TRUE(icaltime_is_utc(start)) << icalcomponent_as_ical_string(e);
        entries.push_back({icalcomponent_get_uid(e), start, icalcomponent_get_summary(e),
                           icalcomponent_get_description(e)});
    }
    return entries;
}

// The Julian Day (UT) of "YYYY-MM-DD" at h:m:s.
double JulianDayOf(const std::string& date, int h, int m, double s) {
    return CalendarToJulianDay(std::stoi(date.substr(0, 4)), std::stoi(date.substr(5, 2)),
                               std::stoi(date.substr(8, 2))) -
           0.5 + (h + (m + s / 60) / 60) / 24;
}

// The longitude of a place written "dd°Smm'ss\"" (S a sign symbol,
// U+2648 Aries .. U+2653 Pisces, three bytes in UTF-8); -1 when it is not one.
double ExactPlace(const std::string& text) {
    const std::size_t deg = text.find("°");
    if (deg != 2 || text.size() != 13 || !Digits(text, 0, 2) ||
        text.compare(4, 2, "\xE2\x99") != 0 || !Digits(text, 7, 2) || text[9] != '\'' ||
        !Digits(text, 10, 2) || text[12] != '"')
        return -1;
    const int sign = static_cast<unsigned char>(text[6]) - 0x88;
    if (sign < 0 || sign > 11) return -1;
    return 30.0 * sign + std::stoi(text.substr(0, 2)) + std::stoi(text.substr(7, 2)) / 60.0 +
           std::stoi(text.substr(10, 2)) / 3600.0;
}

// Every event of a year, in the three formats: one VEVENT per line of the
// text table, each UID once; each VEVENT at its record's minute, its summary
// with the line's place, its description the line's text, the exact moment
// to the second and an exact place that agree with the record's moment and
// position. The eclipse records give the type, magnitude and greatest phase
// of the library's swetest (tests/data/aspectarian/swetest_eclipses.txt) in
// every format; other records leave them out.
TEST(AspectarianExport, AYearInTheThreeFormatsAgreesWithTheTableAndSwetest) {
    struct Eclipse {
        std::string date, kind, type, magnitude;
        double maximum;
        std::string greatest;
    };
    // swetest -solecl / -lunecl -b1.1.2000: the first of the solar
    // magnitudes, the umbral (penumbral for a penumbral eclipse) lunar one.
    const std::vector<Eclipse> eclipses = {
        {"2024-03-25", "lunar", "penumbral", "0.9560", 2460394.800609, "2024-03-25 07:12:53 UT"},
        {"2024-04-08", "solar", "total", "1.0575", 2460409.262041, "2024-04-08 18:17:20 UT"},
        {"2024-09-18", "lunar", "partial", "0.0856", 2460571.614092, "2024-09-18 02:44:18 UT"},
        {"2024-10-02", "solar", "annular", "0.9334", 2460586.281299, "2024-10-02 18:45:04 UT"}};
    ProgramFolder folder;
    const std::string year = "--start 2024-01-01 --end 2024-12-31";
    const CliResult text = RunNovarel(folder, "aspectarian", year);
    const CliResult ics = RunNovarel(folder, "aspectarian", year + " --format ics");
    const CliResult csv = RunNovarel(folder, "aspectarian", year + " --format csv");
    const CliResult json = RunNovarel(folder, "aspectarian", year + " --format json");
    ASSERT_EQ(ics.status, 0) << ics.err;
    ASSERT_EQ(csv.status, 0) << csv.err;
    const std::vector<CalendarEntry> entries = CalendarEntries(ics.out);
    std::set<std::string> uids;
    for (const CalendarEntry& e : entries) uids.insert(e.uid);
    EXPECT_GT(entries.size(), 2000u);
    EXPECT_EQ(entries.size(), EventLineCount(text.out));
    EXPECT_EQ(uids.size(), entries.size());

    const std::vector<std::string> records = Lines(csv.out, "\r\n");
    ASSERT_EQ(records.size(), entries.size() + 1);
    EXPECT_EQ(records[0],
              "date,time,jd_ut,kind,body1,aspect,body2,position1,position2,sign,direction,phase,"
              "eclipse,text,eclipse_type,eclipse_magnitude,eclipse_maximum_jd_ut");
    const nlohmann::json doc = nlohmann::json::parse(json.out);
    ASSERT_EQ(doc["records"].size(), entries.size());
    int places = 0;
    std::size_t found = 0;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const std::vector<std::string> f = CsvFields(records[k + 1]);
        ASSERT_EQ(f.size(), 17u) << records[k + 1];
        const CalendarEntry& e = entries[k];
        const nlohmann::json& j = doc["records"][k];
        const std::string where = records[k + 1] + "\n" + e.description;
        EXPECT_EQ(fmt::format("{:04}-{:02}-{:02} {:02}:{:02}", e.start.year, e.start.month,
                              e.start.day, e.start.hour, e.start.minute),
                  f[0] + " " + f[1])
            << where;
        const std::vector<std::string> lines = Lines(e.description);
        ASSERT_GE(lines.size(), 2u) << where;
        EXPECT_EQ(lines[0], f[13]) << where;
        // "exact YYYY-MM-DD hh:mm:ss UT": the record's moment to the second,
        // and the minute shown that moment's rounding (23:59 holds up to 23:59:59).
        ASSERT_EQ(lines[1].size(), 28u) << where;
        ASSERT_EQ(lines[1].compare(0, 6, "exact "), 0) << where;
        ASSERT_EQ(lines[1].substr(25), " UT") << where;
        const double exact =
            JulianDayOf(lines[1].substr(6, 10), std::stoi(lines[1].substr(17, 2)),
                        std::stoi(lines[1].substr(20, 2)), std::stoi(lines[1].substr(23, 2)));
        EXPECT_NEAR(exact, std::stod(f[2]), 0.51 / 86400) << where;
        const double shown = JulianDayOf(f[0], e.start.hour, e.start.minute, 0);
        const double most = e.start.hour == 23 && e.start.minute == 59 ? 60 : 30;
        EXPECT_LE(std::fabs(std::stod(f[2]) - shown), (most + 0.001) / 86400) << where;
        // The place of a lunation, ingress or station to the second of arc.
        const bool lunation = f[3] == "lunation" || f[3] == "eclipse";
        if (lunation || f[3] == "ingress" || f[3] == "station") {
            ASSERT_GE(lines.size(), 3u) << where;
            const std::string place = lines[2].substr(lines[2].find(' ') + 1);
            const double longitude = std::stod(f[lunation ? 8 : 7]);
            EXPECT_LE(AngleDiff(ExactPlace(place), longitude), 0.5 / 3600 + 1e-9) << where;
            ++places;
        }
        // The summary gives a lunation's place as its line does.
        if (lunation) {
            const std::string linePlace =
                f[13].substr(f[13].find(", ") + 2, f[13].find(')') - f[13].find(", ") - 2);
            EXPECT_NE(e.summary.find(" " + linePlace), std::string::npos) << e.summary << where;
        }
        if (f[3] != "eclipse") {
            EXPECT_EQ(f[14] + f[15] + f[16], "") << where;
            EXPECT_FALSE(j.contains("eclipse_type") || j.contains("eclipse_magnitude") ||
                         j.contains("eclipse_maximum_jd_ut"))
                << j.dump();
            EXPECT_EQ(e.description.find("eclipse"), std::string::npos) << where;
            continue;
        }
        ASSERT_LT(found, eclipses.size()) << where;
        const Eclipse& ref = eclipses[found++];
        EXPECT_EQ(f[0] + " " + f[12], ref.date + " " + ref.kind);
        EXPECT_EQ(f[14], ref.type);
        EXPECT_EQ(fmt::format("{:.4f}", std::stod(f[15])), ref.magnitude);
        EXPECT_NEAR(std::stod(f[16]), ref.maximum, 0.1 / 86400);
        EXPECT_EQ(j["eclipse_type"], f[14]);
        EXPECT_EQ(j["eclipse_magnitude"].get<double>(), std::stod(f[15]));
        EXPECT_EQ(j["eclipse_maximum_jd_ut"].get<double>(), std::stod(f[16]));
        const std::string words =
            fmt::format("\n{} {} eclipse, {}magnitude {:.3f}, greatest {}", ref.type, ref.kind,
                        ref.kind == "solar"       ? ""
                        : ref.type == "penumbral" ? "penumbral "
                                                  : "umbral ",
                        std::stod(f[15]), ref.greatest);
        EXPECT_NE(e.description.find(words), std::string::npos) << where << "\n" << words;
    }
    EXPECT_GT(places, 250);
    EXPECT_EQ(found, eclipses.size());
    EXPECT_NE(ics.out.find("SUMMARY:☉ ☌ ☽ New Moon 19♈24.0 — solar eclipse"), std::string::npos);
}

// A station's line names the hour it was seen in; its records and calendar
// entry give the minute of the turning point, on the day it falls in, as the
// retrograde listing does: a minute rounding to 60 goes to the next hour,
// 23:59:45 to the next day. Other events keep their line's date and minute.
// A lunation's summary gives its place as the line does, its description
// to the second of arc, carried into the next sign.
TEST(AspectarianExport, AStationIsAtTheMinuteOfItsTurningPoint) {
    const double dec7 = 2460651.5;  // 2024-12-07 0h UT
    auto station = [&](double moment) {
        AspectEvent e;
        e.kind = EventKind::Station;
        e.dayJD = dec7;
        e.moment = moment;
        e.body1 = Mars;
        e.position1 = 126.0336;  // 6 Leo 2' 0.96"
        e.sign = 5;
        e.retrograde = true;
        return e;
    };
    AspectEvent fullMoon;
    fullMoon.kind = EventKind::Lunation;
    fullMoon.hour = 23;
    fullMoon.minute = 48.98;
    fullMoon.dayJD = dec7;
    fullMoon.moment = dec7 + (23 * 3600 + 48 * 60 + 58.8) / 86400;
    fullMoon.body1 = Sun;
    fullMoon.body2 = Moon;
    fullMoon.aspect = Opposition;
    fullMoon.position1 = 29.999999;    // 29 Aries 59' 59.996": 0 Taurus to the second
    fullMoon.position2 = 214.2996116;  // 4 Scorpio 17' 58.6"
    fullMoon.sign = 1;
    fullMoon.phase = "Full Moon";
    AspectEvent ingress = station(dec7 + 0.3);
    ingress.kind = EventKind::Ingress;
    ingress.hour = 5;
    ingress.minute = 30;
    const std::vector<AspectEvent> events = {
        station(dec7 - (26 * 60 + 36) / 86400.0),  // 2024-12-06 23:33:24
        station(dec7 + (10 * 3600 + 59 * 60 + 31) / 86400.0), station(dec7 + 1 - 15 / 86400.0),
        fullMoon, ingress};

    exports::ExportChoices choices;
    choices.aspectarian = true;
    choices.format = exports::ExportFormat::Csv;
    const std::vector<std::string> records = Lines(exports::EventRecords(events, choices), "\r\n");
    choices.format = exports::ExportFormat::Json;
    const nlohmann::json json =
        nlohmann::json::parse("[" + exports::EventRecords(events, choices) + "]");
    choices.format = exports::ExportFormat::Ics;
    const std::vector<CalendarEntry> entries =
        CalendarEntries(exports::ExportHead(choices) + exports::EventRecords(events, choices) +
                        exports::ExportTail(choices));
    ASSERT_EQ(records.size(), events.size());
    ASSERT_EQ(json.size(), events.size());
    ASSERT_EQ(entries.size(), events.size());

    // 23:59:45 is 00:00 of the next day, as the retrograde listing says.
    const char* shown[] = {"2024-12-06 23:33", "2024-12-07 11:00", "2024-12-08 00:00",
                           "2024-12-07 23:49", "2024-12-07 05:30"};
    for (std::size_t k = 0; k < events.size(); ++k) {
        const auto f = CsvFields(records[k]);
        EXPECT_EQ(f[0] + " " + f[1], shown[k]) << records[k];
        EXPECT_EQ(json[k]["date"].get<std::string>() + " " + json[k]["time"].get<std::string>(),
                  shown[k]);
        const icaltimetype t = entries[k].start;
        EXPECT_EQ(
            fmt::format("{:04}-{:02}-{:02} {:02}:{:02}", t.year, t.month, t.day, t.hour, t.minute),
            shown[k]);
    }
    EXPECT_EQ(records[0].substr(records[0].find(",station")),
              ",station,mars,,,126.0336,,5,retrograde,,,♂  ℞ +/- up to 1 hour,,,");
    EXPECT_EQ(entries[0].uid, "20241206T2333-geo-station-Mars@novarel");
    EXPECT_EQ(entries[0].description,
              "♂  ℞ +/- up to 1 hour\nexact 2024-12-06 23:33:24 UT\nMars 06°♌02'01\"");
    EXPECT_EQ(entries[3].summary, "☉ ☍ ☽ Full Moon 04♏18.0");
    EXPECT_EQ(entries[3].description,
              "☉☍☽ - (Full Moon, 04♏18.0)\nexact 2024-12-07 23:48:59 UT\nMoon 04°♏17'59\"");
    fullMoon.position2 = 359.99999;
    EXPECT_NE(
        CalendarEntries(exports::ExportHead(choices) + exports::EventRecords({fullMoon}, choices) +
                        exports::ExportTail(choices))[0]
            .description.find("\nMoon 00°♈00'00\""),
        std::string::npos);
}

// 1800-1850 with NOVAREL_FULL_RANGES set; a span over a year's turn
// otherwise, which a sanitizer build runs in seconds.
std::string RangeArgs() {
    if (std::getenv("NOVAREL_FULL_RANGES") != nullptr) return "--start 1800-01-01 --end 1850-12-31";
    return "--start 1800-11-17 --end 1801-02-03";
}

TEST(Ranges, AnyNumberOfJobsGivesTheSameBytes) {
    ProgramFolder folder;
    for (const char* command : {"ephemeris", "aspectarian"}) {
        for (const char* format : {"text", "csv", "json", "ics"}) {
            if (std::string(command) == "ephemeris" && std::string(format) == "ics") continue;
            const std::string args = RangeArgs() + " --format " + format;
            const CliResult one = RunNovarel(folder, command, args + " --jobs 1");
            const CliResult four = RunNovarel(folder, command, args + " --jobs 4");
            ASSERT_EQ(one.status, 0) << one.err;
            ASSERT_EQ(four.status, 0) << four.err;
            EXPECT_GT(one.out.size(), 1000u);
            EXPECT_TRUE(one.out == four.out) << command << " " << format;
        }
    }
}

TEST(Ranges, ARangeIsItsMonthsOneAfterAnother) {
    ProgramFolder folder;
    // One thread runs the months in turn on one library state; each month
    // must still be what a run of its own gives.
    for (const char* command : {"ephemeris", "aspectarian"}) {
        for (const std::string options : {"", " --zodiac sidereal", " --helio"}) {
            std::string months;
            for (const char* start : {"2023-12-01", "2024-01-01", "2024-02-01"})
                months +=
                    RunNovarel(folder, command, std::string("--start ") + start + options).out;
            const CliResult range = RunNovarel(
                folder, command, "--start 2023-12-01 --end 2024-02-29 --jobs 1" + options);
            ASSERT_EQ(range.status, 0) << range.err;
            EXPECT_TRUE(range.out == months) << command << options;
        }
    }
    // A range starting and ending inside months: the start's month to its end,
    // then up to the end day.
    const CliResult part = RunNovarel(folder, "ephemeris", "--start 2024-01-20 --end 2024-02-03");
    const std::string pieces = RunNovarel(folder, "ephemeris", "--start 2024-01-20 --days 12").out +
                               RunNovarel(folder, "ephemeris", "--start 2024-02-01 --days 3").out;
    EXPECT_TRUE(part.out == pieces);
}

// The options file is read once for the whole range: what is wrong in it is
// said once, and every month runs with the same values.
TEST(Ranges, TheOptionsFileIsReadOncePerCommand) {
    ProgramFolder folder({{7, "sixty"}});
    const CliResult range =
        RunNovarel(folder, "aspectarian", "--start 2024-01-01 --end 2024-03-31 --format csv");
    ASSERT_EQ(range.status, 0) << range.err;
    const std::string warning = "novarel: Warning!: Line 7 of the options file " + folder.str() +
                                "/OPTIONS.OPT is not a number (\"sixty\"). Option 7 is set to 0.\n";
    EXPECT_EQ(range.err, warning);
    const CliResult month = RunNovarel(folder, "aspectarian", "--start 2024-02-01 --format csv");
    EXPECT_EQ(month.err, warning);
    EXPECT_NE(range.out.find(month.out.substr(month.out.find("\r\n") + 2)), std::string::npos);
}

std::set<std::string> FileNames(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(Output, FilesGoWhereTheyAreAsked) {
    ProgramFolder folder;
    const std::string outDir = folder.file("exports/new");
    const std::set<std::string> before = FileNames(folder.str());
    const CliResult saved =
        RunNovarel(folder, "aspectarian",
                   "--start 2024-01-01 --days 3 --save --format csv --out-dir '" + outDir +
                       "' --output events.csv");
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.out, "");
    const CliResult shown =
        RunNovarel(folder, "aspectarian", "--start 2024-01-01 --days 3 --format csv");
    EXPECT_EQ(ReadBytes(outDir + "/events.csv"), shown.out);
    // The AS data file went to --out-dir, nothing new to the program folder.
    const std::set<std::string> written = FileNames(outDir);
    EXPECT_EQ(written.count("events.csv"), 1u);
    EXPECT_EQ(written.count("010124AS.TEG"), 1u);
    std::set<std::string> after = FileNames(folder.str());
    after.erase("exports");
    EXPECT_EQ(after, before);
}

// A file that cannot be made is named; what a killed run left beside an
// output file is cleared by the next run that writes it, and nothing else.
TEST(Output, TheOutputFileIsNamedAndAKilledRunsLeftoverCleared) {
    ProgramFolder folder;
    const CliResult bad =
        RunNovarel(folder, "ephemeris", "--format csv --output /proc/novarel/x.csv");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "novarel: cannot write /proc/novarel/x.csv: No such file or directory\n");

    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    const std::string tag = ".novarel-" + std::to_string(child) + "-0000abcd.tmp";
    const std::string leftover = folder.file(".out.csv" + tag);
    const std::string otherFile = folder.file(".other.csv" + tag);
    const std::string running =
        folder.file(".out.csv.novarel-" + std::to_string(getpid()) + "-1.tmp");
    for (const std::string& f : {leftover, otherFile, running})
        ASSERT_TRUE(WriteWholeFile(f, "part"));
    const CliResult good =
        RunNovarel(folder, "ephemeris", "--format csv --output out.csv --out-dir " + folder.str());
    ASSERT_EQ(good.status, 0) << good.err;
    EXPECT_FALSE(std::filesystem::exists(leftover));
    EXPECT_TRUE(std::filesystem::exists(otherFile));
    EXPECT_TRUE(std::filesystem::exists(running));
    EXPECT_GT(ReadBytes(folder.file("out.csv")).size(), 1000u);
}

}  // namespace
}  // namespace novarel::clitest
