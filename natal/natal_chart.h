#pragma once
// A person's birth chart as the user enters it: a name, the local date and
// clock of birth, the zone of that clock and, for the angles, the place.
#include <optional>
#include <string>

#include "core/julian_day.h"

namespace novarel {

// A place on Earth in degrees: north and east positive.
struct PlaceOnEarth {
    double latitude = 0;
    double longitude = 0;
};

struct NatalChart {
    std::string name;
    CivilDate date;  // the local date of birth
    int hour = 12;   // the local clock, 0..23
    int minute = 0;  // 0..59
    // An IANA name of the system's database, or "UT".
    std::string timeZone = "UT";
    // Without a place the chart has no Ascendant or Midheaven.
    std::optional<PlaceOnEarth> place;
};

// Why a chart cannot be used, as a sentence for a message ("The birth date
// 1980-02-31 is not a date of the calendar."); empty when it can. Checks the
// name (not empty, one line of UTF-8, at most 60 characters), the date (years
// 1..2999, Julian calendar before 15 October 1582), the clock, the zone (known
// to the system's database) and the place (latitude within ±90°, longitude
// within ±180°).
// A date of the calendar birth dates are read in: Julian up to 4 October
// 1582, Gregorian from 15 October 1582.
bool IsCalendarDate(const CivilDate& date);

std::string ChartProblem(const NatalChart& chart);

// The moment of birth, Julian Day UT: the local clock through the chart's
// zone. None when the zone is unknown.
std::optional<double> BirthMoment(const NatalChart& chart);

}  // namespace novarel
