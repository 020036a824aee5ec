#include "core/julian_day.h"

#include <fmt/format.h>

#include <array>
#include <cmath>

#include "core/date_order.h"
#include "core/fixed_format.h"

namespace novarel {

double CalendarToJulianDay(double year, double month, double day) {
    const double mm = (year + 4800) * 12 + month - 3;
    const double r = mm - std::floor(mm / 12) * 12;
    double jd = std::floor((2 * r + 7 + 365 * mm) / 12) + day + std::floor(mm / 48) - 32083;
    if (jd > 2299171) jd = jd + std::floor(mm / 4800) - std::floor(mm / 1200) + 38;
    return jd;
}

CivilDate JulianDayToCivil(double jd) {
    double L = std::floor(jd + 0.5) + 68569;
    const double N = std::floor(4 * L / 146097);
    L = L - std::floor((146097 * N + 3) / 4);
    const double I = std::floor(4000 * (L + 1) / 1461001);
    L = L - std::floor(1461 * I / 4) + 31;
    const double J = std::floor(80 * L / 2447);
    const double day = L - std::floor(2447 * J / 80);
    L = std::floor(J / 11);
    const double month = J + 2 - 12 * L;
    const double year = 100 * (N - 49) + I + L;
    return CivilDate{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

MinuteOfDay RoundedToMinute(double jd) {
    MinuteOfDay m;
    m.dayJD = std::floor(jd + 0.5) - 0.5;
    auto minutes = static_cast<long>(std::lround((jd - m.dayJD) * 1440));
    if (minutes >= 1440) {
        m.dayJD += 1;
        minutes -= 1440;
    }
    m.date = JulianDayToCivil(m.dayJD + 0.5);
    m.hour = static_cast<int>(minutes / 60);
    m.minute = static_cast<int>(minutes % 60);
    return m;
}

int DaysInMonth(int year, int month) {
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : Days[month - 1];
}

std::string CivilToDateText(const CivilDate& date, std::int16_t dateOrder) {
    const std::string m = fmt::format("{:02}", date.month);
    const std::string d = fmt::format("{:02}", date.day);
    // The year as a number with its leading blank, then its last four characters.
    std::string y = NumberText(date.year);
    if (y.size() > 4) y = y.substr(y.size() - 4);
    const std::string text = ArrangeDate(DateOrderOf(dateOrder), d, m, y, "/");
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

int WeekdayOfJulianDay(double jd) {
    const long long n = static_cast<long long>(std::floor(jd + 0.5));
    return static_cast<int>(((n + 1) % 7 + 7) % 7);
}

bool ParseDateText(std::string_view text, std::int16_t dateOrder, CivilDate& out) {
    int parts[3] = {0, 0, 0};
    int count = 0;
    std::size_t i = 0;
    while (count < 3) {
        while (i < text.size() && text[i] == ' ') ++i;
        if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
        long value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value = value * 10 + (text[i] - '0');
            if (value > 1000000) return false;
            ++i;
        }
        parts[count++] = static_cast<int>(value);
        if (count < 3) {
            if (i >= text.size() || text[i] != '/') return false;
            ++i;
        }
    }
    if (i != text.size()) return false;
    // Where the day (0), month (1) and year (2) stand in the text.
    const std::array<std::size_t, 3> at = InDateOrder<std::size_t>(DateOrderOf(dateOrder), 0, 1, 2);
    int dayMonthYear[3] = {0, 0, 0};
    for (std::size_t k = 0; k < 3; ++k) dayMonthYear[at[k]] = parts[k];
    out = CivilDate{dayMonthYear[2], dayMonthYear[1], dayMonthYear[0]};
    return true;
}

CivilDate NormalizeDate(const CivilDate& date) {
    return JulianDayToCivil(CalendarToJulianDay(date.year, date.month, date.day));
}

std::string FormatDate(const CivilDate& date, std::string_view pattern, const LocaleNames& names) {
    std::string out;
    std::size_t i = 0;
    auto run = [&](char c) {
        std::size_t n = 0;
        while (i + n < pattern.size() && pattern[i + n] == c) ++n;
        return n;
    };
    const int monthIndex = ((date.month - 1) % 12 + 12) % 12;
    while (i < pattern.size()) {
        const char c = pattern[i];
        const std::size_t n = run(c);
        if (c == 'd' && n >= 4) {
            out += names.weekday[static_cast<std::size_t>(
                WeekdayOfJulianDay(CalendarToJulianDay(date.year, date.month, date.day)))];
            i += 4;
        } else if (c == 'd' && n >= 2) {
            out += fmt::format("{:02}", date.day);
            i += 2;
        } else if (c == 'm' && n >= 3) {
            out += names.monthAbbrev[static_cast<std::size_t>(monthIndex)];
            i += 3;
        } else if (c == 'm' && n == 2) {
            out += fmt::format("{:02}", date.month);
            i += 2;
        } else if (c == 'y' && n >= 4) {
            out += fmt::format("{:04}", date.year);
            i += 4;
        } else if (c == 'y' && n >= 2) {
            out += fmt::format("{:02}", ((date.year % 100) + 100) % 100);
            i += 2;
        } else if (c == 'w' && n == 1) {
            out += fmt::format(
                "{}", WeekdayOfJulianDay(CalendarToJulianDay(date.year, date.month, date.day)) + 1);
            i += 1;
        } else {
            out += c;
            i += 1;
        }
    }
    return out;
}

std::string StemPattern(std::int16_t dateOrder) {
    return ArrangeDate(DateOrderOf(dateOrder), "dd", "mm", "yy", "");
}

}  // namespace novarel
