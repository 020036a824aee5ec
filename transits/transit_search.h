#pragma once
// The transits to a natal chart: every moment a transiting body's longitude
// stands at an aspect to a natal point, seen in the aspectarian's hourly
// samples and settled on the library to the second, with the transiting
// bodies' ingresses and stations as the aspectarian finds them.
#include <span>
#include <vector>

#include "aspectarian/aspectarian_state.h"
#include "aspectarian/day_events.h"
#include "aspectarian/event_places.h"
#include "core/calc_request.h"
#include "core/ephemeris_library.h"
#include "core/positions.h"
#include "natal/natal_points.h"

namespace novarel {

struct TransitEvent {
    // An aspect: kind Aspect, body1 the transiting body, body2 0, the aspect,
    // position1 the transiting longitude at the moment and position2 the
    // natal longitude. Ingresses and stations as the aspectarian makes them.
    AspectEvent event;
    // The natal point of an aspect, an index into the points searched; -1
    // for ingresses and stations.
    int natalIndex = -1;
    // An aspect made while the transiting body moves backward.
    bool retrograde = false;
};

// The search over whole days UT, one after another. The geocentric request
// gives the zodiac, node kind and the transiting bodies (the eleven, and
// Chiron .. Lilith with the extra bodies).
class TransitSearch {
public:
    // The samples and the stations found are kept in samples, whose station
    // records the retrograde listing reads.
    TransitSearch(const CalcRequest& request, EphemerisLibrary& library,
                  std::span<const NatalPoint> natal, MinorAspectSet minorAspects,
                  AspectarianState& samples, bool& fromAnalyticEphemeris);
    TransitSearch(const TransitSearch&) = delete;
    TransitSearch& operator=(const TransitSearch&) = delete;

    // Adds the events of the day from dayJD (0h UT) to out, in the order
    // found. A day that does not follow the one searched before starts
    // afresh (directions from the hour before it).
    void SearchDay(double dayJD, std::vector<TransitEvent>& out);

private:
    void SampleDay(double dayJD);
    void FindAspects(int body, int hour, std::vector<TransitEvent>& out);

    const CalcRequest& request_;
    EphemerisLibrary& library_;
    std::span<const NatalPoint> natal_;
    AspectarianState& samples_;
    EventPlaces places_;
    Positions positions_;
    DaySearch day_;
    std::vector<double> angles_;  // the aspects' separations in 0..360, ascending
    std::vector<int> aspects_;    // the aspect of each
    double grid_ = 360;           // every separation is a multiple of it
    double lastDayJD_ = 0;
    bool sampled_ = false;
};

}  // namespace novarel
