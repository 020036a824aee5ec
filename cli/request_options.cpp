#include "cli/request_options.h"

#include <fmt/format.h>

#include <algorithm>
#include <ctime>

#include "app/export/export_records.h"
#include "app/export/export_request.h"
#include "aspectarian/aspect_event.h"
#include "cli/option_checks.h"
#include "cli/transit_options.h"
#include "core/iso_date.h"
#include "core/time_zone.h"

namespace novarel::cli {

namespace {

CLI::Validator Checked(std::string (*problem)(const std::string&), const std::string& what) {
    return CLI::Validator([problem](std::string& value) { return problem(value); }, what);
}

// An option that takes a day YYYY-MM-DD.
CLI::Option* AddDayOption(CLI::App& cmd, const std::string& name, std::optional<CivilDate>& target,
                          const std::string& help) {
    // Read once: the day, or the option's error.
    const auto read = [&target, name](const std::string& text) {
        target = ParseIsoDate(text);
        if (!target) throw CLI::ValidationError(name, StartDateProblem(text));
    };
    return cmd.add_option_function<std::string>(name, read, help)->type_name("YYYY-MM-DD");
}

// An option that takes one of the words of a table, kept as the word's value.
template <typename Target, typename Value>
CLI::Option* AddWordOption(CLI::App& cmd, const std::string& name, Target& target,
                           const ValueNames<Value>& names, const std::string& help) {
    std::vector<std::string> words;
    for (const auto& entry : names) words.push_back(entry.first);
    return cmd
        .add_option_function<std::string>(
            name,
            [&target, &names](const std::string& word) {
                for (const auto& [w, value] : names)
                    if (w == word) target = value;
            },
            help)
        ->type_name(CLI::detail::join(words, "|"))
        ->check(CLI::IsMember(words).description(""));
}

// The minor aspects a word of an --aspects list names; none for a word that
// names none of them.
std::optional<unsigned> MinorAspectsNamed(const std::string& word) {
    if (word == "none") return 0u;
    if (word == "all") return AllMinorAspects;
    for (int a = Semisextile; a <= Quincunx; ++a)
        if (word == AspectName(a)) return MinorAspectBit(a);
    return std::nullopt;
}

// --aspects: the minor aspects listed beside the five.
CLI::Option* AddMinorAspectsOption(CLI::App& cmd, CommandOptions& o) {
    return cmd
        .add_option_function<std::string>(
            "--aspects", [&o](const std::string& list) { o.minorAspects = MinorAspectsOf(list); },
            "Minor aspects listed beside the five: semisextile, semisquare, quintile, "
            "sesquiquadrate, biquintile, quincunx, all or none (default: lines 13 to 18 of "
            "OPTIONS.OPT, none as shipped)")
        ->type_name("LIST")
        ->check(Checked(MinorAspectsProblem, ""));
}

CLI::Option* AddTimeZoneOption(CLI::App& cmd, CommandOptions& o, const std::string& help) {
    return cmd.add_option("--tz", o.timeZone, help)
        ->type_name("ZONE")
        ->check(Checked(TimeZoneProblem, ""))
        ->group("Options");
}

}  // namespace

unsigned MinorAspectsOf(const std::string& list) {
    unsigned set = 0;
    for (const std::string& item : ListItems(list)) set |= MinorAspectsNamed(item).value_or(0);
    return set;
}

std::string MinorAspectsProblem(const std::string& list) {
    return UnknownListItem(
        list, [](const std::string& item) { return MinorAspectsNamed(item).has_value(); },
        "a minor aspect: semisextile, semisquare, quintile, sesquiquadrate, biquintile, "
        "quincunx, all or none");
}

std::string TimeZoneProblem(const std::string& name) {
    if (TimeZone::Find(name)) return {};
    return fmt::format(
        "'{}' is not a time zone of the system's database: an IANA name such as "
        "America/New_York, or UT",
        name);
}

const ValueNames<Zodiac>& ZodiacNames() {
    static const ValueNames<Zodiac> names = [] {
        ValueNames<Zodiac> words;
        for (Zodiac z : {Zodiac::Tropical, Zodiac::Sidereal, Zodiac::Ayanamsa})
            words.emplace_back(exports::ZodiacWord(z), z);
        return words;
    }();
    return names;
}

const ValueNames<NodeKind>& NodeNames() {
    static const ValueNames<NodeKind> names{
        {std::string(exports::NodeWord(NodeKind::True)), NodeKind::True},
        {std::string(exports::NodeWord(NodeKind::Mean)), NodeKind::Mean}};
    return names;
}

const ValueNames<DataOutput>& ViewNames() {
    static const ValueNames<DataOutput> names{{"longitude", DataOutput::Longitude},
                                              {"declination", DataOutput::Declination},
                                              {"latitude", DataOutput::Latitude},
                                              {"ra", DataOutput::RightAscension}};
    return names;
}

const ValueNames<TextEncoding>& EncodingNames() {
    static const ValueNames<TextEncoding> names{{"utf8", TextEncoding::Utf8},
                                                {"cp1252", TextEncoding::Cp1252}};
    return names;
}

const ValueNames<ExportFormat>& FormatNames() {
    static const ValueNames<ExportFormat> names{{"text", ExportFormat::Text},
                                                {"csv", ExportFormat::Csv},
                                                {"json", ExportFormat::Json},
                                                {"ics", ExportFormat::Ics}};
    return names;
}

void AddRequestOptions(CLI::App& cmd, CommandOptions& o) {
    AddDayOption(cmd, "--start", o.start,
                 "First day at Greenwich, 1800-01-01 to 2100-12-31 (default: today, UTC)");
    auto* days = cmd.add_option_function<std::string>(
                        "--days", [&o](const std::string& text) { o.days = std::stoi(text); },
                        "Number of days, 1 to 366 (default: the full month)")
                     ->type_name("N")
                     ->check(Checked(DaysProblem, ""));
    auto* full = cmd.add_flag("--full-month", o.fullMonth,
                              "Calculate full month; not with --days (the default without --days)");
    days->excludes(full);
    auto* mid = cmd.add_flag("--midnight", o.midnight,
                             "Rows at 0h UT, or 0:00 on the --tz clock (default: noon)");
    auto* noon =
        cmd.add_flag("--noon", o.noon, "Rows at 12h UT, or 12:00 on the --tz clock (default)");
    mid->excludes(noon);
    auto* geo = cmd.add_flag("--geo", o.geo, "Geocentric positions (default)");
    auto* helio = cmd.add_flag("--helio", o.helio, "Heliocentric positions (default: geocentric)");
    geo->excludes(helio);
    AddWordOption(cmd, "--zodiac", o.zodiac, ZodiacNames(),
                  "tropical, sidereal or ayanamsa (default: tropical)");
    AddWordOption(cmd, "--node", o.node, NodeNames(), "true or mean lunar node (default: true)");
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
    AddWordOption(cmd, "--encoding", o.encoding, EncodingNames(),
                  "utf8: Unicode symbols with LF (default); cp1252: the Data window's "
                  "single-byte text with CR LF");
}

void AddViewOption(CLI::App& cmd, CommandOptions& o) {
    AddWordOption(cmd, "--view", o.view, ViewNames(),
                  "Table shown: longitude, declination, latitude or ra (default: longitude)");
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
    AddMinorAspectsOption(cmd, o)->group(group);
    // Both commands take the zone: shown in the help of each.
    AddTimeZoneOption(cmd, o,
                      "Times on the clock of an IANA time zone such as America/New_York: the "
                      "ephemeris rows at its noon or midnight, the aspectarian's days from local "
                      "midnight to local midnight (default: UT)");
    static const ValueNames<VoidOfCourseRule> rules{{"all", VoidOfCourseRule::SunToPluto},
                                                    {"traditional", VoidOfCourseRule::SunToSaturn}};
    AddWordOption(cmd, "--void-of-course", o.voidOfCourse, rules,
                  "List the void-of-course Moon from its last aspect to its next ingress; "
                  "all: aspects to the Sun .. Pluto (the default word), traditional: to the "
                  "Sun .. Saturn (default: as line 19 of OPTIONS.OPT, shipped off)")
        ->expected(0, 1)
        ->default_str("all")
        ->type_name("[all|traditional]")
        ->group(group);
}

void AddTransitOptions(CLI::App& cmd, CommandOptions& o) {
    // Transits are seen from the Earth and timed to the minute: the
    // request's centre and time of day mean nothing to them.
    for (const char* name : {"--midnight", "--noon", "--geo", "--helio"})
        cmd.remove_option(cmd.get_option(name));
    auto* chart = cmd.add_option("--chart", o.chart,
                                 "The natal chart of this name in the program folder's "
                                 "natal_charts.json; or the birth by --natal")
                      ->type_name("NAME");
    auto* natal = cmd.add_option("--natal", o.natal,
                                 "The local date and clock of birth, as \"1985-09-07 06:20\"; "
                                 "with --natal-tz, and --place for the angles")
                      ->type_name("\"YYYY-MM-DD HH:MM\"")
                      ->check(Checked(BirthClockProblem, ""));
    auto* zone = cmd.add_option("--natal-tz", o.natalZone,
                                "The zone of the birth clock: an IANA name such as "
                                "America/New_York, or UT")
                     ->type_name("ZONE")
                     ->check(Checked(TimeZoneProblem, ""));
    auto* place = cmd.add_option("--place", o.place,
                                 "The place of birth in degrees, north and east positive, as "
                                 "40.7128,-74.0060: the chart then has its Ascendant and "
                                 "Midheaven (default: none)")
                      ->type_name("LAT,LON")
                      ->check(Checked(PlaceProblem, ""));
    chart->excludes(natal);
    natal->needs(zone);
    zone->needs(natal);
    place->needs(natal);
    AddMinorAspectsOption(cmd, o);
    AddTimeZoneOption(cmd, o,
                      "Days from local midnight to local midnight and times on the clock of an "
                      "IANA time zone such as America/New_York (default: UT)");
}

void AddAsteroidsOption(CLI::App& cmd, CommandOptions& o, bool aspectarian) {
    static const ValueNames<ExtraBodyChoice> lilith{
        {"mean", ExtraBodyChoice::MeanLilith}, {"osculating", ExtraBodyChoice::OsculatingLilith}};
    const std::string what = aspectarian
                                 ? "List Chiron, Ceres, Pallas, Juno, Vesta and Lilith with the "
                                   "eleven bodies"
                                 : "A second table below the first, of Chiron, Ceres, Pallas, "
                                   "Juno, Vesta and Lilith (no Lilith when heliocentric)";
    AddWordOption(cmd, "--asteroids", o.extraBodies, lilith,
                  what +
                      "; mean: Lilith is the Moon's mean apogee (the default word), osculating: "
                      "its osculating apogee; needs the file seas_18.se1 (default: as line 20 "
                      "of OPTIONS.OPT, shipped off)")
        ->expected(0, 1)
        ->default_str("mean")
        ->type_name("[mean|osculating]");
}

void AddExportOptions(CLI::App& cmd, CommandOptions& o, bool aspectarian) {
    if (aspectarian) {
        AddWordOption(cmd, "--format", o.format, FormatNames(),
                      "text: the Data window's page (default); csv: one RFC 4180 record per "
                      "event with a header row; json: one document, {\"request\": ..., "
                      "\"records\": [...]}; ics: iCalendar, one VEVENT per event");
    } else {
        // The ephemeris has no events for a calendar: every format but ics.
        static const ValueNames<ExportFormat> tables{
            {"text", ExportFormat::Text}, {"csv", ExportFormat::Csv}, {"json", ExportFormat::Json}};
        AddWordOption(cmd, "--format", o.format, tables,
                      "text: the Data window's table (default); csv: one RFC 4180 record per "
                      "day and body with a header row; json: one document, {\"request\": "
                      "..., \"records\": [...]}");
    }
    cmd.add_option("--output", o.output,
                   "Write the output to this file, replaced only once complete; a relative "
                   "name is in --out-dir when given (default: standard output)")
        ->type_name("FILE");
    cmd.add_option("--out-dir", o.outDir,
                   "Folder for the --save data files and a relative --output, created when "
                   "missing (default: the program folder)")
        ->type_name("FOLDER");
    auto* end = AddDayOption(cmd, "--end", o.end,
                             "Last day of a range from --start, up to 2100-12-31: the start's "
                             "month, then whole months, each its own run; not with --days "
                             "(default: no range)");
    if (auto* days = cmd.get_option_no_throw("--days")) end->excludes(days);
    cmd.add_option("--jobs", o.jobs,
                   "Periods of a range computed at once; the output is the same for any "
                   "number (default: one per core)")
        ->type_name("N")
        ->check(CLI::Range(1, 256).description(""));
    cmd.add_option("--bodies", o.bodies,
                   std::string(aspectarian ? "csv, json, ics" : "csv, json") +
                       ": only these bodies, e.g. sun,moon,mercury (sun or earth, moon .. pluto, "
                       "node; with --asteroids chiron, ceres, pallas, juno, vesta, and lilith when "
                       "geocentric; default: all)")
        ->type_name("LIST")
        ->check(Checked(BodiesProblem, ""));
    if (aspectarian)
        cmd.add_option("--kinds", o.kinds,
                       "csv, json, ics: only these kinds of event: aspect, parallel, "
                       "contraparallel, ingress, station, lunation, eclipse, void (default: all)")
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
    const bool aspectarian = cmd.get_name() != "ephemeris";
    if (!o.pdf.empty()) {
        for (const char* name : {"--output", "--format", "--bodies", "--kinds", "--encoding"})
            if (given(name)) return fmt::format("{}: not with --pdf, which prints the pages", name);
        return {};
    }
    if (o.format == ExportFormat::Text) {
        for (const char* name : {"--bodies", "--kinds"})
            if (given(name))
                return fmt::format("{}: only the {} formats take this option", name,
                                   aspectarian ? "csv, json and ics" : "csv and json");
        return {};
    }
    for (const char* name : {"--encoding", "--view", "--stations"})
        if (given(name)) return fmt::format("{}: only the text format takes this option", name);
    return {};
}

void ApplyRequestOptions(const CommandOptions& o, CalcRequest& r) {
    const CivilDate start = o.start.value_or(TodayUtc());
    r.txtYear = std::to_string(start.year);
    r.txtMonth = std::to_string(start.month);
    r.txtDay = std::to_string(start.day);
    r.startDate = start;
    r.chkFullMonth = o.fullMonth || !o.days.has_value();
    if (o.days) r.NumberOfDays = static_cast<std::int16_t>(*o.days);
    r.type = o.midnight ? TimeOfDay::Midnight : TimeOfDay::Noon;
    r.coordinates = o.helio ? Centre::Helio : Centre::Geo;
    r.zodiac = o.zodiac;
    r.moonNodes = o.node;
    r.chkMoonChange = o.moonChangeOnly;
    r.moonChangeSign = o.noMoonIngress ? MoonChangeSign::NoDisplay : MoonChangeSign::Display;
    r.chkSaveData = o.save;
    r.requireEphemerisFiles = o.requireFiles;
    r.dataOutput = o.view;
    r.minorAspects = o.minorAspects;
    r.timeZone = o.timeZone;
}

CivilDate TodayUtc() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    return CivilDate{utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday};
}

}  // namespace novarel::cli
