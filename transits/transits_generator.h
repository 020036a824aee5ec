#pragma once
// The transits to a natal chart over the request's period: the listing in
// the Data window (and its data file when asked for), the events for the
// exports, and the stations for the retrograde listing.
#include <optional>
#include <string>

#include "natal/natal_chart.h"
#include "output/run_context.h"
#include "transits/transits_state.h"

namespace novarel {

// The chart of the run: the one given directly, else the one the request
// names in the chart file at chartFile. None after the message that says
// why (no chart chosen, none of that name, a file that cannot be read),
// with outcome InvalidInput for a missing chart, Failed for the file.
std::optional<NatalChart> ChartOfRun(const TransitsState& transits, const CalcRequest& request,
                                     const std::string& chartFile, MessageSink& messages,
                                     RunOutcome& outcome);

RunOutcome GenerateTransits(RunContext& ctx, TransitsState& transits, const NatalChart& chart);

}  // namespace novarel
