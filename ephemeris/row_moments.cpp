#include "ephemeris/row_moments.h"

#include <cmath>
#include <string>

#include "core/angle_format.h"
#include "core/fixed_format.h"

namespace novarel {
namespace {

// Greenwich mean sidereal time in seconds, 0..86400, at 'centuries' from
// J2000: the series gives it at 0h UT, and the UT day's fraction 'dayFraction'
// (0 or 0.5 of the UT rows) turns the clock further by whole days' worth.
double SiderealSecondsAt(double centuries, double dayFraction) {
    const double t = centuries;
    double s = 24110.54841 + 8640184.812866 * t + 0.093104 * t * t - 6.2e-06 * t * t * t;
    s -= dayFraction * 86400;
    while (s < 0) s += 86400;
    while (s > 86400) s -= 86400;
    return s;
}

}  // namespace

RowMoment RowMomentOf(const RunState& s, const CalcRequest& request, const TimeZone& zone,
                      const CivilDate& date) {
    if (zone.IsUniversal()) {
        const double centuries = CenturiesOf(s.RowJD, s.DayFraction);
        return {request.optMidnight() ? s.RowJD - 0.5 : s.RowJD, centuries,
                SiderealSecondsAt(centuries, s.DayFraction)};
    }
    const double moment = zone.ClockMoment(date, request.optMidnight() ? 0 : 12 * 3600);
    const double centuries = (moment - 2451545.0) / 36525;
    // Any fraction of the UT day: the series' time plus the fraction turned
    // at the sidereal rate (the UT rows' 0.5 gives the same reading).
    const double utFraction = moment + 0.5 - std::floor(moment + 0.5);
    return {moment, centuries, SiderealSecondsAt(centuries, -utFraction)};
}

void PutOnLocalClock(HeaderLines& header, const CalcRequest& request, const TimeZone& zone,
                     double firstRow, double from, double to) {
    header[2] = JulianDayLine(FormatFixed(firstRow, 1, 4), request);
    header[3] = std::string(23, ' ') + ZoneTitle(zone, from, to);
}

}  // namespace novarel
