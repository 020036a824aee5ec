#pragma once
// The retrograde listing's names of the planets.
#include <string>

namespace novarel {

// The listing's seven-character planet name of a body index.
std::string StationPlanetName(int body);

}  // namespace novarel
