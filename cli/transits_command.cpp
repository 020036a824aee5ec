#include "app/library_generators.h"
#include "cli/commands.h"
#include "cli/transit_options.h"

namespace novarel::cli {

// The Charts menu's "Transits" for the chart named by --chart (from the
// program folder's chart file) or given by --natal.
int RunTransitsCommand(Program& program, const CommandOptions& options) {
    program.request.natalChart = options.chart;
    program.transits.givenChart = BirthChartOf(options);
    LibraryGenerators generators(program);
    return ExitStatus(program.input.CalculateTransits(generators));
}

}  // namespace novarel::cli
