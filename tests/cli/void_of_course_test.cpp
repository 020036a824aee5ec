// The void-of-course Moon on the command line: the choice adds its lines
// and records and changes nothing else; the options file's line chooses it
// as the option does, and a file without that line reads as before.
#include <gtest/gtest.h>
#include <libical/ical.h>

#include <memory>
#include <nlohmann/json.hpp>

#include "core/julian_day.h"
#include "tests/cli/cli_run.h"

namespace novarel::clitest {
namespace {

// Two days in March 2024: the first begins inside a void period that the
// traditional rule starts the day before, the second holds periods of both
// rules. The range's months meet inside a traditional period.
const std::string Days = "--start 2024-03-02 --days 2";
const std::string Range = "--start 2024-03-20 --end 2024-04-10";

bool IsVoidLine(const std::string& line) { return line.find(" v/c ") != std::string::npos; }

// The lines of a text report without the void lines, each date column
// blanked: the day blocks' first lines may change with them.
std::vector<std::string> OtherLines(const std::string& text) {
    std::vector<std::string> out;
    for (std::string line : Lines(text)) {
        if (IsVoidLine(line)) continue;
        if (line.size() > 17 && line[12] == ':') line.replace(2, 6, 6, ' ');
        out.push_back(line);
    }
    return out;
}

std::vector<std::string> Fields(const std::string& record) {
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    for (char c : record) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(field);
    return fields;
}

TEST(VoidOfCourseCommand, AddsItsLinesAndRecordsAndNothingElse) {
    ProgramFolder folder;
    const CliResult text = RunNovarel(folder, "aspectarian", Days);
    const CliResult withVoid = RunNovarel(folder, "aspectarian", Days + " --void-of-course");
    const CliResult traditional =
        RunNovarel(folder, "aspectarian", Days + " --void-of-course traditional");
    ASSERT_EQ(withVoid.status, 0) << withVoid.err;
    ASSERT_EQ(traditional.status, 0) << traditional.err;
    EXPECT_EQ(OtherLines(withVoid.out), OtherLines(text.out));
    EXPECT_EQ(OtherLines(traditional.out), OtherLines(text.out));
    // The traditional period in progress at the run's start heads it with
    // its own date; the day's first event keeps the day's.
    const std::vector<std::string> lines = Lines(traditional.out);
    ASSERT_GT(lines.size(), 8u);
    EXPECT_EQ(lines[6].substr(0, 8), "  01 Mar") << lines[6];
    EXPECT_TRUE(IsVoidLine(lines[6]));
    EXPECT_NE(lines[6].find("until 02 Mar "), std::string::npos) << lines[6];
    EXPECT_EQ(lines[7].substr(0, 8), "  02 Mar") << lines[7];
    EXPECT_NE(withVoid.out, traditional.out);

    // CSV: the header gains the end's columns, the other records empty
    // ones; without them the records are the default's.
    const std::string csvArgs = Days + " --format csv";
    const CliResult csv = RunNovarel(folder, "aspectarian", csvArgs);
    const CliResult csvVoid =
        RunNovarel(folder, "aspectarian", csvArgs + " --void-of-course traditional");
    ASSERT_EQ(csvVoid.status, 0) << csvVoid.err;
    const std::vector<std::string> plain = Lines(csv.out, "\r\n");
    const std::vector<std::string> records = Lines(csvVoid.out, "\r\n");
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0], plain[0] + ",end_date,end_time,end_jd_ut");
    std::vector<std::string> others{plain[0]};
    std::size_t periods = 0;
    const double firstDay = CalendarToJulianDay(2024, 3, 2) - 0.5;
    for (std::size_t k = 1; k < records.size(); ++k) {
        const std::vector<std::string> f = Fields(records[k]);
        ASSERT_EQ(f.size(), 20u) << records[k];
        if (f[3] != "void") {
            EXPECT_EQ(f[17] + f[18] + f[19], "") << records[k];
            others.push_back(records[k].substr(0, records[k].size() - 3));
            continue;
        }
        ++periods;
        const double start = std::stod(f[2]), end = std::stod(f[19]);
        EXPECT_GT(end, start) << records[k];
        EXPECT_LT(end - start, 2.6) << records[k];
        EXPECT_EQ(f[4], "moon");
        EXPECT_NE(f[13].find("v/c"), std::string::npos);
        if (periods == 1) {
            EXPECT_LT(start, firstDay) << "shown whole: " << records[k];
        }
    }
    EXPECT_EQ(others, plain);
    EXPECT_EQ(periods,
              static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), IsVoidLine)));

    // JSON: the void records carry their end; the rest are the default's.
    const CliResult json =
        RunNovarel(folder, "aspectarian", Days + " --format json --void-of-course traditional");
    const CliResult jsonPlain = RunNovarel(folder, "aspectarian", Days + " --format json");
    const auto doc = nlohmann::json::parse(json.out);
    const auto plainDoc = nlohmann::json::parse(jsonPlain.out);
    EXPECT_EQ(doc["request"]["void_of_course"], "traditional");
    nlohmann::json rest = nlohmann::json::array();
    for (const auto& r : doc["records"]) {
        if (r["kind"] != "void") {
            rest.push_back(r);
            continue;
        }
        EXPECT_TRUE(r.contains("end_jd_ut") && r.contains("end_date") && r.contains("end_time"));
        EXPECT_GT(r["end_jd_ut"].get<double>(), r["jd_ut"].get<double>());
    }
    EXPECT_EQ(rest, plainDoc["records"]);

    // iCalendar: each period an event from its start to its end.
    const CliResult ics =
        RunNovarel(folder, "aspectarian", Days + " --format ics --void-of-course traditional");
    std::unique_ptr<icalcomponent, void (*)(icalcomponent*)> calendar(
        icalparser_parse_string(ics.out.c_str()), icalcomponent_free);
    ASSERT_NE(calendar, nullptr);
    std::size_t events = 0;
    for (icalcomponent* e =
             icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
         e != nullptr;
         e = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        if (std::string(icalcomponent_get_summary(e)).find("void of course") == std::string::npos)
            continue;
        ++events;
        EXPECT_EQ(icalcomponent_count_errors(e), 0);
        const icaltimetype start = icalcomponent_get_dtstart(e);
        const icaltimetype end = icalcomponent_get_dtend(e);
        EXPECT_TRUE(icaltime_is_utc(end));
        EXPECT_GT(icaltime_compare(end, start), 0) << icalcomponent_as_ical_string(e);
    }
    EXPECT_EQ(events, periods);
}

