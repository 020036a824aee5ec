#pragma once
// Whether a New or Full Moon is an eclipse, by the library's eclipse search.
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

}  // namespace novarel
