#pragma once
// The dials a graph is drawn on: the whole zodiac, or the longitude folded
// onto a quarter or an eighth of it, where every square, opposition,
// semisquare and sesquiquadrate between two bodies becomes a crossing of
// their paths.
#include <vector>

namespace novarel::graph {

enum class Dial { Full = 360, Quarter = 90, Eighth = 45 };

// The dial's degrees: 360, 90 or 45.
double DialSpan(Dial dial);

// A longitude's place on the dial, 0 <= value < span.
double DialValue(double longitude, Dial dial);

// One moment of a body's path on the dial.
struct DialPoint {
    double jd = 0;
    double value = 0;  // 0..span
};

// A body's samples (Julian Day, longitude) as unbroken runs on the dial: where
// the value passes the dial's end, a run ends on that edge and the next begins
// on the other, at the moment found between the two samples.
struct LongitudeSample {
    double jd = 0;
    double longitude = 0;
};
std::vector<std::vector<DialPoint>> DialRuns(const std::vector<LongitudeSample>& samples,
                                             Dial dial);

}  // namespace novarel::graph
