#include "app/library_generators.h"

#include "aspectarian/aspectarian_generator.h"
#include "ephemeris/ephemeris_generator.h"

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
    return ListRetrogradeTimes(ctx, program_.aspectarian);
}

}  // namespace novarel
