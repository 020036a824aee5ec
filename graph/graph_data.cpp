#include "graph/graph_data.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

#include "core/angle_format.h"
#include "core/bodies.h"
#include "core/exact_moment.h"
#include "core/glyphs.h"
#include "core/position_service.h"
#include "graph/date_ticks.h"

namespace novarel::graph {
namespace {

// Half the interval over which a station's motion is measured: the library's
// longitudes over ten minutes.
constexpr double MotionHalfStep = 5.0 / 1440;

class PathSampler {
public:
    PathSampler(const CalcRequest& request, EphemerisLibrary& library)
        : request_(request), library_(library) {}

    double Longitude(double jd, int body) {
        return ComputeBodyPlace(jd, body, false, request_, library_, fromAnalytic_).longitude;
    }

    BodySeries Sample(int body, double startJd, double endJd) {
        BodySeries series{body, {}};
        const double step = SampleStepDays(body, endJd - startJd);
        const auto count = static_cast<long>(std::ceil((endJd - startJd) / step - 1e-9));
        series.samples.reserve(static_cast<std::size_t>(count + 1));
        for (long i = 0; i <= count; ++i) {
            const double jd = std::min(startJd + static_cast<double>(i) * step, endJd);
            series.samples.push_back({jd, Longitude(jd, body)});
        }
        return series;
    }

    // The turning point between samples a and c, where the motion changes sign.
    double StationMoment(int body, double lo, double hi) {
        const auto motion = [&](double jd) {
            return WrappedDegrees(Longitude(jd + MotionHalfStep, body) -
                                  Longitude(jd - MotionHalfStep, body));
        };
        const double mLo = motion(lo), mHi = motion(hi);
        if (mLo == 0) return lo;
        if ((mLo < 0) == (mHi < 0)) return (lo + hi) / 2;
        return FindBracketedRoot(motion, lo, hi, mLo, mHi);
    }

    // The moment the body is on boundary between two samples.
    double CrossingMoment(int body, double lo, double hi, double boundary) {
        const auto residual = [&](double jd) {
            return WrappedDegrees(Longitude(jd, body) - boundary);
        };
        const double rLo = residual(lo), rHi = residual(hi);
        if (rLo == 0) return lo;
        if ((rLo < 0) == (rHi < 0)) return (lo + hi) / 2;
        return FindBracketedRoot(residual, lo, hi, rLo, rHi);
    }

private:
    const CalcRequest& request_;
    EphemerisLibrary& library_;
    bool fromAnalytic_ = false;
};

// More ingresses than this of one body in the period are left unmarked:
// they would cover the sign lines that show them.
constexpr int MostIngressMarks = 24;

void DropCrowdedIngresses(int body, std::vector<GraphMarker>& markers, std::size_t from) {
    const auto ingress = [body](const GraphMarker& m) {
        return m.body == body && m.kind == MarkerKind::Ingress;
    };
    if (std::count_if(markers.begin() + static_cast<std::ptrdiff_t>(from), markers.end(), ingress) >
        MostIngressMarks)
        markers.erase(std::remove_if(markers.begin() + static_cast<std::ptrdiff_t>(from),
                                     markers.end(), ingress),
                      markers.end());
}

bool HasStations(int body) { return body != Sun && body != Moon && body != NorthNode; }

// The Moon enters a sign every two and a half days: its ingresses would bury
// the other markers, and its path shows them plainly.
bool HasIngressMarks(int body) { return body != Moon; }

void FindMarkers(const BodySeries& series, PathSampler& sampler, std::vector<GraphMarker>& out) {
    const auto& s = series.samples;
    const int body = series.body;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const double step = WrappedDegrees(s[i].longitude - s[i - 1].longitude);
        if (HasIngressMarks(body)) {
            const double from = s[i - 1].longitude;
            const double to = from + step;
            const double signFrom = std::floor(from / 30), signTo = std::floor(to / 30);
            if (signFrom != signTo) {
                const double boundary = LongitudeIn360(30 * std::max(signFrom, signTo));
                const double jd = sampler.CrossingMoment(body, s[i - 1].jd, s[i].jd, boundary);
                // Going back over a boundary enters the sign before it.
                const int entered = step > 0 ? static_cast<int>(boundary / 30) + 1
                                             : (static_cast<int>(boundary / 30) + 11) % 12 + 1;
                out.push_back({MarkerKind::Ingress, body, jd, boundary, entered});
            }
        }
        if (HasStations(body) && i + 1 < s.size()) {
            const double nextStep = WrappedDegrees(s[i + 1].longitude - s[i].longitude);
            if ((step > 0) != (nextStep > 0) && step != 0) {
                const double jd = sampler.StationMoment(body, s[i - 1].jd, s[i + 1].jd);
                out.push_back({step > 0 ? MarkerKind::StationRetrograde : MarkerKind::StationDirect,
                               body, jd, LongitudeIn360(sampler.Longitude(jd, body)), 0});
            }
        }
    }
}

// The New and Full Moons of the period: where the Moon's elongation from
// the Sun passes 0° or 180°, from daily samples (it gains about 12° a day).
void FindLunations(double startJd, double endJd, PathSampler& sampler,
                   std::vector<GraphMarker>& out) {
    const auto elongation = [&](double jd) {
        return LongitudeIn360(sampler.Longitude(jd, Moon) - sampler.Longitude(jd, Sun));
    };
    double before = elongation(startJd);
    for (double jd = startJd; jd < endJd; jd += 1) {
        const double next = std::min(jd + 1, endJd);
        const double after = elongation(next);
        for (const double target : {0.0, 180.0}) {
            const auto residual = [&](double t) { return WrappedDegrees(elongation(t) - target); };
            const double rLo = WrappedDegrees(before - target),
                         rHi = WrappedDegrees(after - target);
            if (rLo >= 0 || rHi < 0 || rHi - rLo > 90) continue;
            const double moment = FindBracketedRoot(residual, jd, next, rLo, rHi);
            out.push_back({target == 0 ? MarkerKind::NewMoon : MarkerKind::FullMoon, Moon, moment,
                           LongitudeIn360(sampler.Longitude(moment, Moon)), 0});
        }
        before = after;
    }
}

std::string Utf8(char32_t cp) {
    std::string text;
    glyph::AppendUtf8(text, cp);
    return text;
}

}  // namespace

