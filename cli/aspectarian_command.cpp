#include <cstdio>

#include "app/library_generators.h"
#include "cli/commands.h"

namespace novarel::cli {
namespace {

// Says on stderr why --stations lists nothing; true when there is a list.
bool StationsToList(const Program& program) {
    if (program.request.coordinates == Centre::Helio) {
        std::fputs(
            "novarel: --stations: a heliocentric run has no stations; seen from the Sun the "
            "planets never turn retrograde.\n",
            stderr);
        return false;
    }
    if (program.aspectarian.StationCount <= 0) {
        std::fputs("novarel: --stations: no planet changes direction in this period.\n", stderr);
        return false;
    }
    return true;
}

}  // namespace

// The input window's "Calculate Aspectarian" button, then, with --stations,
// the Data window's "Retro&grade times".
int RunAspectarianCommand(Program& program, const CommandOptions& options) {
    LibraryGenerators generators(program);
    const RunOutcome outcome = program.input.CalculateAspectarian(generators);
    // A failed run has no stations of its own to list.
    if (outcome != RunOutcome::Completed || !options.stations || !StationsToList(program))
        return ExitStatus(outcome);
    return ExitStatus(generators.listStations());
}

}  // namespace novarel::cli
