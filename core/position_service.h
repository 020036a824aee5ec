#pragma once
#include "core/calc_request.h"
#include "core/ephemeris_library.h"
#include "core/positions.h"

namespace novarel {

// Library body number for a BodyIndex under the request's centre and node.
int LibraryBodyNumber(int bodyIndex, const CalcRequest& request);

// Flags of the ecliptic call; the equatorial call adds swe_flags::Equatorial.
std::int32_t EclipticFlags(const CalcRequest& request);

// Positions of the eleven bodies (and the extra ones when chosen) at jd (Universal Time) in both
// frames, with speeds. A failed library call throws LibraryError with the library's text, and so
// does an answer that is not a finite number (naming body and moment); an answer from the analytic
// ephemeris sets out.fromAnalyticEphemeris, or throws LibraryError when the request requires the
// ephemeris files.
void ComputePositions(double jd, const CalcRequest& request, EphemerisLibrary& library,
                      Positions& out);

// One body at jd (Universal Time), as ComputePositions gives it: ecliptic
// longitude and latitude, and the declination when asked for (else 0).
struct BodyPlace {
    double longitude = 0;
    double latitude = 0;
    double declination = 0;
};
// Checked as ComputePositions checks; an analytic answer sets fromAnalyticEphemeris.
BodyPlace ComputeBodyPlace(double jd, int bodyIndex, bool withDeclination,
                           const CalcRequest& request, EphemerisLibrary& library,
                           bool& fromAnalyticEphemeris);

}  // namespace novarel
