#include "cli/option_checks.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>

#include "app/export/export_records.h"
#include "core/iso_date.h"

namespace novarel::cli {
namespace {

constexpr int MaxDays = 366;

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

int Number(std::string_view digits) {
    int n = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), n);
    return n;
}

}  // namespace

std::string StartDateProblem(const std::string& value) {
    if (ParseIsoDate(value)) return {};
    return fmt::format("'{}' is not a calendar date YYYY-MM-DD from {} to {}", value,
                       IsoDateText(FirstSupportedDay), IsoDateText(LastSupportedDay));
}

std::string DaysProblem(const std::string& value) {
    const std::string_view v = value;
    if (AllDigits(v) && v.size() <= 3) {
        const int days = Number(v);
        if (days >= 1 && days <= MaxDays) return {};
    }
    return fmt::format("'{}' is not a whole number of days from 1 to {}", value, MaxDays);
}

std::vector<std::string> ListItems(const std::string& list) {
    std::vector<std::string> items;
    std::size_t from = 0;
    while (from <= list.size()) {
        const std::size_t comma = std::min(list.find(',', from), list.size());
        items.push_back(list.substr(from, comma - from));
        from = comma + 1;
    }
    return items;
}

std::string BodiesProblem(const std::string& list) {
    return UnknownListItem(
        list, [](const std::string& item) { return exports::BodyNamed(item) != 0; },
        "a body: sun (or earth), moon, mercury, venus, mars, jupiter, saturn, uranus, neptune, "
        "pluto, node; with --asteroids chiron, ceres, pallas, juno, vesta, lilith");
}

std::string KindsProblem(const std::string& list) {
    return UnknownListItem(
        list, [](const std::string& item) { return exports::KindNamed(item).has_value(); },
        "a kind of event: aspect, parallel, contraparallel, ingress, station, lunation, eclipse, "
        "void");
}

std::vector<int> BodiesOf(const std::string& list) {
    std::vector<int> bodies;
    if (list.empty()) return bodies;
    for (const std::string& item : ListItems(list)) bodies.push_back(exports::BodyNamed(item));
    return bodies;
}

std::vector<EventKind> KindsOf(const std::string& list) {
    std::vector<EventKind> kinds;
    if (list.empty()) return kinds;
    for (const std::string& item : ListItems(list))
        if (auto k = exports::KindNamed(item)) kinds.push_back(*k);
    return kinds;
}

}  // namespace novarel::cli
