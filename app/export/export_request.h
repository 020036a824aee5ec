#pragma once
// The "request" object of a JSON export: what was asked for, in the words
// the command line takes, so that a record set says how it was made.
#include <optional>
#include <string>
#include <string_view>

#include "core/calc_request.h"
#include "core/julian_day.h"
#include "core/option_values.h"

namespace novarel::exports {

struct RequestFacts {
    std::string command;  // "ephemeris", "aspectarian" or "transits"
    // Transits: the chart by name, or the birth given in full.
    std::string chart;
    std::string natal;
    std::string natalZone;
    std::string place;
    CivilDate start;
    std::optional<CivilDate> end;
    std::optional<int> days;  // none: the full month
    bool midnight = false;
    bool heliocentric = false;
    Zodiac zodiac = Zodiac::Tropical;
    NodeKind node = NodeKind::True;
    std::string bodies;  // as listed; empty: all
    std::string kinds;
    std::string timeZone = "UT";
    VoidOfCourseRule voidOfCourse = VoidOfCourseRule::Off;
};

std::string RequestJson(const RequestFacts& facts);

// "tropical", "sidereal", "ayanamsa"; "true", "mean".
std::string_view ZodiacWord(Zodiac zodiac);
std::string_view NodeWord(NodeKind node);

}  // namespace novarel::exports
