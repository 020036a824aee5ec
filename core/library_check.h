#pragma once
// What the program does with the answers of the ephemeris library: a failed
// call stops the run; an answer from the built-in analytic ephemeris (no
// ephemeris files found) is noted so that the run can say so.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

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

// Throws LibraryError when one of the values the library answered for a body
// (the library's number) at the moment jdUt is not a finite number: a damaged
// file can answer NaN without reporting a failure.
void CheckFiniteValues(const double* values, std::size_t count, int libraryBody, double jdUt);

// Throws LibraryError when the difference of Terrestrial Time and Universal
// Time the library gave for jdUt is not a finite number.
void CheckFiniteDeltaT(double deltaT, double jdUt);

// Throws LibraryError when an eclipse search failed, or found an eclipse whose
// greatest phase is not a finite moment. search names it ("solar eclipse").
void CheckEclipseResult(std::int32_t rc, const char* serr, double maximum = 0,
                        std::string_view search = {}, double startUt = 0);

// Throws LibraryError when asking the circumstances of an eclipse (search
// names it, "solar eclipse") at its greatest phase maximumUt failed, or gave a
// magnitude that is not a finite number.
void CheckEclipseMagnitude(std::int32_t rc, const char* serr, double magnitude,
                           std::string_view search, double maximumUt);

// A moment (Julian Day, Universal Time) for messages: "2020-01-01 00:00 UT".
std::string MomentText(double jdUt);

// The folders of an ephemeris path ("a:b") as a text for messages: "a and b".
std::string SearchedFolders(const std::string& ephemerisPath);

// Throws LibraryError naming the file and the folders searched when no
// folder of the ephemeris path holds the file of Chiron and the asteroids.
void CheckAsteroidFile(const std::string& ephemerisPath);

}  // namespace novarel