TEST(VoidOfCourseCommand, TheOptionsFileLineChoosesItAndOldFilesReadAsBefore) {
    ProgramFolder folder;
    ProgramFolder traditional({{19, "2"}});
    const CliResult byOption =
        RunNovarel(folder, "aspectarian", Days + " --format csv --void-of-course traditional");
    const CliResult byFile = RunNovarel(traditional, "aspectarian", Days + " --format csv");
    ASSERT_EQ(byFile.status, 0) << byFile.err;
    EXPECT_EQ(byFile.out, byOption.out);

    // A file of the twelve lines an earlier version wrote: the choice is off.
    ProgramFolder old;
    const std::vector<std::string> lines = Lines(ReadBytes(old.file("OPTIONS.OPT")));
    ASSERT_EQ(lines.size(), 20u);
    std::string twelve;
    for (std::size_t k = 0; k < 12; ++k) twelve += lines[k] + "\n";
    std::ofstream(old.file("OPTIONS.OPT"), std::ios::binary) << twelve;
    for (const std::string format : {"text", "csv"}) {
        const CliResult before = RunNovarel(old, "aspectarian", Days + " --format " + format);
        const CliResult now = RunNovarel(folder, "aspectarian", Days + " --format " + format);
        ASSERT_EQ(before.status, 0) << before.err;
        EXPECT_TRUE(before.err.empty()) << before.err;
        EXPECT_EQ(before.out, now.out) << format;
    }
}

// The void records of a range are those of one run over the same days: a
// period across the months' meeting is written once.
TEST(VoidOfCourseCommand, ARangeWritesEachPeriodOnce) {
    ProgramFolder folder;
    const std::string args = " --format csv --void-of-course traditional";
    const CliResult range = RunNovarel(folder, "aspectarian", Range + args);
    const CliResult one = RunNovarel(folder, "aspectarian", "--start 2024-03-20 --days 22" + args);
    ASSERT_EQ(range.status, 0) << range.err;
    ASSERT_EQ(one.status, 0) << one.err;
    const double april = CalendarToJulianDay(2024, 4, 1) - 0.5;
    const auto voidRecords = [](const std::string& csv) {
        std::vector<std::string> records;
        for (const std::string& record : Lines(csv, "\r\n"))
            if (Fields(record).size() == 20 && Fields(record)[3] == "void")
                records.push_back(record);
        return records;
    };
    const std::vector<std::string> records = voidRecords(range.out);
    EXPECT_EQ(records, voidRecords(one.out));
    const auto across = std::count_if(records.begin(), records.end(), [&](const std::string& r) {
        const std::vector<std::string> f = Fields(r);
        return std::stod(f[2]) < april && std::stod(f[19]) > april;
    });
    EXPECT_EQ(across, 1);
}

TEST(VoidOfCourseCommand, AWrongWordOrCommandIsAnInputError) {
    ProgramFolder folder;
    const CliResult word = RunNovarel(folder, "aspectarian", Days + " --void-of-course modern");
    EXPECT_EQ(word.status, 2);
    EXPECT_NE(word.err.find("--void-of-course"), std::string::npos) << word.err;
    const CliResult ephemeris = RunNovarel(folder, "ephemeris", Days + " --void-of-course");
    EXPECT_EQ(ephemeris.status, 2);
    EXPECT_NE(
        ephemeris.err.find("--void-of-course: only the aspectarian command takes this option"),
        std::string::npos)
        << ephemeris.err;
}

}  // namespace
}  // namespace novarel::clitest
