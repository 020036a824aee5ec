#include "cli/request_options.h"

#include <fmt/format.h>

#include <ctime>

#include "app/days_box.h"
#include "cli/export_records.h"
#include "cli/option_checks.h"

namespace novarel::cli {

namespace {

CLI::Validator Checked(std::string (*problem)(const std::string&), const std::string& what) {
    return CLI::Validator([problem](std::string& value) { return problem(value); }, what);
}

}  // namespace

void AddRequestOptions(CLI::App& cmd, CommandOptions& o) {
    cmd.add_option("--start", o.start,
                   "First day at Greenwich, 1800-01-01 to 2100-12-31 "
                   "(default: today, UTC)")
        ->type_name("YYYY-MM-DD")
        ->check(Checked(StartDateProblem, ""));
    auto* days =
        cmd.add_option("--days", o.days, "Number of days, 1 to 366 (default: the full month)")
            ->type_name("N")
            ->check(Checked(DaysProblem, ""));
    auto* full = cmd.add_flag(
        "--full-month", o.fullMonth,
        "Calculate full month; not with --days (the default when --days is not given)");
    days->excludes(full);
    auto* mid = cmd.add_flag("--midnight", o.midnight, "Rows at 0h UT (default: noon)");
    auto* noon = cmd.add_flag("--noon", o.noon, "Rows at 12h UT (default)");
    mid->excludes(noon);
    auto* geo = cmd.add_flag("--geo", o.geo, "Geocentric positions (default)");
    auto* helio = cmd.add_flag("--helio", o.helio, "Heliocentric positions (default: geocentric)");
    geo->excludes(helio);
    cmd.add_option("--zodiac", o.zodiac, "tropical, sidereal or ayanamsa (default: tropical)")
        ->type_name("tropical|sidereal|ayanamsa")
        ->check(CLI::IsMember({"tropical", "sidereal", "ayanamsa"}).description(""));
    cmd.add_option("--node", o.node, "true or mean lunar node (default: true)")
        ->type_name("true|mean")
        ->check(CLI::IsMember({"true", "mean"}).description(""));
    cmd.add_flag("--save", o.save,
                 "Also write the data files into the program folder (default: off)");
    cmd.add_flag("--require-files", o.requireFiles,
                 "Stop when no Swiss Ephemeris file is found instead of using the library's "
                 "less precise analytic ephemeris (default: off)");
    cmd.add_option("--dir", o.dir,
                   "Program folder (default: the runtime files' folder beside the executable, or "
                   "$XDG_DATA_HOME/novarel when that is not writable)")
        ->type_name("FOLDER");
    cmd.add_option("--date-order", o.dateOrder,
                   "0 month-day-year, 1 day-month-year, 2 year-month-day in data file names "
                   "(default: from the LC_TIME locale)")
        ->type_name("0|1|2")
        ->check(CLI::Range(0, 2).description(""));
    cmd.add_option("--encoding", o.encoding,
                   "utf8: Unicode symbols with LF (default); cp1252: the Data window's "
                   "single-byte text with CR LF")
        ->type_name("utf8|cp1252")
        ->check(CLI::IsMember({"utf8", "cp1252"}).description(""));
}

void AddAspectarianOptions(CLI::App& cmd, CommandOptions& o, bool hidden) {
    const std::string group = hidden ? "" : "Options";
    cmd.add_flag("--moon-change-only", o.moonChangeOnly,
                 "\"Moon - change sign only (Asp.)\": list Moon sign changes only (default: off)")
        ->group(group);
    cmd.add_flag("--no-moon-ingress", o.noMoonIngress,
                 "\"Do not display\" Moon sign changes (default: displayed)")
        ->group(group);
    cmd.add_flag("--stations", o.stations, "Then list the retrograde station times (default: off)")
        ->group(group);
}

void AddExportOptions(CLI::App& cmd, CommandOptions& o, bool aspectarian) {
    if (aspectarian)
        cmd.add_option("--format", o.format,
                       "text: the Data window's page (default); csv: one RFC 4180 record per "
                       "event with a header row; json: one document, {\"request\": ..., "
                       "\"records\": [...]}; ics: iCalendar, one VEVENT per event")
            ->type_name("text|csv|json|ics")
            ->check(CLI::IsMember({"text", "csv", "json", "ics"}).description(""));
    else
        cmd.add_option("--format", o.format,
                       "text: the Data window's table (default); csv: one RFC 4180 record per "
                       "day and body with a header row; json: one document, {\"request\": "
                       "..., \"records\": [...]}")
            ->type_name("text|csv|json")
            ->check(CLI::IsMember({"text", "csv", "json"}).description(""));
    cmd.add_option("--output", o.output,
                   "Write the output to this file, replaced only once complete; a relative "
                   "name is in --out-dir when given (default: standard output)")
        ->type_name("FILE");
    cmd.add_option("--out-dir", o.outDir,
                   "Folder for the --save data files and a relative --output, created when "
                   "missing (default: the program folder)")
        ->type_name("FOLDER");
    auto* end = cmd.add_option("--end", o.end,
                               "Last day of a range from --start, up to 2100-12-31: the start's "
                               "month, then whole months, each its own run; not with --days "
                               "(default: no range)")
                    ->type_name("YYYY-MM-DD")
                    ->check(Checked(StartDateProblem, ""));
    if (auto* days = cmd.get_option_no_throw("--days")) end->excludes(days);
    cmd.add_option("--jobs", o.jobs,
                   "Periods of a range computed at once; the output is the same for any "
                   "number (default: one per core)")
        ->type_name("N")
        ->check(CLI::Range(1, 256).description(""));
    cmd.add_option("--bodies", o.bodies,
                   "csv, json, ics: only these bodies, e.g. sun,moon,mercury (sun or earth, "
                   "moon .. pluto, node; default: all)")
        ->type_name("LIST")
        ->check(Checked(BodiesProblem, ""));
    if (aspectarian)
        cmd.add_option("--kinds", o.kinds,
                       "csv, json, ics: only these kinds of event: aspect, parallel, "
                       "contraparallel, ingress, station, lunation, eclipse (default: all)")
            ->type_name("LIST")
            ->check(Checked(KindsProblem, ""));
}

std::string MisplacedAspectarianOption(const CLI::App& ephemeris) {
    for (const char* name : AspectarianOnlyOptions)
        if (ephemeris.count(name) > 0)
            return fmt::format("{}: only the aspectarian command takes this option", name);
    return {};
}

std::string IdleOptionProblem(const CLI::App& cmd, const CommandOptions& o) {
    const auto given = [&cmd](const char* name) {
        const CLI::Option* option = cmd.get_option_no_throw(name);
        return option != nullptr && option->count() > 0;
    };
    if (given("--dir") && o.dir.empty()) return "--dir: an empty name names no folder";
    const bool aspectarian = cmd.get_name() == "aspectarian";
    if (!o.pdf.empty()) {
        for (const char* name : {"--output", "--format", "--bodies", "--kinds", "--encoding"})
            if (given(name)) return fmt::format("{}: not with --pdf, which prints the pages", name);
        return {};
    }
    if (o.format == "text") {
        for (const char* name : {"--bodies", "--kinds"})
            if (given(name))
                return fmt::format("{}: only the {} formats take this option", name,
                                   aspectarian ? "csv, json and ics" : "csv and json");
        return {};
    }
    for (const char* name : {"--encoding", "--view"})
        if (given(name)) return fmt::format("{}: only the text format takes this option", name);
    return {};
}

namespace {
std::string WithoutLeadingZeros(const std::string& part) {
    if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos) return part;
    const std::size_t first = part.find_first_not_of('0');
    return first == std::string::npos ? "0" : part.substr(first);
}
}  // namespace

