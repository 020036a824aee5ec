#pragma once
// The two generators as the windows call them. One implementation binds the
// ephemeris and aspectarian libraries to the program's state; tests use fakes.
#include "core/calc_request.h"
#include "output/run_context.h"

namespace novarel {

class Generators {
public:
    virtual ~Generators() = default;
    // A run for the period of the current request, into the data buffer.
    virtual RunOutcome runEphemeris() = 0;
    virtual RunOutcome runAspectarian() = 0;
    // The stored table of the last ephemeris in one coordinate.
    virtual void showTable(DataOutput coordinate) = 0;
    // "Retro&grade times" of the last aspectarian.
    virtual RunOutcome listStations() = 0;
    // The transits to the chosen natal chart over the period of the current
    // request, into the data buffer.
    virtual RunOutcome runTransits() { return RunOutcome::Failed; }
};

// Stands in until a front end binds the generator libraries: runs report
// failure and produce nothing.
class NoGenerators final : public Generators {
public:
    RunOutcome runEphemeris() override { return RunOutcome::Failed; }
    RunOutcome runAspectarian() override { return RunOutcome::Failed; }
    void showTable(DataOutput) override {}
    RunOutcome listStations() override { return RunOutcome::Failed; }
};

}  // namespace novarel
