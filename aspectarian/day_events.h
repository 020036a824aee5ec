#pragma once
// The events of one day: sign ingresses, stations, the five aspects and the
// minor aspects chosen, lunations and eclipses, parallels and contraparallels. The hourly samples
// and the library's rates show in which hours a quantity meets its target
// (twice in one hour when it turns there); each meeting is then found to the
// second on the library's own positions.
#include <string>

#include "aspectarian/aspectarian_state.h"
#include "aspectarian/eclipse_search.h"
#include "aspectarian/event_places.h"
#include "core/bodies.h"

namespace novarel {

// The choices of the request that the search reads, and the day it works on.
struct DaySearch {
    bool heliocentric = false;
    bool moonChangeOnly = false;           // "Moon - change sign only (Asp.)"
    bool noMoonIngress = false;            // "Do not display" Moon sign changes
    bool cardinalMoonIngressOnly = false;  // option 12 non-zero
    MinorAspectSet minorAspects = 0;       // listed beside the five aspects
    // Only the bodies' own events, ingresses and stations: no aspects or
    // parallels between them (the transits list aspects to a chart instead).
    bool bodyEventsOnly = false;
    int lastBody = NorthNode;  // Lilith (Vesta) with the extra bodies
    std::string dayLabel;      // "dd mmm" of the day
    double dayJD = 0;          // 0h UT of the day
    // Geocentric runs: the search that marks the New and Full Moons that are
    // eclipses. None: no eclipse text.
    EclipseSearch* eclipses = nullptr;
    // Where the exact moments are settled; required.
    EventPlaces* places = nullptr;
};

// "hh:mm" of minute m (fraction allowed) in hour h. A minute that rounds to
// 60 belongs to the next hour; at 23h it stays in the day as 23:59.
std::string ClockText(int hour, double minute);

// Fills aspectarian.EventLines for the day from the hourly tables, toggles
// DirectionFlags at stations and records the stations.
void FindDayEvents(const DaySearch& day, AspectarianState& aspectarian);

}  // namespace novarel
