#pragma once
// The daily ephemeris: four tables at once (longitude, latitude, right
// ascension, declination), shown in the Data window and, with "Save data to
// file", written to four data files.
#include "output/run_context.h"

namespace novarel {

// Runs for the period of the current request. The caller has prepared the
// buffer (the generate button empties it; the More commands do not).
RunOutcome GenerateEphemeris(RunContext& ctx);

// The coordinate views: the stored table of the last run into the buffer and
// the Data window, without recomputing.
void ShowTable(RunContext& ctx, DataOutput coordinate);

}  // namespace novarel
