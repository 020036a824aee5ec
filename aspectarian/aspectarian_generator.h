#pragma once
// The aspectarian: for each day the events found from 25 hourly samples,
// sorted by time; and the retrograde station listing of its stations.
#include "aspectarian/aspectarian_state.h"
#include "output/run_context.h"

namespace novarel {

RunOutcome GenerateAspectarian(RunContext& ctx, AspectarianState& aspectarian);

// "Retro&grade times": the stations of the last aspectarian run, to the
// minute, added below the page shown. Nothing at all without stations.
// Failed when the library failed (said with a message).
RunOutcome ListRetrogradeTimes(RunContext& ctx, AspectarianState& aspectarian);

}  // namespace novarel
