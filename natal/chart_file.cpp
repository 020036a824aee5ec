#include "natal/chart_file.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "core/folder_lock.h"
#include "core/text_file.h"

namespace novarel {
namespace {

using Json = nlohmann::ordered_json;

// A save waits this long for another program saving into the folder.
constexpr std::chrono::milliseconds SaveLockWait{5000};

int LineOf(std::string_view text, std::size_t byte) {
    byte = std::min(byte, text.size());
    return 1 +
           static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(byte), '\n'));
}

// The line on which each object of the "charts" array begins, so that a
// chart the program cannot use is shown where it stands.
std::vector<int> ChartLines(std::string_view text) {
    std::vector<int> lines;
    int line = 1, depth = 0, chartsDepth = -1;
    bool inString = false, escaped = false;
    std::string lastString;
    std::string current;
    for (char c : text) {
        if (c == '\n') ++line;
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"') {
                inString = false;
                lastString = current;
            } else
                current.push_back(c);
            continue;
        }
        if (c == '"') {
            inString = true;
            current.clear();
        } else if (c == '[' || c == '{') {
            ++depth;
            if (c == '[' && depth == 2 && lastString == "charts") chartsDepth = depth;
            if (c == '{' && chartsDepth >= 0 && depth == chartsDepth + 1) lines.push_back(line);
        } else if (c == ']' || c == '}') {
            if (depth == chartsDepth) chartsDepth = -1;
            --depth;
        }
    }
    return lines;
}

bool ReadNumbers(std::string_view text, char separator, int& a, int& b, int& c, bool three) {
    const char* p = text.data();
    const char* end = text.data() + text.size();
    auto number = [&](int& out) {
        const auto [next, ec] = std::from_chars(p, end, out);
        if (ec != std::errc() || next == p) return false;
        p = next;
        return true;
    };
    auto separated = [&] {
        if (p == end || *p != separator) return false;
        ++p;
        return true;
    };
    if (!number(a) || !separated() || !number(b)) return false;
    if (three && (!separated() || !number(c))) return false;
    return p == end;
}

// The chart of one object of the file; empty when it can be used, else why not.
std::string ReadChart(const Json& j, NatalChart& chart) {
    if (!j.is_object()) return "a chart is not an object { ... }";
    auto text = [&](const char* key, std::string& out) {
        const auto it = j.find(key);
        if (it == j.end() || !it->is_string()) return false;
        out = it->get<std::string>();
        return true;
    };
    if (!text("name", chart.name)) return "a chart has no \"name\"";
    const std::string named = fmt::format("the chart \"{}\"", chart.name);
    std::string date, time;
    int unused = 0;
    if (!text("date", date) ||
        !ReadNumbers(date, '-', chart.date.year, chart.date.month, chart.date.day, true))
        return named + " has no \"date\" written as \"YYYY-MM-DD\"";
    if (!text("time", time) || !ReadNumbers(time, ':', chart.hour, chart.minute, unused, false))
        return named + " has no \"time\" written as \"HH:MM\"";
    if (j.contains("time_zone") && !text("time_zone", chart.timeZone))
        return named + ": \"time_zone\" is not a text";
    const bool hasLatitude = j.contains("latitude"), hasLongitude = j.contains("longitude");
    if (hasLatitude != hasLongitude)
        return named + " has only one of \"latitude\" and \"longitude\"";
    if (hasLatitude) {
        const Json& lat = j["latitude"];
        const Json& lon = j["longitude"];
        if (!lat.is_number() || !lon.is_number())
            return named + ": \"latitude\" and \"longitude\" are not numbers";
        chart.place = PlaceOnEarth{lat.get<double>(), lon.get<double>()};
    }
    if (std::string problem = ChartProblem(chart); !problem.empty()) return named + ": " + problem;
    return {};
}

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// Reads the file again under the folder's lock, lets change edit the list,
// and replaces the file; the message of a failure, else empty.
template <typename ChangeList>
std::string ChangeFile(const std::string& path, ChangeList&& change) {
    const FolderLock lock(FolderOf(path), LockWait{SaveLockWait, {}});
    if (!lock.locked()) return fmt::format("The natal charts cannot be saved: {}.", lock.problem());
    ChartList list = ReadChartFile(path);
    if (!list.error.empty())
        return fmt::format("The natal charts file cannot be read, so it was left as it is: {}",
                           list.error);
    if (std::string refused = change(list.charts); !refused.empty()) return refused;
    int error = 0;
    if (!WriteWholeFile(path, ChartFileText(list.charts), &error))
        return fmt::format(
            "The natal charts file {} cannot be written ({}); it was left as it was.", path,
            std::strerror(error));
    return {};
}

}  // namespace

