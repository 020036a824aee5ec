#pragma once
// Ordering a day's event lines and laying the report out in the Data window.
#include <string>
#include <vector>

#include "aspectarian/aspect_event.h"

namespace novarel {

// Exchange sort of a day's report lines on the "hh" and "mm" fields of their
// 17-character prefix, each event moved with its line (one event per line).
// It is not stable: lines of the same minute may change their relative order.
void SortEventsByTime(std::vector<std::string>& lines, std::vector<AspectEvent>& events);

// Only the first event of a day shows its date: the others get blanks there.
void BlankRepeatedDates(std::vector<std::string>& lines);

// Width the left column's text is padded to in the two-column layout: that
// of the doubled heading, for every line.
std::size_t LeftColumnWidth(const std::string& line);

// The report in two columns: title lines as they are, the heading and its rule
// doubled, then the day blocks' first half beside their second half. With an
// odd number of day-block lines the last one (an empty line) is left out.
std::vector<std::string> TwoColumnLines(const std::vector<std::string>& report);

}  // namespace novarel
