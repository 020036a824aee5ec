#pragma once
// Days written YYYY-MM-DD, as the command line takes and writes them, within
// the days the program computes.
#include <optional>
#include <string>
#include <string_view>

#include "core/julian_day.h"

namespace novarel {

inline constexpr CivilDate FirstSupportedDay{1800, 1, 1};
inline constexpr CivilDate LastSupportedDay{2100, 12, 31};

// The day of a text of exactly the form YYYY-MM-DD that names a day on the
// calendar from FirstSupportedDay to LastSupportedDay; none for anything else.
std::optional<CivilDate> ParseIsoDate(std::string_view text);

// "2018-05-03".
std::string IsoDateText(const CivilDate& date);

bool DayBefore(const CivilDate& a, const CivilDate& b);

// The day `days` days after the date (before it for a negative count).
CivilDate DaysAfter(const CivilDate& date, int days);

}  // namespace novarel
