#include "app/library_generators.h"
#include "cli/commands.h"

namespace novarel::cli {

int ExitStatus(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::Completed: return 0;
        case RunOutcome::InvalidInput: return 2;
        case RunOutcome::Failed: return 1;
    }
    return 1;
}

// The input window's "Calculate Ephemeris" button.
int RunEphemerisCommand(Program& program, const CommandOptions&) {
    LibraryGenerators generators(program);
    return ExitStatus(program.input.CalculateEphemeris(generators));
}

}  // namespace novarel::cli
