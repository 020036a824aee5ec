#pragma once
// What --version prints: the program's version, the ephemeris library's and
// the folder its ephemeris files are read from.
#include <string>
#include <string_view>

#include "core/ephemeris_library.h"

namespace novarel::cli {

inline constexpr std::string_view ProgramVersion = "2.00";

std::string VersionText(EphemerisLibrary& library, const std::string& programFolder);

// The value of --dir in a command line ("--dir X" or "--dir=X"); empty when
// it is not given.
std::string DirArgument(int argc, char** argv);

}  // namespace novarel::cli
