#pragma once
// The natal points of a chart: the bodies' places at the moment of birth and,
// with a place, the Ascendant and Midheaven. Transits and the graphic
// ephemeris measure against them.
#include <string>
#include <string_view>
#include <vector>

#include "core/calc_request.h"
#include "core/ephemeris_library.h"
#include "natal/natal_chart.h"

namespace novarel {

enum class NatalAngle { None, Ascendant, Midheaven };

struct NatalPoint {
    int bodyIndex = 0;  // BodyIndex of a body; 0 for an angle
    NatalAngle angle = NatalAngle::None;
    double longitude = 0;    // ecliptic, degrees 0..360, in the request's zodiac
    double declination = 0;  // degrees
};

// "Sun", "Ascendant", "Midheaven": as exports and messages name a point.
std::string_view NatalPointName(const NatalPoint& point);
// The point's text in a listing: the body's glyph character (glyph font code,
// or its Unicode symbol in UTF-8 when unicode is true), "Asc" or "MC".
std::string NatalPointGlyph(const NatalPoint& point, bool unicode);

struct NatalPoints {
    double birthJdUt = 0;
    // The eleven bodies (Sun .. North Node), then Chiron .. Lilith when the
    // request carries them, then the Ascendant and Midheaven when the chart
    // has a place.
    std::vector<NatalPoint> points;
    bool hasAngles = false;
    // Some place came from the library's analytic ephemeris (no file found).
    bool fromAnalyticEphemeris = false;
};

// The natal points of a chart in the request's zodiac (tropical, sidereal
// with its ayanamsa), node kind and extra bodies; always geocentric. A
// library failure throws LibraryError as ComputePositions does; a chart with
// a problem (ChartProblem) throws std::invalid_argument with that text.
NatalPoints ComputeNatalPoints(const NatalChart& chart, const CalcRequest& request,
                               EphemerisLibrary& library);

}  // namespace novarel
