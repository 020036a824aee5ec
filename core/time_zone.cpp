#include "core/time_zone.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "core/zone_database.h"

namespace novarel {
namespace {

constexpr double UnixEpochJD = 2440587.5;  // 1970-01-01 0h UT
constexpr double SecondsPerDay = 86400.0;

long long SecondsSinceEpoch(double jd) { return std::llround((jd - UnixEpochJD) * SecondsPerDay); }

double JulianDayOf(long long seconds) {
    return UnixEpochJD + static_cast<double>(seconds) / SecondsPerDay;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar, as the
// database counts them.
long long DaysSinceEpoch(const CivilDate& day) {
    const long long y = day.year - (day.month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear =
        (153 * (day.month + (day.month > 2 ? -3 : 9)) + 2) / 5 + day.day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

std::optional<TimeZone> TimeZone::Find(std::string_view name) {
    if (name == "UT") return TimeZone{};
    TimeZone found;
    found.name_ = std::string(name);
    found.zone_ = novarel_zone_find(found.name_.c_str());
    if (found.zone_ == nullptr) return std::nullopt;
    return found;
}

ZoneClock TimeZone::At(double jdUt) const {
    if (zone_ == nullptr) return ZoneClock{0, "UT"};
    char abbreviation[32];
    const int offset =
        novarel_zone_offset_at(zone_, SecondsSinceEpoch(jdUt), abbreviation, sizeof abbreviation);
    return ZoneClock{offset, abbreviation};
}

double TimeZone::DayStart(const CivilDate& day) const { return ClockMoment(day, 0); }

double TimeZone::ClockMoment(const CivilDate& day, int secondOfDay) const {
    const long long days = DaysSinceEpoch(day);
    if (zone_ == nullptr) return JulianDayOf(days * 86400 + secondOfDay);
    const long long local = days * 86400 + secondOfDay;
    int offset = 0;
    long long jump = 0;
    if (novarel_zone_reading(zone_, local, &offset, &jump) == NOVAREL_READING_SKIPPED)
        return JulianDayOf(jump);  // the clock jumps over the reading
    return JulianDayOf(local - offset);
}

double TimeZone::LocalJulianDay(double jdUt) const {
    return jdUt + At(jdUt).offsetSeconds / SecondsPerDay;
}

bool TimeZone::ClockRepeats(double jdUt) const {
    if (zone_ == nullptr) return false;
    const double local = LocalJulianDay(jdUt);
    const int offset = At(jdUt).offsetSeconds;
    // Clocks change at most a few times a year: the other offsets a reading
    // could have are those of the day before and the day after.
    for (double other : {jdUt - 1, jdUt + 1}) {
        const int otherOffset = At(other).offsetSeconds;
        if (otherOffset == offset) continue;
        const double twin = local - otherOffset / SecondsPerDay;
        if (At(twin).offsetSeconds == otherOffset) return true;
    }
    return false;
}

std::string ZoneTitle(const TimeZone& zone, double from, double to) {
    std::vector<std::string> abbreviations;
    auto note = [&](double jd) {
        std::string a = zone.At(jd).abbreviation;
        if (std::find(abbreviations.begin(), abbreviations.end(), a) == abbreviations.end())
            abbreviations.push_back(std::move(a));
    };
    // Zones change their clocks at most a few times a year, never twice in a
    // day: a look at every day's start finds every abbreviation in use.
    for (double jd = from; jd < to; jd += 1) note(jd);
    note(to - 1.0 / 86400);
    std::string title = "Times are " + zone.Name() + ",";
    for (std::size_t k = 0; k < abbreviations.size(); ++k)
        title += (k == 0 ? " " : "/") + abbreviations[k];
    return title;
}

std::string OffsetText(int offsetSeconds) {
    const int minutes = std::abs(offsetSeconds) / 60;
    return fmt::format("{}{:02}:{:02}", offsetSeconds < 0 ? '-' : '+', minutes / 60, minutes % 60);
}

}  // namespace novarel
