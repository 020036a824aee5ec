#pragma once
// The request options shared by the commands, set exactly as the input
// window would set them.
#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/export/export_records.h"
#include "core/calc_request.h"
#include "core/julian_day.h"
#include "core/option_values.h"

namespace novarel::cli {

// The records' code is the windows' too; the command line names it as its own.
using exports::ExportChoices;
using exports::ExportFormat;

enum class TextEncoding { Utf8, Cp1252 };

// The values of the options that take one of a few words, in the order of
// those words in the help, and the words.
template <typename Value>
using ValueNames = std::vector<std::pair<std::string, Value>>;
const ValueNames<Zodiac>& ZodiacNames();
const ValueNames<NodeKind>& NodeNames();
const ValueNames<DataOutput>& ViewNames();
const ValueNames<TextEncoding>& EncodingNames();
const ValueNames<ExportFormat>& FormatNames();

// The word of a value ("sidereal").
template <typename Value>
std::string NameOf(const ValueNames<Value>& names, Value value) {
    for (const auto& [name, v] : names)
        if (v == value) return name;
    return {};
}

struct CommandOptions {
    std::optional<CivilDate> start;  // none: today (UTC)
    std::optional<int> days;         // none: the full month
    bool fullMonth = false;
    bool midnight = false;
    bool noon = false;
    bool geo = false;
    bool helio = false;
    Zodiac zodiac = Zodiac::Tropical;
    NodeKind node = NodeKind::True;
    bool moonChangeOnly = false;
    bool noMoonIngress = false;
    bool save = false;
    bool requireFiles = false;
    // Program options.
    std::string dir;
    std::optional<int> dateOrder;
    TextEncoding encoding = TextEncoding::Utf8;
    // Command options.
    DataOutput view = DataOutput::Longitude;
    bool stations = false;
    std::optional<unsigned> minorAspects;  // none: the options file's choice
    std::string timeZone = "UT";           // the aspectarian's clock
    // The void-of-course Moon; none: as the options file says.
    std::optional<VoidOfCourseRule> voidOfCourse;
    // Chiron, the asteroids and Lilith; none: as the options file says.
    std::optional<ExtraBodyChoice> extraBodies;
    // Exports and ranges.
    ExportFormat format = ExportFormat::Text;
    std::string output;            // empty: standard output
    std::string outDir;            // empty: the program folder
    std::optional<CivilDate> end;  // none: the one period of --start and --days
    int jobs = 0;                  // 0: one per core
    std::string bodies;            // comma-separated body names; empty: all
    std::string kinds;             // comma-separated kinds of event; empty: all
    std::string pdf;               // a PDF file to print the data into instead of standard output
    // The transits command: the chart of the chart file by its name, or the
    // birth given directly ("YYYY-MM-DD HH:MM", its zone, "LAT,LON").
    bool transits = false;
    std::string chart;
    std::string natal;
    std::string natalZone;
    std::string place;
};

// Adds the request and program options to a subcommand; --start and --days
// are checked strictly, and --days excludes --full-month.
void AddRequestOptions(CLI::App& command, CommandOptions& options);

inline constexpr const char* AspectarianOnlyOptions[] = {
    "--moon-change-only", "--no-moon-ingress", "--stations", "--aspects", "--void-of-course"};

// The minor aspects of an --aspects list (AspectName's words, "all" or
// "none"), as CalcRequest::minorAspects counts them; an empty text for a good
// list, else which word is wrong and what is accepted.
unsigned MinorAspectsOf(const std::string& list);
std::string MinorAspectsProblem(const std::string& list);

// Why a --tz value names no zone; an empty text for a known zone.
std::string TimeZoneProblem(const std::string& name);

// The ephemeris command's --view.
void AddViewOption(CLI::App& command, CommandOptions& options);

// Adds the aspectarian's own options. The ephemeris command gets them hidden,
// so that MisplacedAspectarianOption can say what is wrong with them there.
void AddAspectarianOptions(CLI::App& command, CommandOptions& options, bool hidden);

// The transits command's own options: --chart, or --natal with --natal-tz
// and --place; --aspects and --tz as the aspectarian takes them.
void AddTransitOptions(CLI::App& command, CommandOptions& options);

// --asteroids, which both commands take, each with its own help.
void AddAsteroidsOption(CLI::App& command, CommandOptions& options, bool aspectarian);

// --format, --output, --out-dir, --end, --jobs, --bodies and, for the
// aspectarian, --kinds and the ics format.
void AddExportOptions(CLI::App& command, CommandOptions& options, bool aspectarian);

// "--stations: only the aspectarian command takes this option" for the first
// aspectarian option given to the ephemeris command; empty when none is.
std::string MisplacedAspectarianOption(const CLI::App& ephemeris);

// "--bodies: only the csv, json and ics formats take this option" for the
// first option given that the chosen output would ignore (an export option
// with --pdf or the text format, a text option with an export, an empty
// --dir); empty when every option given does something.
std::string IdleOptionProblem(const CLI::App& command, const CommandOptions& options);

// Fills the request from the options: the start day (today at Greenwich
// when none is given) goes into the three boxes as their texts would be
// typed, and is passed on as the day already read.
void ApplyRequestOptions(const CommandOptions& options, CalcRequest& request);

// Today's date at Greenwich.
CivilDate TodayUtc();

}  // namespace novarel::cli
