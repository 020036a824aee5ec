#pragma once
// novarel graph: the graphic ephemeris written as a PNG, SVG or PDF file
// through the printing module, the same drawing as the desktop program's.
#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "core/julian_day.h"

namespace novarel::cli {

struct GraphOptions {
    std::string dial = "360";
    std::optional<CivilDate> start;  // none: today (UTC)
    std::optional<CivilDate> end;    // none: a year from the start
    std::string bodies;              // empty: the ten planets
    std::string chart;               // a chart of the chart file
    std::string natal;               // "YYYY-MM-DD HH:MM"
    std::string natalTz = "UT";
    bool lunations = false;
    std::string png, svg, pdf;
    std::string size = "1600x1000";
    std::string dir;
};

void AddGraphOptions(CLI::App& command, GraphOptions& options);

// "'800x' is not a size WIDTHxHEIGHT ..." or empty for a good --size.
std::string GraphSizeProblem(const std::string& value);

// The exit status: 0 when the file was written, 2 for an input error, 1 for
// any other failure, each with its message on stderr.
int RunGraphCommand(const GraphOptions& options, const std::string& programFolder);

}  // namespace novarel::cli
