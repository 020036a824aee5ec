#include "cli/transit_options.h"

#include <fmt/format.h>

#include <charconv>
#include <regex>

#include "cli/option_checks.h"
#include "core/julian_day.h"

namespace novarel::cli {
namespace {

std::optional<double> ReadNumber(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<PlaceOnEarth> ReadPlace(const std::string& text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) return std::nullopt;
    const auto lat = ReadNumber(std::string_view(text).substr(0, comma));
    const auto lon = ReadNumber(std::string_view(text).substr(comma + 1));
    if (!lat || !lon || *lat < -90 || *lat > 90 || *lon < -180 || *lon > 180) return std::nullopt;
    return PlaceOnEarth{*lat, *lon};
}

}  // namespace

std::optional<BirthClock> ReadBirthClock(const std::string& text) {
    static const std::regex Pattern(R"((-?\d{1,4})-(\d{2})-(\d{2}) (\d{2}):(\d{2}))");
    std::smatch m;
    if (!std::regex_match(text, m, Pattern)) return std::nullopt;
    const auto number = [&m](std::size_t k) { return std::stoi(m[k].str()); };
    BirthClock b{CivilDate{number(1), number(2), number(3)}, number(4), number(5)};
    if (!IsCalendarDate(b.date) || b.hour > 23 || b.minute > 59) return std::nullopt;
    return b;
}

std::string BirthClockProblem(const std::string& value) {
    if (ReadBirthClock(value)) return {};
    return fmt::format(
        "'{}' is not a date of the calendar and a clock written YYYY-MM-DD HH:MM, such as "
        "\"1985-09-07 06:20\"",
        value);
}

std::string PlaceProblem(const std::string& value) {
    if (ReadPlace(value)) return {};
    return fmt::format(
        "'{}' is not a place LAT,LON in degrees, north and east positive, latitude -90 to 90 "
        "and longitude -180 to 180, such as 40.7128,-74.0060",
        value);
}

std::optional<NatalChart> BirthChartOf(const CommandOptions& o) {
    const std::optional<BirthClock> birth = ReadBirthClock(o.natal);
    if (!birth) return std::nullopt;
    NatalChart chart;
    chart.name = o.natal + " " + o.natalZone;
    chart.date = birth->date;
    chart.hour = birth->hour;
    chart.minute = birth->minute;
    chart.timeZone = o.natalZone;
    if (!o.place.empty()) chart.place = ReadPlace(o.place);
    return chart;
}

std::string TransitOptionsProblem(const CommandOptions& o) {
    if (o.chart.empty() && o.natal.empty())
        return "transits: name the chart by --chart NAME, or give the birth by --natal "
               "\"YYYY-MM-DD HH:MM\" and --natal-tz ZONE";
    for (const std::string& kind :
         o.kinds.empty() ? std::vector<std::string>{} : ListItems(o.kinds))
        if (kind != "aspect" && kind != "ingress" && kind != "station")
            return "--kinds: '" + kind + "' is not a kind of transit: aspect, ingress, station";
    if (const std::optional<NatalChart> chart = BirthChartOf(o)) {
        const std::string problem = ChartProblem(*chart);
        if (!problem.empty()) return "--natal: " + problem;
    }
    return {};
}

}  // namespace novarel::cli
