#pragma once
// How a generator run tells the user about the ephemeris library: a failed
// call stops the run with the library's text; positions from the analytic
// ephemeris get one note per run.
#include "core/library_check.h"
#include "output/run_context.h"

namespace novarel {

// The "Warning!" of a run stopped by a library failure. The progress window
// is closed; the page stays as the run left it (empty: runs fill it last).
RunOutcome StopOnLibraryError(RunContext& ctx, const LibraryError& error);

// The "Information" that the positions of this run came from the library's
// analytic ephemeris, naming the folders searched. Nothing when they did not.
void ReportAnalyticEphemeris(RunContext& ctx);

// Runs a generator under both rules. A LibraryError thrown by the run unwinds
// it before any data file is complete; its open data files discard themselves.
template <typename Run>
RunOutcome WithLibraryChecks(RunContext& ctx, Run&& run) {
    ctx.state.positions.fromAnalyticEphemeris = false;
    try {
        const RunOutcome outcome = run();
        ReportAnalyticEphemeris(ctx);
        return outcome;
    } catch (const LibraryError& error) {
        return StopOnLibraryError(ctx, error);
    }
}

}  // namespace novarel
