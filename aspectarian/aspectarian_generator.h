#pragma once
// The aspectarian: for each day the events found from 25 hourly samples and
// settled to the second, sorted by time; and the retrograde station listing
// of its stations.
#include "aspectarian/aspectarian_state.h"
#include "output/run_context.h"

namespace novarel {

RunOutcome GenerateAspectarian(RunContext& ctx, AspectarianState& aspectarian);

// "Retro&grade times": the stations of the last aspectarian run, each at
// its turning point rounded to the minute, added below the page shown.
// Nothing at all without stations. The moments were found by the run: the
// listing asks the library nothing.
RunOutcome ListRetrogradeTimes(RunContext& ctx, AspectarianState& aspectarian);

}  // namespace novarel
