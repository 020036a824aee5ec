#pragma once
// What the transits keep between runs: the chart given directly (the
// command line's birth moment), the last run's report and events, and the
// samples whose station records the retrograde listing reads.
#include <optional>
#include <string>
#include <vector>

#include "aspectarian/aspectarian_state.h"
#include "natal/natal_chart.h"
#include "natal/natal_points.h"
#include "transits/transit_search.h"

namespace novarel {

struct TransitsState {
    // A chart given directly; none: the chart the request names, from the
    // chart file of the program folder.
    std::optional<NatalChart> givenChart;
    // The last run: its chart and natal points, report lines and events on
    // the run's clock (as the aspectarian's events are).
    NatalChart chart;
    NatalPoints natal;
    std::vector<std::string> ReportLines;
    std::vector<TransitEvent> Events;
    // The hourly samples of the search and the stations of the last run.
    AspectarianState samples;
};

}  // namespace novarel
