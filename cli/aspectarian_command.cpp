#include "app/library_generators.h"
#include "cli/commands.h"

namespace novarel::cli {

// The input window's "Calculate Aspectarian" button, then, with --stations,
// the Data window's "Retro&grade times".
int RunAspectarianCommand(Program& program, const CommandOptions& options) {
    LibraryGenerators generators(program);
    const RunOutcome outcome = program.input.CalculateAspectarian(generators);
    if (outcome != RunOutcome::InvalidInput && options.stations) generators.listStations();
    return ExitStatus(outcome);
}

}  // namespace novarel::cli
