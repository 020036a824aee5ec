#pragma once
// Positions of the bodies at the last moment given to the position service.
// Index by BodyIndex (1 Sun or Earth .. 11 North Node, then the extra bodies
// when the run carries them).
#include "core/bodies.h"
#include "core/int_indexed.h"

namespace novarel {

struct Positions {
    IntIndexed<double, BodyRows> BodyLongitude{};
    IntIndexed<double, BodyRows> BodyLatitude{};
    IntIndexed<double, BodyRows> BodyRightAscension{};
    IntIndexed<double, BodyRows> BodyDeclination{};
    IntIndexed<double, BodyRows> LongitudeSpeed{};       // index 1 stays 0
    IntIndexed<double, BodyRows> RightAscensionSpeed{};  // index 1 stays 0
    // The library's rates of every body, the Sun's included, in degrees a
    // day: the event search reads them between its hourly samples.
    IntIndexed<double, BodyRows> LongitudeRate{};
    IntIndexed<double, BodyRows> LatitudeRate{};
    IntIndexed<double, BodyRows> DeclinationRate{};
    // Set (and kept) once the library answered from its analytic ephemeris
    // because no ephemeris file served the moment; a run clears it at its start.
    bool fromAnalyticEphemeris = false;
};

}  // namespace novarel
