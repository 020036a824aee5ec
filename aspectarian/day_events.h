#pragma once
// The events of one day from its 25 hourly samples: sign ingresses, stations,
// the five aspects, lunations and eclipses, parallels and contraparallels.
// Every time is the crossing of two quantities taken as linear over the hour.
#include <string>

#include "aspectarian/aspectarian_state.h"
#include "aspectarian/eclipse_search.h"

namespace novarel {

// The choices of the request that the search reads, and the day it works on.
struct DaySearch {
    bool heliocentric = false;
    bool moonChangeOnly = false;           // "Moon - change sign only (Asp.)"
    bool noMoonIngress = false;            // "Do not display" Moon sign changes
    bool cardinalMoonIngressOnly = false;  // option 12 non-zero
    std::string dayLabel;                  // "dd mmm" of the day
    double dayJD = 0;                      // 0h UT of the day
    // Geocentric runs: the search that marks the New and Full Moons that are
    // eclipses. None: no eclipse text.
    EclipseSearch* eclipses = nullptr;
};

// Fraction of the interval at which a quantity going from a0 to a1 equals one
// going from b0 to b1; -1 when they never meet (zero divisor).
double CrossingFraction(double a0, double a1, double b0, double b1);

// "hh:mm" of minute m (fraction allowed) in hour h. A minute that rounds to
// 60 belongs to the next hour; at 23h it stays in the day as 23:59.
std::string ClockText(int hour, double minute);

// Fills aspectarian.EventLines for the day from the hourly tables, toggles
// DirectionFlags at stations and records the stations.
void FindDayEvents(const DaySearch& day, AspectarianState& aspectarian);

}  // namespace novarel
