#include "core/library_check.h"

#include <cstring>

#include "core/ephemeris_library.h"

namespace novarel {
namespace {

std::string LibraryText(const char* serr, const char* fallback) {
    std::string text = serr != nullptr ? std::string(serr, ::strnlen(serr, 256)) : std::string();
    // The library ends its texts with a period and blanks; the messages add their own.
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n' || text.back() == '.'))
        text.pop_back();
    return text.empty() ? fallback : text;
}

}  // namespace

bool CheckCalcResult(std::int32_t rc, std::int32_t requestedFlags, const char* serr) {
    if (rc < 0) throw LibraryError(LibraryText(serr, "the position calculation failed"));
    // The library clears the files flag and sets the analytic one when it fell back.
    return (requestedFlags & swe_flags::SwissEphemeris) != 0 &&
           (rc & swe_flags::SwissEphemeris) == 0;
}

void CheckEclipseResult(std::int32_t rc, const char* serr) {
    if (rc < 0) throw LibraryError(LibraryText(serr, "the eclipse search failed"));
}

std::string SearchedFolders(const std::string& ephemerisPath) {
    std::string text;
    std::size_t start = 0;
    while (start <= ephemerisPath.size()) {
        std::size_t end = ephemerisPath.find(':', start);
        if (end == std::string::npos) end = ephemerisPath.size();
        if (end > start) {
            if (!text.empty()) text += " and ";
            text += ephemerisPath.substr(start, end - start);
        }
        start = end + 1;
    }
    return text;
}

}  // namespace novarel
