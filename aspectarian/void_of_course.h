#pragma once
// The void-of-course Moon: from the Moon's last exact aspect in a sign (one
// of the five, to the Sun .. Pluto, or the Sun .. Saturn by the traditional
// rule) until it enters the next sign; in a sign where it makes none, from
// ingress to ingress. Periods are found on the library, however far they
// reach before or after the days asked for.
#include <string>
#include <vector>

#include "aspectarian/aspect_event.h"
#include "aspectarian/event_places.h"

namespace novarel {

struct VoidPeriod {
    double start = 0;       // the last aspect, or the ingress when there is none; JD UT
    double end = 0;         // the Moon's next ingress, JD UT
    int aspect = NoAspect;  // the last aspect; NoAspect when the sign held none
    int body = 0;           // BodyIndex the last aspect was to; 0 when none
    int sign = 0;           // sign entered at the end, 1 Aries .. 12 Pisces
};

// An exact sign ingress of the Moon.
struct MoonIngress {
    double moment = 0;  // JD UT
    int sign = 0;       // sign entered
};

class VoidOfCourseSearch {
public:
    // lastBody: Pluto, or Saturn for the traditional rule.
    VoidOfCourseSearch(EventPlaces& places, int lastBody) : places_(places), lastBody_(lastBody) {}

    // Every period that ends after from and begins before to, by time.
    std::vector<VoidPeriod> Periods(double from, double to);

    // The Moon's first ingress after jd, and its last one at or before jd.
    MoonIngress NextIngress(double jd);
    MoonIngress PreviousIngress(double jd);

    // The period that ends at the ingress `end`, the Moon having entered its
    // sign at signStart.
    VoidPeriod PeriodBefore(double signStart, const MoonIngress& end);

private:
    MoonIngress IngressBetween(double lo, double hi, double boundary);

    EventPlaces& places_;
    int lastBody_;
};

// The event of a period: at its start, with the end, the last aspect and the
// sign entered. The line of the event says the end's day when it is a later
// one than the start's.
AspectEvent VoidEvent(const VoidPeriod& period);

// Whether the period's end, rounded to the minute, falls on a later day than
// its start.
bool EndsOnLaterDay(const AspectEvent& voidEvent);

}  // namespace novarel
