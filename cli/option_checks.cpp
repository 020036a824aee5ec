#include "cli/option_checks.h"

#include <fmt/format.h>

#include <charconv>

#include "core/julian_day.h"

namespace novarel::cli {
namespace {

constexpr int FirstYear = 1800;
constexpr int LastYear = 2100;
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
    const std::string accepted =
        fmt::format("a calendar date YYYY-MM-DD from {}-01-01 to {}-12-31", FirstYear, LastYear);
    const std::string_view v = value;
    const bool shaped = v.size() == 10 && v[4] == '-' && v[7] == '-' && AllDigits(v.substr(0, 4)) &&
                        AllDigits(v.substr(5, 2)) && AllDigits(v.substr(8, 2));
    if (!shaped) return fmt::format("'{}' is not {}", value, accepted);
    const int year = Number(v.substr(0, 4)), month = Number(v.substr(5, 2)),
              day = Number(v.substr(8, 2));
    if (year < FirstYear || year > LastYear || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return fmt::format("'{}' is not {}", value, accepted);
    return {};
}

std::string DaysProblem(const std::string& value) {
    const std::string_view v = value;
    if (AllDigits(v) && v.size() <= 3) {
        const int days = Number(v);
        if (days >= 1 && days <= MaxDays) return {};
    }
    return fmt::format("'{}' is not a whole number of days from 1 to {}", value, MaxDays);
}

}  // namespace novarel::cli
