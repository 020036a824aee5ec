#pragma once
// The commands. Each fills the program's Data window (the captured view)
// and returns the exit status: 0, 1 for a failure, 2 for an input error.
#include "app/program.h"
#include "cli/request_options.h"

namespace novarel::cli {

// 0 for a completed run, 2 for an input error, 1 for any other failure.
int ExitStatus(RunOutcome outcome);

int RunEphemerisCommand(Program& program, const CommandOptions& options);
int RunAspectarianCommand(Program& program, const CommandOptions& options);
int RunTransitsCommand(Program& program, const CommandOptions& options);

}  // namespace novarel::cli
