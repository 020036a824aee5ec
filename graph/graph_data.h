#pragma once
// A graphic ephemeris as data: the longitude of each chosen body over a
// period, with the stations and sign ingresses along the paths and the natal
// points as fixed longitudes. Drawing it (render/) only maps these onto a
// picture.
#include <span>
#include <string>
#include <vector>

#include "core/calc_request.h"
#include "core/ephemeris_library.h"
#include "graph/graph_dial.h"
#include "natal/natal_points.h"

namespace novarel::graph {

// The shortest and longest periods a graph shows, in days.
inline constexpr double ShortestPeriodDays = 28;
inline constexpr double LongestPeriodDays = 3653;

// The days between two samples of a body's path: the Moon every three hours;
// the others at most daily, more often in short periods (at least about 1500
// samples over the period, never closer than six hours), so that a path turns
// smoothly at its stations at any width the period is drawn at.
double SampleStepDays(int body, double periodDays);

struct BodySeries {
    int body = 0;  // BodyIndex
    std::vector<LongitudeSample> samples;
};

enum class MarkerKind { StationRetrograde, StationDirect, Ingress, NewMoon, FullMoon };

struct GraphMarker {
    MarkerKind kind = MarkerKind::Ingress;
    int body = 0;   // a lunation: the Moon
    double jd = 0;  // Julian Day UT of the exact moment
    double longitude = 0;
    int sign = 0;  // an ingress: the sign entered, 1 Aries .. 12 Pisces
};

struct NatalLine {
    NatalPoint point;
    std::string label;  // its glyph (Unicode) or "Asc" / "MC"
};

struct GraphData {
    Dial dial = Dial::Full;
    double startJd = 0;  // 0h UT of the first day
    double endJd = 0;    // 0h UT of the day after the last
    std::vector<BodySeries> series;
    std::vector<GraphMarker> markers;
    std::vector<NatalLine> natal;
};

struct GraphRequest {
    Dial dial = Dial::Full;
    CivilDate first;  // the first and last days drawn, at Greenwich
    CivilDate last;
    // BodyIndex values, Sun .. Lilith; the extra bodies need the request's
    // extraBodies.
    std::vector<int> bodies;
    // The zodiac, node and Lilith of the positions; always geocentric.
    CalcRequest positions;
    // The New and Full Moons marked along the top of the graph.
    bool lunations = false;
};

// The ten planets, Sun .. Pluto: what a graph shows unless told otherwise.
std::vector<int> DefaultGraphBodies();

// Why the request cannot be drawn ("the period ... is longer than ten
// years"); empty when it can.
std::string GraphRequestProblem(const GraphRequest& request);

// The paths and their markers, from the library; the natal points become
// lines. A body's ingresses are marked when the period holds at most two
// dozen of them (never the Moon's); stations of Mercury .. Pluto and the
// extra bodies. A failed library call throws LibraryError as ComputePositions does.
GraphData ComputeGraph(const GraphRequest& request, std::span<const NatalPoint> natal,
                       EphemerisLibrary& library);

// The natal points as lines of a graph (its data's natal).
std::vector<NatalLine> NatalLines(std::span<const NatalPoint> natal);

// What lies under one moment of the graph: the day and each body's place.
struct BodyReading {
    int body = 0;
    double longitude = 0;
    bool retrograde = false;
};
struct GraphReading {
    double jd = 0;
    std::vector<BodyReading> bodies;
};
GraphReading ReadAt(const GraphData& data, double jd);

// "21 Dec 2020 12:00 UT  ☉ 0°♑12′  ♃ 29°♑48′ ℞ ..." in UTF-8.
std::string ReadingText(const GraphReading& reading);

// "0°♑12′" (UTF-8) of a longitude.
std::string LongitudeText(double longitude);

// Julian Day of 0h UT of a date.
double MidnightJd(const CivilDate& date);

}  // namespace novarel::graph
