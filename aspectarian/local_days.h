#pragma once
// The aspectarian on a local clock: the search runs over whole days UT that
// cover the local days, and each exact event is then placed on its local date
// and clock by the zone's offset at its moment.
#include <string>
#include <vector>

#include "aspectarian/aspect_event.h"
#include "core/time_zone.h"

namespace novarel {

// The UT instant an event's line shows: the exact moment, or for a station
// the start of the hour its samples turned in.
double ShownMoment(const AspectEvent& event);

// The event as it reads on the zone's clock: dayJD is then 0h of the local
// date (as a calendar day), hour and minute the local clock. The moment and
// the end stay UT.
AspectEvent OnLocalClock(const AspectEvent& event, const TimeZone& zone);

// The line of an event already on the local clock; a void-of-course end is
// shown on the same clock.
std::string LocalEventLineText(const AspectEvent& local, const TimeZone& zone,
                               const LocaleNames& names);

}  // namespace novarel