bool ApplyRequestOptions(const CommandOptions& o, CalcRequest& r, std::string& usageError) {
    const std::string start = o.start.empty() ? TodayUtc() : o.start;
    const std::size_t a = start.find('-');
    const std::size_t b = a == std::string::npos ? a : start.find('-', a + 1);
    if (a == std::string::npos || b == std::string::npos ||
        start.find('-', b + 1) != std::string::npos) {
        usageError = "--start: expected a date YYYY-MM-DD, got '" + start + "'";
        return false;
    }
    r.txtYear = WithoutLeadingZeros(start.substr(0, a));
    r.txtMonth = WithoutLeadingZeros(start.substr(a + 1, b - a - 1));
    r.txtDay = WithoutLeadingZeros(start.substr(b + 1));

    r.chkFullMonth = o.fullMonth || !o.days.has_value();
    if (o.days) {
        const DaysBox box = CorrectDaysText(*o.days);
        r.NumberOfDays = box.days;
    }
    r.type = o.midnight ? TimeOfDay::Midnight : TimeOfDay::Noon;
    r.coordinates = o.helio ? Centre::Helio : Centre::Geo;
    r.zodiac = o.zodiac == "sidereal"   ? Zodiac::Sidereal
               : o.zodiac == "ayanamsa" ? Zodiac::Ayanamsa
                                        : Zodiac::Tropical;
    r.moonNodes = o.node == "mean" ? NodeKind::Mean : NodeKind::True;
    r.chkMoonChange = o.moonChangeOnly;
    r.moonChangeSign = o.noMoonIngress ? MoonChangeSign::NoDisplay : MoonChangeSign::Display;
    r.chkSaveData = o.save;
    r.requireEphemerisFiles = o.requireFiles;
    r.dataOutput = o.view == "declination" ? DataOutput::Declination
                   : o.view == "latitude"  ? DataOutput::Latitude
                   : o.view == "ra"        ? DataOutput::RightAscension
                                           : DataOutput::Longitude;
    return true;
}

std::string TodayUtc() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    return fmt::format("{:04}-{:02}-{:02}", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday);
}

}  // namespace novarel::cli
