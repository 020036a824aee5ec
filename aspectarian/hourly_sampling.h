#pragma once
// The positions the event search works on: one sample per whole hour.
#include "aspectarian/aspectarian_state.h"
#include "core/calc_request.h"
#include "core/ephemeris_library.h"
#include "core/positions.h"

namespace novarel {

// Direction flags of the run's bodies from their motion over the hour before jd.
// Leaves positions holding the moment jd.
void SetInitialDirections(double jd, const CalcRequest& request, EphemerisLibrary& library,
                          Positions& positions, AspectarianState& aspectarian);

// Stores the positions now held as sample s (0..24): longitudes, and
// declinations (ecliptic latitudes when heliocentric), with their rates.
void StoreSample(int s, const CalcRequest& request, const Positions& positions,
                 AspectarianState& aspectarian);

// Sample 24 of a day is sample 0 of the next: moved there, not computed again.
void CarryLastSample(AspectarianState& aspectarian);

}  // namespace novarel
