#pragma once
// Whether a New or Full Moon is an eclipse, by the library's eclipse search.
#include <array>
#include <cstdint>

#include "aspectarian/aspect_event.h"
#include "core/ephemeris_library.h"

namespace novarel {

enum class EclipseKind { Solar, Lunar };

// How far (days) the greatest eclipse may lie from the lunation moment.
constexpr double EclipseWindowDays = 1.0;

// True when the library's forward search for an eclipse of the kind (any
// type, penumbral lunar eclipses included), started two days before the
// lunation moment (Julian Day, UT), finds one whose greatest phase lies
// within EclipseWindowDays of that moment. A failed search throws LibraryError.
bool EclipseAtLunation(EphemerisLibrary& library, EclipseKind kind, double lunationJD);

// The same decision for the lunations of one run, asked in time order. The
// search finds the next eclipse after its start, so none lies between a
// search's start and the eclipse it found: a later lunation before that
// eclipse has the answer without a search of its own. A run then searches
// about twice a year per kind instead of at every lunation.
class EclipseSearch {
public:
    explicit EclipseSearch(EphemerisLibrary& library) : library_(library) {}
    bool AtLunation(EclipseKind kind, double lunationJD);
    // The eclipse AtLunation last answered true for, of the kind: its type,
    // its magnitude and the moment of its greatest phase. They are asked of
    // the library once per eclipse, when a lunation is first found at it.
    const EclipseDetails& Details(EclipseKind kind) const;

private:
    struct Found {
        bool valid = false;
        double start = 0;       // where the search started
        double maximum = 0;     // greatest phase of the eclipse it found
        std::int32_t type = 0;  // the type bits the search returned
        bool detailed = false;  // details hold this eclipse's magnitude
        EclipseDetails details;
    };
    EphemerisLibrary& library_;
    std::array<Found, 2> found_{};
};

}  // namespace novarel
