#include "core/iso_date.h"

#include <fmt/format.h>

#include <charconv>
#include <tuple>

namespace novarel {
namespace {

// The number of an all-digit field, or -1.
int Field(std::string_view digits) {
    int n = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    return error == std::errc() && end == digits.data() + digits.size() && digits[0] != '-' &&
                   digits[0] != '+'
               ? n
               : -1;
}

}  // namespace

std::optional<CivilDate> ParseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const CivilDate date{Field(text.substr(0, 4)), Field(text.substr(5, 2)),
                         Field(text.substr(8, 2))};
    if (date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > DaysInMonth(date.year, date.month) || DayBefore(date, FirstSupportedDay) ||
        DayBefore(LastSupportedDay, date))
        return std::nullopt;
    return date;
}

std::string IsoDateText(const CivilDate& date) {
    return fmt::format("{:04}-{:02}-{:02}", date.year, date.month, date.day);
}

bool DayBefore(const CivilDate& a, const CivilDate& b) {
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

CivilDate DaysAfter(const CivilDate& date, int days) {
    // The Julian Day Number of the date is its noon: the day after is whole days on.
    return JulianDayToCivil(CalendarToJulianDay(date.year, date.month, date.day) + days);
}

}  // namespace novarel
