#include "aspectarian/local_days.h"

#include <algorithm>
#include <cmath>

#include "aspectarian/void_of_course.h"
#include "core/julian_day.h"

namespace novarel {

double ShownMoment(const AspectEvent& e) {
    if (e.kind != EventKind::Station) return e.moment;
    return e.dayJD + (e.hour + e.minute / 60.0) / 24.0;
}

AspectEvent OnLocalClock(const AspectEvent& e, const TimeZone& zone) {
    AspectEvent local = e;
    const double clock = zone.LocalJulianDay(ShownMoment(e));
    local.dayJD = std::floor(clock + 0.5) - 0.5;
    const double minutes = (clock - local.dayJD) * 1440;
    local.hour = std::clamp(static_cast<int>(minutes / 60), 0, 23);
    local.minute = minutes - local.hour * 60.0;
    return local;
}

std::string LocalEventLineText(const AspectEvent& local, const TimeZone& zone,
                               const LocaleNames& names) {
    const std::string day = FormatDate(JulianDayToCivil(local.dayJD), "dd mmm", names);
    if (local.kind != EventKind::VoidOfCourse) return EventLineText(local, day);
    AspectEvent shown = local;
    shown.end = zone.LocalJulianDay(local.end);
    const std::string endDay =
        EndsOnLaterDay(shown)
            ? FormatDate(JulianDayToCivil(RoundedToMinute(shown.end).dayJD), "dd mmm", names)
            : "";
    return EventLineText(shown, day, endDay);
}

}  // namespace novarel
