#include "app/library_generators.h"

#include "aspectarian/aspectarian_generator.h"
#include "ephemeris/ephemeris_generator.h"
#include "natal/chart_file.h"
#include "transits/transits_generator.h"

namespace novarel {

RunOutcome LibraryGenerators::runEphemeris() {
    RunContext ctx = program_.context();
    return GenerateEphemeris(ctx);
}

RunOutcome LibraryGenerators::runAspectarian() {
    RunContext ctx = program_.context();
    return GenerateAspectarian(ctx, program_.aspectarian);
}

void LibraryGenerators::showTable(DataOutput coordinate) {
    RunContext ctx = program_.context();
    ShowTable(ctx, coordinate);
}

RunOutcome LibraryGenerators::listStations() {
    RunContext ctx = program_.context();
    // After transits, the stations of the transiting bodies.
    if (program_.state.OutputKind == OutputKind::Transits)
        return ListRetrogradeTimes(ctx, program_.transits.samples);
    return ListRetrogradeTimes(ctx, program_.aspectarian);
}

RunOutcome LibraryGenerators::runTransits() {
    RunContext ctx = program_.context();
    // The chart file is the program folder's, wherever the data files go.
    const std::string file = ChartFilePath(program_.programDirectory());
    RunOutcome outcome = RunOutcome::Failed;
    const std::optional<NatalChart> chart =
        ChartOfRun(program_.transits, program_.request, file, ctx.messages, outcome);
    if (!chart) return outcome;
    return GenerateTransits(ctx, program_.transits, *chart);
}

}  // namespace novarel
