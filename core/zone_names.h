#pragma once
// The names a local clock can be chosen by: "UT", then every zone of the
// system's time-zone database in alphabetical order. Only the desktop
// program lists them (its zone box completes from them); the command line
// looks a single name up.
#include <string>
#include <vector>

namespace novarel {

std::vector<std::string> ZoneNames();

}  // namespace novarel
