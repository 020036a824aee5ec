#include "cli/version_text.h"

#include <fmt/format.h>

#include "core/swe_library.h"

namespace novarel::cli {

std::string VersionText(EphemerisLibrary& library, const std::string& programFolder) {
    const std::string libraryVersion = library.version();
    const std::string ephemeris = EphemerisFolderInUse(EphemerisPathFor(programFolder));
    return fmt::format(
        "novarel (Novarel_SE) {}\nSwiss Ephemeris library {}\nProgram folder: {}\n"
        "Ephemeris folder: {}",
        ProgramVersion, libraryVersion.empty() ? "(version unknown)" : libraryVersion,
        programFolder,
        ephemeris.empty() ? "none found (the library's analytic ephemeris is used)" : ephemeris);
}

std::string DirArgument(int argc, char** argv) {
    std::string dir;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--dir" && i + 1 < argc)
            dir = argv[++i];
        else if (arg.starts_with("--dir="))
            dir = arg.substr(6);
    }
    return dir;
}

}  // namespace novarel::cli
