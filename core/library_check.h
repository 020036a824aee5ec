#pragma once
// What the program does with the answers of the ephemeris library: a failed
// call stops the run; an answer from the built-in analytic ephemeris (no
// ephemeris files found) is noted so that the run can say so.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace novarel {

// A library call failed; what() is the library's own text.
class LibraryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws LibraryError when rc reports a failure (SweError). Otherwise true
// when the library answered from its analytic ephemeris although its files
// were asked for; with filesRequired that answer throws LibraryError too.
bool CheckCalcResult(std::int32_t rc, std::int32_t requestedFlags, const char* serr,
                     bool filesRequired = false);

// Throws LibraryError when an eclipse search failed.
void CheckEclipseResult(std::int32_t rc, const char* serr);

// The folders of an ephemeris path ("a:b") as a text for messages: "a and b".
std::string SearchedFolders(const std::string& ephemerisPath);

}  // namespace novarel
