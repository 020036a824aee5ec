#pragma once
// Positions of the eleven bodies at the last moment given to the position
// service. Index by BodyIndex (1 Sun or Earth .. 11 North Node).
#include "core/int_indexed.h"

namespace novarel {

constexpr int BodyCount = 11;

enum BodyIndex : int {
    Sun = 1,
    Moon,
    Mercury,
    Venus,
    Mars,
    Jupiter,
    Saturn,
    Uranus,
    Neptune,
    Pluto,
    NorthNode
};

struct Positions {
    IntIndexed<double, 16> BodyLongitude{};
    IntIndexed<double, 16> BodyLatitude{};
    IntIndexed<double, 16> BodyRightAscension{};
    IntIndexed<double, 16> BodyDeclination{};
    IntIndexed<double, 12> LongitudeSpeed{};       // index 1 stays 0
    IntIndexed<double, 12> RightAscensionSpeed{};  // index 1 stays 0
    // The library's rates of every body, the Sun's included, in degrees a
    // day: the event search reads them between its hourly samples.
    IntIndexed<double, 12> LongitudeRate{};
    IntIndexed<double, 12> LatitudeRate{};
    IntIndexed<double, 12> DeclinationRate{};
    // Set (and kept) once the library answered from its analytic ephemeris
    // because no ephemeris file served the moment; a run clears it at its start.
    bool fromAnalyticEphemeris = false;
};

}  // namespace novarel
