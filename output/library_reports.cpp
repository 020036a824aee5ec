#include "output/library_reports.h"

#include "core/messages.h"
#include "core/swe_library.h"

namespace novarel {

RunOutcome StopOnLibraryError(RunContext& ctx, const LibraryError& error) {
    ctx.progress.unloadProgress();
    ctx.progress.setBusy(false);
    ctx.messages.showMessage(std::string("The Swiss Ephemeris library reported an error: ") +
                                 error.what() + ". The run was stopped; no data file was written.",
                             msg::TitleWarning, MessageIcon::Exclamation);
    return RunOutcome::Failed;
}

void ReportAnalyticEphemeris(RunContext& ctx) {
    if (!ctx.state.positions.fromAnalyticEphemeris) return;
    const std::string path = EphemerisPathFor(ctx.programDirectory);
    // Files that are there but end before a moment of the run (the hour
    // before 1 January 1800 that the aspectarian looks at) are not "none".
    const std::string inUse = EphemerisFolderInUse(path);
    const std::string what =
        inUse.empty() ? "No Swiss Ephemeris files were found in " + SearchedFolders(path) +
                            ". The positions come"
                      : "The Swiss Ephemeris files in " + inUse +
                            " do not cover every moment of this run. Those positions come";
    ctx.messages.showMessage(
        what + " from the library's built-in analytic ephemeris and are less precise.",
        msg::TitleInformation, MessageIcon::Information);
}

}  // namespace novarel
