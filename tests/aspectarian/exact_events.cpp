#include "tests/aspectarian/exact_events.h"

#include <array>
#include <cmath>
#include <functional>

namespace novarel::test {
namespace {

constexpr std::int32_t GeoFlags = 2 + 256;  // library files, speed

double Wrap180(double x) { return x - 360 * std::floor((x + 180) / 360); }

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

// Geocentric tropical longitude and its daily speed at jd UT.
std::array<double, 2> LongitudeAndSpeed(EphemerisLibrary& lib, double jd, int bodyIndex) {
    double xx[6];
    char serr[256];
    lib.calc(jd + lib.deltat(jd), bodyIndex == 1 ? 0 : bodyIndex - 1, GeoFlags, xx, serr);
    return {xx[0], xx[3]};
}

}  // namespace

double Longitude(EphemerisLibrary& lib, double jd, int body) {
    return LongitudeAndSpeed(lib, jd, body)[0];
}

std::vector<ExactEvent> ExactLunations(EphemerisLibrary& lib, double from, double to) {
    std::vector<ExactEvent> out;
    constexpr double Step = 0.25;
    for (int angle = 0; angle < 360; angle += 90) {
        auto g = [&](double t) {
            return Wrap180(Longitude(lib, t, 2) - Longitude(lib, t, 1) - angle);
        };
        double prev = g(from);
        for (double t = from; t < to; t += Step) {
            const double next = g(t + Step);
            // The angle grows by about 3 degrees per step; a jump is the far side.
            if (prev < 0 && next >= 0 && next - prev < 90)
                out.push_back({Bisect(g, t, t + Step), angle});
            prev = next;
        }
    }
    return out;
}

std::vector<ExactEvent> ExactSunIngresses(EphemerisLibrary& lib, double from, double to) {
    std::vector<ExactEvent> out;
    constexpr double Step = 0.5;
    auto sign = [&](double t) {
        return static_cast<int>(std::floor(Longitude(lib, t, 1) / 30)) + 1;
    };
    int prev = sign(from);
    for (double t = from; t < to; t += Step) {
        const int next = sign(t + Step);
        if (next != prev) {
            const double boundary = 30.0 * (next - 1);
            auto g = [&](double x) { return Wrap180(Longitude(lib, x, 1) - boundary); };
            out.push_back({Bisect(g, t, t + Step), next});
        }
        prev = next;
    }
    return out;
}

std::vector<ExactEvent> ExactStations(EphemerisLibrary& lib, int body, double from, double to) {
    std::vector<ExactEvent> out;
    constexpr double Step = 0.5;
    auto speed = [&](double t) { return LongitudeAndSpeed(lib, t, body)[1]; };
    double prev = speed(from);
    for (double t = from; t < to; t += Step) {
        const double next = speed(t + Step);
        if ((prev < 0) != (next < 0))
            out.push_back({Bisect(speed, t, t + Step), 0, body, next < 0});
        prev = next;
    }
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
