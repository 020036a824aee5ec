#pragma once
// The request options shared by the commands, set exactly as the input
// window would set them.
#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "core/calc_request.h"

namespace novarel::cli {

struct CommandOptions {
    std::string start;  // YYYY-MM-DD; empty: today (UTC)
    std::optional<std::string> days;
    bool fullMonth = false;
    bool midnight = false;
    bool noon = false;
    bool geo = false;
    bool helio = false;
    std::string zodiac = "tropical";
    std::string node = "true";
    bool moonChangeOnly = false;
    bool noMoonIngress = false;
    bool save = false;
    bool requireFiles = false;
    // Program options.
    std::string dir;
    std::optional<int> dateOrder;
    std::string encoding = "utf8";
    // Command options.
    std::string view = "longitude";
    bool stations = false;
    // Exports and ranges.
    std::string format = "text";
    std::string output;  // empty: standard output
    std::string outDir;  // empty: the program folder
    std::string end;     // YYYY-MM-DD; empty: the one period of --start and --days
    int jobs = 0;        // 0: one per core
    std::string bodies;  // comma-separated body names; empty: all
    std::string kinds;   // comma-separated kinds of event; empty: all
    std::string pdf;     // a PDF file to print the data into instead of standard output
};

// Adds the request and program options to a subcommand; --start and --days
// are checked strictly, and --days excludes --full-month.
void AddRequestOptions(CLI::App& command, CommandOptions& options);

inline constexpr const char* AspectarianOnlyOptions[] = {"--moon-change-only", "--no-moon-ingress",
                                                         "--stations"};

// Adds the aspectarian's own options. The ephemeris command gets them hidden,
// so that MisplacedAspectarianOption can say what is wrong with them there.
void AddAspectarianOptions(CLI::App& command, CommandOptions& options, bool hidden);

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

// Fills the request from the options. The start date goes into the three
// boxes as typed (no leading zeros); false with a usage text when --start is
// not of the form YYYY-MM-DD (only today's date is not checked by the parser).
bool ApplyRequestOptions(const CommandOptions& options, CalcRequest& request,
                         std::string& usageError);

// Today's date at Greenwich as YYYY-MM-DD.
std::string TodayUtc();

}  // namespace novarel::cli
