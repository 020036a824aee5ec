#include "aspectarian/aspectarian_generator.h"
#include "cli/commands.h"

namespace novarel::cli {

// As the input window's "Calculate Aspectarian" button, then, with
// --stations, the Data window's "Retro&grade times".
int RunAspectarianCommand(Program& program, const CommandOptions& options) {
    program.state.NoonFlag = program.request.optNoon() ? 1 : 0;
    program.buffer.EmptyData();
    program.buffer.ClearPage();
    program.state.OutputKind = 0;
    RunContext ctx = program.context();
    const RunOutcome outcome = GenerateAspectarian(ctx, program.aspectarian);
    if (outcome == RunOutcome::InvalidInput) return 2;
    if (options.stations) ListRetrogradeTimes(ctx, program.aspectarian);
    return outcome == RunOutcome::Failed ? 1 : 0;
}

}  // namespace novarel::cli
