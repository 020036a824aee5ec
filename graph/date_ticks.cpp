#include "graph/date_ticks.h"

#include <fmt/format.h>

#include <cmath>

#include "graph/graph_data.h"

namespace novarel::graph {
namespace {

constexpr const char* MonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

const char* MonthName(int month) { return MonthNames[(month + 11) % 12]; }

// Each first of a month from the period's first month, every `months` months.
template <typename Add>
void EachMonth(double startJd, double endJd, Add add) {
    CivilDate d = JulianDayToCivil(startJd + 0.5);
    d.day = 1;
    for (;;) {
        const double jd = MidnightJd(d);
        if (jd > endJd) return;
        if (jd >= startJd) add(d, jd);
        if (++d.month > 12) {
            d.month = 1;
            ++d.year;
        }
    }
}

}  // namespace

std::string DayText(const CivilDate& date) {
    return fmt::format("{} {} {}", date.day, MonthName(date.month), date.year);
}

std::string MonthText(const CivilDate& date) {
    return fmt::format("{} {}", MonthName(date.month), date.year);
}

std::vector<DateTick> DateTicks(double startJd, double endJd) {
    std::vector<DateTick> ticks;
    const double days = endJd - startJd;
    if (days <= 92) {
        for (double jd = std::ceil(startJd - 0.5) + 0.5; jd <= endJd; jd += 1) {
            const CivilDate d = JulianDayToCivil(jd + 0.5);
            const bool major = d.day == 1 || d.day == 8 || d.day == 15 || d.day == 22;
            ticks.push_back({jd, major,
                             !major       ? ""
                             : d.day == 1 ? MonthText(d)
                                          : std::to_string(d.day)});
        }
        return ticks;
    }
    EachMonth(startJd, endJd, [&](const CivilDate& d, double jd) {
        if (days <= 550) {
            ticks.push_back({jd, true, d.month == 1 ? MonthText(d) : MonthName(d.month)});
        } else if (days <= 1461) {
            const bool major = (d.month - 1) % 3 == 0;
            ticks.push_back({jd, major,
                             !major         ? ""
                             : d.month == 1 ? std::to_string(d.year)
                                            : MonthName(d.month)});
        } else if ((d.month - 1) % 3 == 0) {
            const bool major = d.month == 1;
            ticks.push_back({jd, major, major ? std::to_string(d.year) : ""});
        }
    });
    return ticks;
}

}  // namespace novarel::graph
