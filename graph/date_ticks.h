#pragma once
// The marks along a graph's time axis: a tick at each day, week, month or
// year that suits the period's length, and a label at the major ones.
#include <string>
#include <vector>

#include "core/julian_day.h"

namespace novarel::graph {

struct DateTick {
    double jd = 0;  // 0h UT of the day
    bool major = false;
    std::string label;  // empty on a minor tick
};

// Ticks within [startJd, endJd]: up to three months, each day with the 1st,
// 8th, 15th and 22nd labelled; up to a year and a half, each month labelled;
// up to four years, each month with the quarters labelled; longer, each
// quarter with the years labelled.
std::vector<DateTick> DateTicks(double startJd, double endJd);

// "21 Dec 2020".
std::string DayText(const CivilDate& date);

// "Dec 2020".
std::string MonthText(const CivilDate& date);

}  // namespace novarel::graph
