#pragma once
// The natal chart stored in tests/data/transits (natal_1985.txt): born
// 1985-09-07 06:20 America/New_York at 40.7128N 74.0060W, with the places
// swetest gave for it.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/bodies.h"
#include "natal/natal_chart.h"
#include "natal/natal_points.h"

namespace novarel::test {

inline NatalChart StoredChart() {
    NatalChart chart;
    chart.name = "Stored 1985";
    chart.date = CivilDate{1985, 9, 7};
    chart.hour = 6;
    chart.minute = 20;
    chart.timeZone = "America/New_York";
    chart.place = PlaceOnEarth{40.7128, -74.0060};
    return chart;
}

// The stored points in the order ComputeNatalPoints gives them for a
// request with the true node: Sun .. Pluto, the node, Ascendant, Midheaven.
inline std::vector<NatalPoint> StoredPoints() {
    static const std::vector<std::string> Names = {
        "Sun",    "Moon",    "Mercury", "Venus",     "Mars",      "Jupiter", "Saturn",
        "Uranus", "Neptune", "Pluto",   "true Node", "Ascendant", "MC"};
    std::ifstream in(std::string(NOVAREL_TEST_DATA) + "/transits/natal_1985.txt");
    std::vector<NatalPoint> points(Names.size());
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        for (std::size_t k = 0; k < Names.size(); ++k) {
            if (line.rfind(Names[k] + " ", 0) != 0) continue;
            std::istringstream fields(line.substr(Names[k].size()));
            NatalPoint& p = points[k];
            p.bodyIndex = k < 11 ? static_cast<int>(k) + Sun : 0;
            p.angle = k == 11   ? NatalAngle::Ascendant
                      : k == 12 ? NatalAngle::Midheaven
                                : NatalAngle::None;
            double latitude = 0;
            if (k < 11)
                fields >> p.longitude >> latitude >> p.declination;
            else
                fields >> p.longitude >> p.declination;
        }
    }
    return points;
}

}  // namespace novarel::test
