#pragma once
// The generators of the ephemeris and aspectarian libraries, run on the
// program's own state.
#include "app/program.h"
#include "output/generators.h"

namespace novarel {

class LibraryGenerators final : public Generators {
public:
    explicit LibraryGenerators(Program& program) : program_(program) {}
    RunOutcome runEphemeris() override;
    RunOutcome runAspectarian() override;
    void showTable(DataOutput coordinate) override;
    RunOutcome listStations() override;
    RunOutcome runTransits() override;

private:
    Program& program_;
};

}  // namespace novarel
