#include "aspectarian/void_of_course.h"

#include <algorithm>
#include <cmath>

#include "core/angle_format.h"
#include "core/exact_moment.h"
#include "core/julian_day.h"
#include "core/positions.h"

namespace novarel {
namespace {

// The Moon moves 11.8 to 15.4 degrees a day and never turns: six hours
// never carry it across two sign boundaries.
constexpr double IngressStep = 0.25;
// After an ingress found to the second, the Moon is surely in the new sign.
constexpr double PastIngress = 1.0 / 1440;

// The one of the five aspects at a multiple k of 30 degrees of separation.
int AspectAtMultiple(int k) {
    const int degrees = (k % 12 + 12) % 12 * 30;
    const int angle = degrees > 180 ? 360 - degrees : degrees;
    for (int aspect = Conjunction; aspect <= Opposition; ++aspect)
        if (AspectAngle(aspect) == angle) return aspect;
    return NoAspect;
}

}  // namespace

MoonIngress VoidOfCourseSearch::IngressBetween(double lo, double hi, double boundary) {
    const auto f = [&](double jd) {
        return WrappedDegrees(places_.Longitude(jd, Moon) - boundary);
    };
    const double fLo = f(lo), fHi = f(hi);
    const double moment = fLo == 0 ? lo : fHi == 0 ? hi : FindBracketedRoot(f, lo, hi, fLo, fHi);
    return {moment, static_cast<int>(std::lround(LongitudeIn360(boundary) / 30)) % 12 + 1};
}

MoonIngress VoidOfCourseSearch::NextIngress(double jd) {
    const double from = jd + PastIngress;
    const double boundary =
        (std::floor(LongitudeIn360(places_.Longitude(from, Moon)) / 30) + 1) * 30;
    double lo = from;
    for (;;) {
        const double hi = lo + IngressStep;
        if (WrappedDegrees(places_.Longitude(hi, Moon) - boundary) >= 0)
            return IngressBetween(lo, hi, boundary);
        lo = hi;
    }
}

MoonIngress VoidOfCourseSearch::PreviousIngress(double jd) {
    const double boundary = std::floor(LongitudeIn360(places_.Longitude(jd, Moon)) / 30) * 30;
    double hi = jd;
    for (;;) {
        const double lo = hi - IngressStep;
        if (WrappedDegrees(places_.Longitude(lo, Moon) - boundary) < 0)
            return IngressBetween(lo, hi, boundary);
        hi = lo;
    }
}

VoidPeriod VoidOfCourseSearch::PeriodBefore(double signStart, const MoonIngress& end) {
    VoidPeriod period{signStart, end.moment, NoAspect, 0, end.sign};
    const double moonAtStart = places_.Longitude(signStart, Moon);
    const double moonAtEnd = places_.Longitude(end.moment, Moon);
    for (int body = Sun; body <= lastBody_; ++body) {
        if (body == Moon) continue;
        // The Moon gains on every body, at 9 degrees a day or more: over one
        // sign the separation grows by well under a third of the circle.
        const double atStart = LongitudeIn360(moonAtStart - places_.Longitude(signStart, body));
        const double atEnd =
            atStart + LongitudeIn360(moonAtEnd - places_.Longitude(end.moment, body) - atStart);
        for (auto k = static_cast<int>(std::ceil(atEnd / 30)) - 1; k * 30.0 >= atStart; --k) {
            const int aspect = AspectAtMultiple(k);
            if (aspect == NoAspect) continue;
            const double target = k * 30.0;
            const auto f = [&](double jd) {
                return WrappedDegrees(places_.Longitude(jd, Moon) - places_.Longitude(jd, body) -
                                      target);
            };
            const double moment =
                atStart == target
                    ? signStart
                    : FindBracketedRoot(f, signStart, end.moment, atStart - target, atEnd - target);
            if (period.aspect == NoAspect || moment > period.start) {
                period.start = moment;
                period.aspect = aspect;
                period.body = body;
            }
            break;
        }
    }
    return period;
}

std::vector<VoidPeriod> VoidOfCourseSearch::Periods(double from, double to) {
    std::vector<VoidPeriod> periods;
    double signStart = PreviousIngress(from).moment;
    for (;;) {
        const MoonIngress end = NextIngress(signStart);
        const VoidPeriod period = PeriodBefore(signStart, end);
        if (period.end > from && period.start < to) periods.push_back(period);
        if (end.moment >= to) break;
        signStart = end.moment;
    }
    return periods;
}

AspectEvent VoidEvent(const VoidPeriod& period) {
    AspectEvent e;
    e.kind = EventKind::VoidOfCourse;
    e.moment = period.start;
    e.end = period.end;
    e.dayJD = std::floor(period.start + 0.5) - 0.5;
    const double minutes = (period.start - e.dayJD) * 1440;
    e.hour = std::min(23, static_cast<int>(minutes / 60));
    e.minute = minutes - e.hour * 60.0;
    e.body1 = Moon;
    e.body2 = period.body;
    e.aspect = period.aspect;
    e.sign = period.sign;
    return e;
}

bool EndsOnLaterDay(const AspectEvent& e) { return RoundedToMinute(e.end).dayJD > e.dayJD + 0.5; }

}  // namespace novarel