double SampleStepDays(int body, double periodDays) {
    if (body == Moon) return 0.125;
    return std::clamp(periodDays / 1500, 0.25, 1.0);
}

std::vector<int> DefaultGraphBodies() {
    std::vector<int> bodies;
    for (int b = Sun; b <= Pluto; ++b) bodies.push_back(b);
    return bodies;
}

double MidnightJd(const CivilDate& date) {
    return CalendarToJulianDay(date.year, date.month, date.day) - 0.5;
}

std::string GraphRequestProblem(const GraphRequest& request) {
    const double days = MidnightJd(request.last) + 1 - MidnightJd(request.first);
    if (days < ShortestPeriodDays)
        return fmt::format("the period of {} days is shorter than {} days", days,
                           ShortestPeriodDays);
    if (days > LongestPeriodDays)
        return fmt::format("the period of {} days is longer than ten years", days);
    if (request.bodies.empty()) return "no body is chosen";
    for (int body : request.bodies) {
        if (body < Sun || body > Lilith) return fmt::format("{} is no body", body);
        if (body > NorthNode && !request.positions.extraBodies)
            return fmt::format("{} needs the extra bodies", Body(body).name);
    }
    return {};
}

std::vector<NatalLine> NatalLines(std::span<const NatalPoint> natal) {
    std::vector<NatalLine> lines;
    for (const NatalPoint& p : natal) {
        std::string label = p.angle == NatalAngle::Ascendant   ? "Asc"
                            : p.angle == NatalAngle::Midheaven ? "MC"
                                                               : Utf8(Body(p.bodyIndex).unicode);
        lines.push_back({p, std::move(label)});
    }
    return lines;
}

GraphData ComputeGraph(const GraphRequest& request, std::span<const NatalPoint> natal,
                       EphemerisLibrary& library) {
    GraphData data;
    data.dial = request.dial;
    data.startJd = MidnightJd(request.first);
    data.endJd = MidnightJd(request.last) + 1;
    CalcRequest positions = request.positions;
    positions.coordinates = Centre::Geo;
    PathSampler sampler(positions, library);
    for (int body : request.bodies) {
        data.series.push_back(sampler.Sample(body, data.startJd, data.endJd));
        const std::size_t from = data.markers.size();
        FindMarkers(data.series.back(), sampler, data.markers);
        DropCrowdedIngresses(body, data.markers, from);
    }
    if (request.lunations) FindLunations(data.startJd, data.endJd, sampler, data.markers);
    std::sort(data.markers.begin(), data.markers.end(),
              [](const GraphMarker& a, const GraphMarker& b) { return a.jd < b.jd; });
    data.natal = NatalLines(natal);
    return data;
}

GraphReading ReadAt(const GraphData& data, double jd) {
    GraphReading reading{std::clamp(jd, data.startJd, data.endJd), {}};
    for (const BodySeries& series : data.series) {
        const auto& s = series.samples;
        if (s.empty()) continue;
        const auto after =
            std::lower_bound(s.begin(), s.end(), reading.jd,
                             [](const LongitudeSample& sample, double t) { return sample.jd < t; });
        const std::size_t hi = std::min<std::size_t>(
            static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - s.begin(), 1)), s.size() - 1);
        const std::size_t lo = hi > 0 ? hi - 1 : 0;
        const double step = WrappedDegrees(s[hi].longitude - s[lo].longitude);
        const double span = s[hi].jd - s[lo].jd;
        const double f = span > 0 ? std::clamp((reading.jd - s[lo].jd) / span, 0.0, 1.0) : 0;
        reading.bodies.push_back(
            {series.body, LongitudeIn360(s[lo].longitude + f * step), step < 0});
    }
    return reading;
}

std::string LongitudeText(double longitude) {
    const double l = LongitudeIn360(longitude);
    auto minutes = static_cast<long>(std::floor(l * 60 + 0.5));
    if (minutes >= 360 * 60) minutes = 0;
    const long sign = minutes / (30 * 60);
    const long inSign = minutes % (30 * 60);
    return fmt::format("{}°{}{:02}′", inSign / 60, Utf8(static_cast<char32_t>(0x2648 + sign)),
                       inSign % 60);
}

std::string ReadingText(const GraphReading& reading) {
    const MinuteOfDay at = RoundedToMinute(reading.jd);
    std::string text = fmt::format("{} {:02}:{:02} UT", DayText(at.date), at.hour, at.minute);
    for (const BodyReading& b : reading.bodies) {
        text += "  " + Utf8(Body(b.body).unicode) + " " + LongitudeText(b.longitude);
        if (b.retrograde) text += " " + Utf8(U'\u211E');
    }
    return text;
}

}  // namespace novarel::graph
