#include "graph/graph_dial.h"

#include <cmath>

#include "core/angle_format.h"

namespace novarel::graph {

double DialSpan(Dial dial) { return static_cast<double>(static_cast<int>(dial)); }

double DialValue(double longitude, Dial dial) {
    const double span = DialSpan(dial);
    double v = std::fmod(longitude, span);
    if (v < 0) v += span;
    // fmod of a tiny negative number gives span itself after the addition.
    return v >= span ? 0 : v;
}

std::vector<std::vector<DialPoint>> DialRuns(const std::vector<LongitudeSample>& samples,
                                             Dial dial) {
    std::vector<std::vector<DialPoint>> runs;
    if (samples.empty()) return runs;
    const double span = DialSpan(dial);
    runs.emplace_back();
    double value = DialValue(samples.front().longitude, dial);
    runs.back().push_back({samples.front().jd, value});
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const LongitudeSample& a = samples[i - 1];
        const LongitudeSample& b = samples[i];
        // The motion between two samples is far less than half a sign.
        const double step = WrappedDegrees(b.longitude - a.longitude);
        const double next = value + step;
        if (next >= span || next < 0) {
            const double edge = next >= span ? span : 0;
            const double jdEdge = a.jd + (b.jd - a.jd) * (edge - value) / step;
            runs.back().push_back({jdEdge, edge});
            runs.emplace_back();
            runs.back().push_back({jdEdge, span - edge});
        }
        value = DialValue(b.longitude, dial);
        runs.back().push_back({b.jd, value});
    }
    return runs;
}

}  // namespace novarel::graph
