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
    ctx.messages.showMessage(
        "No Swiss Ephemeris files were found in " +
            SearchedFolders(EphemerisPathFor(ctx.programDirectory)) +
            ". The positions come from the library's built-in analytic ephemeris and are less "
            "precise.",
        msg::TitleInformation, MessageIcon::Information);
}

}  // namespace novarel
