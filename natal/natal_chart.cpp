#include "natal/natal_chart.h"

#include <fmt/format.h>

#include <cmath>

#include "core/time_zone.h"

namespace novarel {
namespace {

constexpr int FirstBirthYear = 1;
constexpr int LastBirthYear = 2999;
constexpr std::size_t LongestName = 60;

// Days of a month in the calendar the program reads dates in: Julian up to
// 4 October 1582, Gregorian after (the days between do not exist).
int MonthLength(int year, int month) {
    if (year > 1582 || (year == 1582 && month > 10)) return DaysInMonth(year, month);
    if (month == 2) return year % 4 == 0 ? 29 : 28;
    return DaysInMonth(2001, month);
}

// Code points of UTF-8 text, or -1 when it is not UTF-8 or holds a control
// character.
long LineLength(const std::string& text) {
    long count = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80         ? 1
                                   : (c >> 5) == 6  ? 2
                                   : (c >> 4) == 14 ? 3
                                   : (c >> 3) == 30 ? 4
                                                    : 0;
        if (length == 0 || i + length > text.size()) return -1;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return -1;
        if (length == 1 && (c < 0x20 || c == 0x7f)) return -1;
        i += length;
        ++count;
    }
    return count;
}

}  // namespace

bool IsCalendarDate(const CivilDate& d) {
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > MonthLength(d.year, d.month))
        return false;
    return !(d.year == 1582 && d.month == 10 && d.day > 4 && d.day < 15);
}

std::string ChartProblem(const NatalChart& chart) {
    if (chart.name.empty()) return "A chart needs a name.";
    const long length = LineLength(chart.name);
    if (length < 0 || static_cast<std::size_t>(length) > LongestName)
        return fmt::format("The name of a chart is one line of at most {} characters.",
                           LongestName);
    const CivilDate& d = chart.date;
    if (d.year < FirstBirthYear || d.year > LastBirthYear)
        return fmt::format("The birth year {} is not one from {} to {}.", d.year, FirstBirthYear,
                           LastBirthYear);
    if (!IsCalendarDate(d))
        return fmt::format("The birth date {:04}-{:02}-{:02} is not a date of the calendar.",
                           d.year, d.month, d.day);
    if (chart.hour < 0 || chart.hour > 23 || chart.minute < 0 || chart.minute > 59)
        return fmt::format("The birth time {:02}:{:02} is not a time of day.", chart.hour,
                           chart.minute);
    if (!TimeZone::Find(chart.timeZone))
        return fmt::format("The time zone {} is not known.", chart.timeZone);
    if (chart.place) {
        const double lat = chart.place->latitude, lon = chart.place->longitude;
        if (!std::isfinite(lat) || std::fabs(lat) > 90)
            return fmt::format("The latitude {} is not one from -90 to 90 degrees.", lat);
        if (!std::isfinite(lon) || std::fabs(lon) > 180)
            return fmt::format("The longitude {} is not one from -180 to 180 degrees.", lon);
    }
    return {};
}

std::optional<double> BirthMoment(const NatalChart& chart) {
    const std::optional<TimeZone> zone = TimeZone::Find(chart.timeZone);
    if (!zone) return std::nullopt;
    // The zone counts days in the Gregorian calendar; a date before 1582 is
    // read in the Julian one, as every date of the program is.
    const CivilDate gregorian =
        JulianDayToCivil(CalendarToJulianDay(chart.date.year, chart.date.month, chart.date.day));
    return zone->ClockMoment(gregorian, chart.hour * 3600 + chart.minute * 60);
}

}  // namespace novarel
