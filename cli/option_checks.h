#pragma once
// Strict checks of the command line's values. Each returns an empty text for
// a good value, else what is wrong with it and what is accepted.
#include <string>
#include <string_view>
#include <vector>

#include "aspectarian/aspect_event.h"

namespace novarel::cli {

// The words of a comma-separated list, empty ones included.
std::vector<std::string> ListItems(const std::string& list);

// The problem of the first word of a list that `known` refuses:
// "'word' is not <what>", or an empty text when every word is known.
template <typename Known>
std::string UnknownListItem(const std::string& list, Known known, std::string_view what) {
    for (const std::string& item : ListItems(list))
        if (!known(item)) return "'" + item + "' is not " + std::string(what);
    return {};
}

// A date on the calendar written YYYY-MM-DD, from 1800-01-01 to 2100-12-31.
std::string StartDateProblem(const std::string& value);

// A whole number of days written in digits, 1 to 366.
std::string DaysProblem(const std::string& value);

// The problem with a --bodies or --kinds list, or an empty text.
std::string BodiesProblem(const std::string& list);
std::string KindsProblem(const std::string& list);
std::vector<int> BodiesOf(const std::string& list);
std::vector<EventKind> KindsOf(const std::string& list);

}  // namespace novarel::cli
