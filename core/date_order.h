#pragma once
// The order of day, month and year in date texts and file names.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace novarel {

enum class DateOrder : std::int16_t { MonthDayYear = 0, DayMonthYear = 1, YearMonthDay = 2 };

// The order of a stored date-order number: 1 and 2 as named, any other
// number month-day-year.
constexpr DateOrder DateOrderOf(std::int16_t stored) {
    if (stored == 1) return DateOrder::DayMonthYear;
    if (stored == 2) return DateOrder::YearMonthDay;
    return DateOrder::MonthDayYear;
}

// Day, month and year in the order in which the date order writes them.
template <class T>
constexpr std::array<T, 3> InDateOrder(DateOrder order, T day, T month, T year) {
    switch (order) {
        case DateOrder::DayMonthYear: return {day, month, year};
        case DateOrder::YearMonthDay: return {year, month, day};
        case DateOrder::MonthDayYear: break;
    }
    return {month, day, year};
}

// The three parts in the date order with the separator between them.
inline std::string ArrangeDate(DateOrder order, std::string_view day, std::string_view month,
                               std::string_view year, std::string_view separator) {
    const auto parts = InDateOrder(order, day, month, year);
    std::string text(parts[0]);
    text += separator;
    text += parts[1];
    text += separator;
    text += parts[2];
    return text;
}

}  // namespace novarel
