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

// Adds the request and program options to a subcommand.
void AddRequestOptions(CLI::App& command, CommandOptions& options);

// Fills the request from the options. The start date goes into the three
// boxes as typed (no leading zeros); false with a usage text when --start is
// not of the form YYYY-MM-DD.
bool ApplyRequestOptions(const CommandOptions& options, CalcRequest& request,
                         std::string& usageError);

// Today's date at Greenwich as YYYY-MM-DD.
std::string TodayUtc();

}  // namespace novarel::cli
