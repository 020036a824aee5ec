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
};

// Adds the request and program options to a subcommand; --start and --days
// are checked strictly, and --days excludes --full-month.
void AddRequestOptions(CLI::App& command, CommandOptions& options);

inline constexpr const char* AspectarianOnlyOptions[] = {"--moon-change-only", "--no-moon-ingress",
                                                         "--stations"};

// Adds the aspectarian's own options. The ephemeris command gets them hidden,
// so that MisplacedAspectarianOption can say what is wrong with them there.
void AddAspectarianOptions(CLI::App& command, CommandOptions& options, bool hidden);

// "--stations: only the aspectarian command takes this option" for the first
// aspectarian option given to the ephemeris command; empty when none is.
std::string MisplacedAspectarianOption(const CLI::App& ephemeris);

// Fills the request from the options. The start date goes into the three
// boxes as typed (no leading zeros); false with a usage text when --start is
// not of the form YYYY-MM-DD (only today's date is not checked by the parser).
bool ApplyRequestOptions(const CommandOptions& options, CalcRequest& request,
                         std::string& usageError);

// Today's date at Greenwich as YYYY-MM-DD.
std::string TodayUtc();

}  // namespace novarel::cli