ChartList ReadChartFile(const std::string& path) {
    ChartList list;
    std::error_code missing;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, missing))) return list;
    if (IsTooLargeToRead(path)) {
        list.error = TooLargeText(path);
        return list;
    }
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) {
        list.error = fmt::format("{} cannot be read", path);
        return list;
    }
    Json root;
    try {
        root = Json::parse(*text);
    } catch (const Json::parse_error& e) {
        // The library's text after its own position ("... column 3: ").
        std::string what = e.what();
        if (const std::size_t colon = what.find(": "); colon != std::string::npos)
            what.erase(0, colon + 2);
        list.error = fmt::format("{}, line {}: {}", path, LineOf(*text, e.byte), what);
        return list;
    }
    const auto charts = root.is_object() ? root.find("charts") : root.end();
    if (!root.is_object() || charts == root.end() || !charts->is_array()) {
        list.error = fmt::format("{}, line 1: the file holds no \"charts\": [ ... ] list", path);
        return list;
    }
    const std::vector<int> lines = ChartLines(*text);
    for (std::size_t i = 0; i < charts->size(); ++i) {
        NatalChart chart;
        std::string problem = ReadChart((*charts)[i], chart);
        if (problem.empty() && FindChart(list, chart.name))
            problem = fmt::format("a second chart is named \"{}\"", chart.name);
        if (!problem.empty()) {
            const std::string where = lines.size() == charts->size()
                                          ? fmt::format("line {}", lines[i])
                                          : fmt::format("chart {}", i + 1);
            list.error = fmt::format("{}, {}: {}", path, where, problem);
            list.charts.clear();
            return list;
        }
        list.charts.push_back(std::move(chart));
    }
    return list;
}

std::optional<NatalChart> FindChart(const ChartList& list, std::string_view name) {
    for (const NatalChart& chart : list.charts)
        if (chart.name == name) return chart;
    return std::nullopt;
}

std::string SaveChart(const std::string& path, const NatalChart& chart,
                      std::string_view replacing) {
    if (std::string problem = ChartProblem(chart); !problem.empty()) return problem;
    return ChangeFile(path, [&](std::vector<NatalChart>& charts) -> std::string {
        auto named = [&](std::string_view name) {
            return std::find_if(charts.begin(), charts.end(),
                                [&](const NatalChart& c) { return c.name == name; });
        };
        const auto old = replacing.empty() ? charts.end() : named(replacing);
        const auto clash = named(chart.name);
        if (clash != charts.end() && clash != old)
            return fmt::format("A chart named \"{}\" exists already.", chart.name);
        // A chart another program deleted while it was being edited is kept
        // as a new one.
        if (old != charts.end())
            *old = chart;
        else
            charts.push_back(chart);
        return {};
    });
}

std::string DeleteChart(const std::string& path, std::string_view name) {
    return ChangeFile(path, [&](std::vector<NatalChart>& charts) -> std::string {
        std::erase_if(charts, [&](const NatalChart& c) { return c.name == name; });
        return {};
    });
}

std::string ChartFileText(std::span<const NatalChart> charts) {
    Json list = Json::array();
    for (const NatalChart& c : charts) {
        Json j;
        j["name"] = c.name;
        j["date"] = fmt::format("{:04}-{:02}-{:02}", c.date.year, c.date.month, c.date.day);
        j["time"] = fmt::format("{:02}:{:02}", c.hour, c.minute);
        j["time_zone"] = c.timeZone;
        if (c.place) {
            j["latitude"] = c.place->latitude;
            j["longitude"] = c.place->longitude;
        }
        list.push_back(std::move(j));
    }
    Json root;
    root["charts"] = std::move(list);
    return root.dump(2) + "\n";
}

}  // namespace novarel
