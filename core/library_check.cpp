#include "core/library_check.h"

#include <cstring>

#include "core/ephemeris_library.h"

namespace novarel {
namespace {

std::string LibraryText(const char* serr, const char* fallback) {
    // One line of text: line breaks become blanks, runs of blanks one.
    std::string text;
    const std::size_t n = serr != nullptr ? ::strnlen(serr, 256) : 0;
    for (std::size_t k = 0; k < n; ++k) {
        const char c = serr[k] == '\n' ? ' ' : serr[k];
        if (c == ' ' && (text.empty() || text.back() == ' ')) continue;
        text += c;
    }
    // The library ends its texts with a period or a semicolon; the messages add their own.
    while (!text.empty() && (text.back() == ' ' || text.back() == '.' || text.back() == ';'))
        text.pop_back();
    return text.empty() ? fallback : text;
}

}  // namespace

bool CheckCalcResult(std::int32_t rc, std::int32_t requestedFlags, const char* serr,
                     bool filesRequired) {
    if (rc < 0) throw LibraryError(LibraryText(serr, "the position calculation failed"));
    // The library clears the files flag and sets the analytic one when it fell back.
    const bool analytic =
        (requestedFlags & swe_flags::SwissEphemeris) != 0 && (rc & swe_flags::SwissEphemeris) == 0;
    if (analytic && filesRequired)
        throw LibraryError("the ephemeris files are required, but none covers this moment (" +
                           LibraryText(serr, "no file") + ")");
    return analytic;
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
