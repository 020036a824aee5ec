#include "cli/commands.h"
#include "ephemeris/ephemeris_generator.h"

namespace novarel::cli {

// As the "Calculate Ephemeris" button: time of day, an empty buffer, the
// output kind, then the generator.
int RunEphemerisCommand(Program& program, const CommandOptions&) {
    program.state.NoonFlag = program.request.optMidnight() ? 0 : 1;
    program.buffer.EmptyData();
    program.buffer.ClearPage();
    program.state.OutputKind = 1;
    RunContext ctx = program.context();
    switch (GenerateEphemeris(ctx)) {
        case RunOutcome::Completed: return 0;
        case RunOutcome::InvalidInput: return 2;
        case RunOutcome::Failed: return 1;
    }
    return 1;
}

}  // namespace novarel::cli
