#pragma once
// The natal charts the user keeps: one human-readable JSON file in the
// program folder. Every change reads the file again under the folder's lock,
// changes it and replaces it whole, so two programs saving at once both keep
// their charts, and a file that cannot be read is never replaced by less.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "natal/natal_chart.h"

namespace novarel {

inline constexpr std::string_view ChartFileName = "natal_charts.json";

// The chart file of a program folder: the folder's own, wherever data files go.
inline std::string ChartFilePath(const std::string& programFolder) {
    return programFolder + "/" + std::string(ChartFileName);
}

struct ChartList {
    std::vector<NatalChart> charts;  // in the file's order
    // Empty when the file was read or is missing (no charts yet); else why
    // it cannot be used, with the path and line: ".../natal_charts.json,
    // line 7: ...".
    std::string error;
};

// The charts of the file at path.
ChartList ReadChartFile(const std::string& path);

// The chart of that name (names are compared exactly), if the file has it.
std::optional<NatalChart> FindChart(const ChartList& list, std::string_view name);

// Adds the chart, or replaces the chart called replacing (its old name, when
// it is renamed or edited; empty for a new chart). Empty on success, else the
// message: the chart's problem, a name another chart has, a damaged file
// (left as it is), or a file that cannot be written (left as it was).
std::string SaveChart(const std::string& path, const NatalChart& chart,
                      std::string_view replacing = {});

// Removes the chart of that name; as SaveChart.
std::string DeleteChart(const std::string& path, std::string_view name);

// The file's text for these charts (what SaveChart writes).
std::string ChartFileText(std::span<const NatalChart> charts);

}  // namespace novarel
