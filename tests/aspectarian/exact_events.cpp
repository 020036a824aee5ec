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

int AspectAt(double angle) {
    const int a = static_cast<int>(std::lround(std::fmod(angle + 720, 360)));
    const int shortWay = a > 180 ? 360 - a : a;
    switch (shortWay) {
        case 0: return Conjunction;
        case 60: return Sextile;
        case 90: return Square;
        case 120: return Trine;
        case 180: return Opposition;
        default: return NoAspect;
    }
}

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

void AddAspects(const Samples& s, int i, int j, std::vector<SkyEvent>& out) {
    const auto ui = static_cast<std::size_t>(i), uj = static_cast<std::size_t>(j);
    auto apart = [&](std::size_t k) {
        return std::fmod(s.longitude[k][ui] - s.longitude[k][uj] + 720, 360);
    };
    for (std::size_t k = 0; k + 1 < s.longitude.size(); ++k) {
        const double d0 = apart(k);
        const double move = Wrap180(apart(k + 1) - d0);
        const double low = 30 * std::floor(d0 / 30);
        double multiple = 0;
        if (move > 0 && d0 + move >= low + 30)
            multiple = low + 30;
        else if (move < 0 && d0 + move < low)
            multiple = low;
        else
            continue;
        const int aspect = AspectAt(multiple);
        if (aspect == NoAspect) continue;
        const double jd = Bisect(
            [&](double t) {
                return Wrap180(SkyPosition(i, t, false) - SkyPosition(j, t, false) - multiple);
            },
            s.at(k), s.at(k + 1));
        const bool lunation = i == 1 && j == 2 && aspect != Sextile && aspect != Trine;
        out.push_back(
            {lunation ? EventKind::Lunation : EventKind::Aspect, i, j, aspect, 0, false, jd});
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

std::vector<SkyEvent> SweepSky(double from, double to) {
    swe_set_ephe_path(EphemerisPathFor("/nonexistent").c_str());
    const Samples s = Sample(from, to);
    std::vector<SkyEvent> out;
    for (int i = 1; i <= Bodies; ++i) {
        if (i <= 10) AddIngresses(s, i, out);
        if (i >= 3 && i <= 10) AddStations(s, i, out);
        for (int j = i + 1; j <= Bodies; ++j) {
            AddAspects(s, i, j, out);
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
