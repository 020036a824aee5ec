#include "core/time_zone.h"

#include <date/tz.h>
#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <exception>

namespace novarel {
namespace {

constexpr double UnixEpochJD = 2440587.5;  // 1970-01-01 0h UT
constexpr double SecondsPerDay = 86400.0;

date::sys_seconds SysSeconds(double jdUt) {
    return date::sys_seconds{
        std::chrono::seconds{std::llround((jdUt - UnixEpochJD) * SecondsPerDay)}};
}

double JulianDayOf(date::sys_seconds moment) {
    return UnixEpochJD + static_cast<double>(moment.time_since_epoch().count()) / SecondsPerDay;
}

// The database's zone of a name (the system database holds links as zones
// of their own), looked up by hand so that no exception of the library's own
// crosses into this program.
const date::time_zone* LookUp(std::string_view name) {
    try {
        const date::tzdb& db = date::get_tzdb();
        auto zone = std::find_if(db.zones.begin(), db.zones.end(),
                                 [&](const date::time_zone& z) { return z.name() == name; });
        if (zone != db.zones.end()) return &*zone;
    } catch (const std::exception&) {
        // No readable database: every name but "UT" is unknown.
    }
    return nullptr;
}

}  // namespace

std::optional<TimeZone> TimeZone::Find(std::string_view name) {
    if (name == "UT") return TimeZone{};
    const date::time_zone* zone = LookUp(name);
    if (zone == nullptr) return std::nullopt;
    TimeZone found;
    found.name_ = std::string(name);
    found.zone_ = zone;
    return found;
}

ZoneClock TimeZone::At(double jdUt) const {
    if (zone_ == nullptr) return ZoneClock{0, "UT"};
    const date::sys_info info = zone_->get_info(SysSeconds(jdUt));
    return ZoneClock{static_cast<int>(info.offset.count()), info.abbrev};
}

double TimeZone::DayStart(const CivilDate& day) const {
    const date::local_days local{date::year{day.year} / day.month / day.day};
    if (zone_ == nullptr) return UnixEpochJD + local.time_since_epoch().count();
    const date::local_seconds midnight{local};
    const date::local_info info = zone_->get_info(midnight);
    switch (info.result) {
        case date::local_info::unique:
        case date::local_info::ambiguous:
            return JulianDayOf(date::sys_seconds{midnight.time_since_epoch()} - info.first.offset);
        case date::local_info::nonexistent: break;
    }
    // Midnight falls in the gap: the date begins when the clock jumps.
    return JulianDayOf(info.second.begin);
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

std::string OffsetText(int offsetSeconds) {
    const int minutes = std::abs(offsetSeconds) / 60;
    return fmt::format("{}{:02}:{:02}", offsetSeconds < 0 ? '-' : '+', minutes / 60, minutes % 60);
}

}  // namespace novarel
