#pragma once
// The transits command's chart: read from its options and checked as the
// natal charts window checks a chart.
#include <optional>
#include <string>

#include "cli/request_options.h"
#include "natal/natal_chart.h"

namespace novarel::cli {

// A birth moment as --natal gives it.
struct BirthClock {
    CivilDate date;
    int hour = 0;
    int minute = 0;
};
// "YYYY-MM-DD HH:MM", a date of the calendar charts are read in (Julian
// before 15 October 1582) and a clock 00:00 .. 23:59; none otherwise.
std::optional<BirthClock> ReadBirthClock(const std::string& text);

// "YYYY-MM-DD HH:MM" of a date on the calendar and a clock 00:00 .. 23:59;
// an empty text when good, else what is wrong.
std::string BirthClockProblem(const std::string& value);

// "LAT,LON" in degrees, latitude -90..90 and longitude -180..180.
std::string PlaceProblem(const std::string& value);

// The chart of --natal, --natal-tz and --place (named by them); none
// without --natal.
std::optional<NatalChart> BirthChartOf(const CommandOptions& options);

// What keeps the options from naming one chart of transits: neither --chart
// nor --natal, a --kinds word the transits have no events of, or a chart
// the natal charts window would refuse. Empty when none.
std::string TransitOptionsProblem(const CommandOptions& options);

}  // namespace novarel::cli
