#pragma once
#include "core/run_context.h"

namespace novarel {

// How every generator run starts: the date check (its failures are reported
// and nothing else changes), then an empty page, the busy pointer, the input
// window hidden, and the start date read into the run state.
// false when the date check failed.
bool BeginGeneratorRun(RunContext& ctx);

}  // namespace novarel
