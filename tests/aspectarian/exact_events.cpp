#include "tests/aspectarian/exact_events.h"

#include <swephexp.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "core/julian_day.h"
#include "core/locale_names.h"
#include "core/swe_library.h"

namespace novarel::test {

double Midnight(int year, int month, int day) {
    return CalendarToJulianDay(year, month, day) - 0.5;
}

double Wrap180(double x) { return x - 360 * std::floor((x + 180) / 360); }

std::string DateOf(double jd) {
    return FormatDate(JulianDayToCivil(jd), "yyyy-mm-dd", LocaleNames::English());
}

namespace {

// Root of f between lo and hi, where f changes sign, to about 0.01 second.
double Bisect(const std::function<double(double)>& f, double lo, double hi) {
    const bool rising = f(lo) < 0;
    while (hi - lo > 1e-7) {
        const double mid = (lo + hi) / 2;
        if ((f(mid) < 0) == rising)
            lo = mid;
        else
            hi = mid;
    }
    return (lo + hi) / 2;
}

constexpr int Bodies = 11;
constexpr double Step = 5.0 / 1440;
// Half the span of the longitude difference whose zero is a turning point:
// long enough to rise well above the library's rounding (about 1e-10 degree
// for Mercury, 1e-12 for Pluto), short enough that the curve's asymmetry
// moves the zero by less than 0.1 second.
constexpr double TurnHalfSpan = 1.0 / 96;

int SweBody(int body) { return body == 1 ? SE_SUN : body == 11 ? SE_TRUE_NODE : body - 1; }

// The longitude's motion over the span around t: its zero is the turn.
double Slope(int body, double t) {
    return Wrap180(SkyPosition(body, t + TurnHalfSpan, false) -
                   SkyPosition(body, t - TurnHalfSpan, false));
}

// Longitude and declination at jd UT. The samples only bracket the roots:
// without the speed the library does half the work, and the positions agree
// with those computed with it to 1e-13 degree.
std::array<double, 2> Sampled(int body, double jd) {
    double xx[6] = {};
    char serr[AS_MAXCH] = {};
    swe_calc_ut(jd, SweBody(body), SEFLG_SWIEPH, xx, serr);
    const double longitude = xx[0];
    swe_calc_ut(jd, SweBody(body), SEFLG_SWIEPH | SEFLG_EQUATORIAL, xx, serr);
    return {longitude, xx[1]};
}

// The positions of the eleven bodies at every sample from the first moment on.
struct Samples {
    double from = 0;
    std::vector<std::array<double, Bodies + 1>> longitude, declination;
    double at(std::size_t k) const { return from + static_cast<double>(k) * Step; }
};

Samples Sample(double from, double to) {
    Samples s;
    s.from = from;
    const auto n = static_cast<std::size_t>(std::ceil((to - from) / Step)) + 1;
    s.longitude.resize(n);
    s.declination.resize(n);
    for (std::size_t k = 0; k < n; ++k)
        for (int b = 1; b <= Bodies; ++b) {
            const auto both = Sampled(b, s.at(k));
            s.longitude[k][static_cast<std::size_t>(b)] = both[0];
            s.declination[k][static_cast<std::size_t>(b)] = both[1];
        }
    return s;
}

// The separations, 0..360, at which each aspect is exact.
struct AspectAngle {
    double degrees;
    int aspect;
};
constexpr AspectAngle AspectAngles[] = {
    {0, Conjunction},  {60, Sextile},      {300, Sextile},        {90, Square},
    {270, Square},     {120, Trine},       {240, Trine},          {180, Opposition},
    {30, Semisextile}, {330, Semisextile}, {45, Semisquare},      {315, Semisquare},
    {72, Quintile},    {288, Quintile},    {135, Sesquiquadrate}, {225, Sesquiquadrate},
    {144, Biquintile}, {216, Biquintile},  {150, Quincunx},       {210, Quincunx}};

void AddIngresses(const Samples& s, int b, std::vector<SkyEvent>& out) {
    const auto u = static_cast<std::size_t>(b);
    for (std::size_t k = 0; k + 1 < s.longitude.size(); ++k) {
        const double x0 = s.longitude[k][u], x1 = s.longitude[k + 1][u];
        const int s0 = static_cast<int>(std::floor(x0 / 30)) % 12;
        const int s1 = static_cast<int>(std::floor(x1 / 30)) % 12;
        if (s0 == s1) continue;
        const double boundary = 30.0 * (Wrap180(x1 - x0) > 0 ? s1 : s0);
        const double jd =
            Bisect([&](double t) { return Wrap180(SkyPosition(b, t, false) - boundary); }, s.at(k),
                   s.at(k + 1));
        out.push_back({EventKind::Ingress, b, 0, NoAspect, s1 + 1, false, jd});
    }
}

void AddStations(const Samples& s, int b, std::vector<SkyEvent>& out) {
    const auto u = static_cast<std::size_t>(b);
    auto motion = [&](std::size_t k) { return Wrap180(s.longitude[k + 1][u] - s.longitude[k][u]); };
    auto slope = [&](double t) { return Slope(b, t); };
    double lastTurn = -1e9;
    for (std::size_t k = 1; k + 1 < s.longitude.size(); ++k) {
        const bool before = motion(k - 1) > 0, after = motion(k) > 0;
        // The library's rounding can flip the sign of a 5-minute step for a
        // moment at a slow planet's turn: one turn per day at most.
        if (before == after || s.at(k) - lastTurn < 1) continue;
        const double lo = s.at(k) - 2 * Step, hi = s.at(k) + 2 * Step;
        const double jd = Bisect(slope, lo, hi);
        lastTurn = s.at(k);
        out.push_back({EventKind::Station, b, 0, NoAspect, 0, before, jd});
    }
}

void AddAspects(const Samples& s, int i, int j, MinorAspectSet minor, std::vector<SkyEvent>& out) {
    const auto ui = static_cast<std::size_t>(i), uj = static_cast<std::size_t>(j);
    auto apart = [&](std::size_t k) { return s.longitude[k][ui] - s.longitude[k][uj]; };
    for (const AspectAngle& target : AspectAngles) {
        if (target.aspect >= Semisextile && (minor & MinorAspectBit(target.aspect)) == 0) continue;
        for (std::size_t k = 0; k + 1 < s.longitude.size(); ++k) {
            // Off the target before and after; a crossing where the sign
            // changes with a small step (not across the far side).
            const double x0 = Wrap180(apart(k) - target.degrees);
            const double x1 = Wrap180(apart(k + 1) - target.degrees);
            if ((x0 < 0) == (x1 < 0) || std::fabs(x1 - x0) > 90) continue;
            const double jd = Bisect(
                [&](double t) {
                    return Wrap180(SkyPosition(i, t, false) - SkyPosition(j, t, false) -
                                   target.degrees);
                },
                s.at(k), s.at(k + 1));
            const int aspect = target.aspect;
            const bool lunation =
                i == 1 && j == 2 &&
                (aspect == Conjunction || aspect == Square || aspect == Opposition);
            out.push_back(
                {lunation ? EventKind::Lunation : EventKind::Aspect, i, j, aspect, 0, false, jd});
        }
    }
}

void AddParallels(const Samples& s, int i, int j, std::vector<SkyEvent>& out) {
    const auto ui = static_cast<std::size_t>(i), uj = static_cast<std::size_t>(j);
    for (const double side : {-1.0, 1.0}) {
        auto sampled = [&](std::size_t k) {
            return s.declination[k][ui] + side * s.declination[k][uj];
        };
        for (std::size_t k = 0; k + 1 < s.declination.size(); ++k) {
            if ((sampled(k) < 0) == (sampled(k + 1) < 0)) continue;
            const double jd = Bisect(
                [&](double t) { return SkyPosition(i, t, true) + side * SkyPosition(j, t, true); },
                s.at(k), s.at(k + 1));
            out.push_back({side < 0 ? EventKind::Parallel : EventKind::Contraparallel, i, j,
                           NoAspect, 0, false, jd});
        }
    }
}

}  // namespace

double SkyPosition(int body, double jd, bool equatorial) {
    double xx[6] = {};
    char serr[AS_MAXCH] = {};
    swe_calc_ut(jd, SweBody(body), SEFLG_SWIEPH | SEFLG_SPEED | (equatorial ? SEFLG_EQUATORIAL : 0),
                xx, serr);
    return equatorial ? xx[1] : xx[0];
}

std::vector<SkyEvent> SweepSky(double from, double to, MinorAspectSet minorAspects) {
    swe_set_ephe_path(EphemerisPathFor("/nonexistent").c_str());
    const Samples s = Sample(from, to);
    std::vector<SkyEvent> out;
    for (int i = 1; i <= Bodies; ++i) {
        if (i <= 10) AddIngresses(s, i, out);
        if (i >= 3 && i <= 10) AddStations(s, i, out);
        for (int j = i + 1; j <= Bodies; ++j) {
            AddAspects(s, i, j, minorAspects, out);
            AddParallels(s, i, j, out);
        }
    }
    std::erase_if(out, [&](const SkyEvent& e) { return e.jd < from || e.jd >= to; });
    std::sort(out.begin(), out.end(),
              [](const SkyEvent& a, const SkyEvent& b) { return a.jd < b.jd; });
    return out;
}

std::vector<ReportEvent> ReportEvents(const std::vector<std::string>& reportLines,
                                      double firstDayJD) {
    std::vector<ReportEvent> out;
    int day = 0;
    for (std::size_t k = 6; k < reportLines.size(); ++k) {
        const std::string& line = reportLines[k];
        if (line.empty()) {
            ++day;
            continue;
        }
        const int hour = std::stoi(line.substr(10, 2));
        const int minute = std::stoi(line.substr(13, 2));
        out.push_back({firstDayJD + day + (hour * 60 + minute) / 1440.0, line});
    }
    return out;
}

}  // namespace novarel::test
