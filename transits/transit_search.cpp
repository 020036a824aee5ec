#include "transits/transit_search.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "aspectarian/hourly_sampling.h"
#include "core/angle_format.h"
#include "core/exact_moment.h"
#include "core/position_service.h"

namespace novarel {
namespace {

constexpr double HourInDays = 1.0 / 24;
constexpr double MinutesPerDay = 1440;
// The direction at a moment: the longitude five minutes on against five
// minutes back, as a station is the moment the two are equal.
constexpr double DirectionHalfStep = 5 / MinutesPerDay;

int SignOf(double longitude) { return static_cast<int>(LongitudeIn360(longitude) / 30) % 12 + 1; }

}  // namespace

TransitSearch::TransitSearch(const CalcRequest& request, EphemerisLibrary& library,
                             std::span<const NatalPoint> natal, MinorAspectSet minorAspects,
                             AspectarianState& samples, bool& fromAnalyticEphemeris)
    : request_(request),
      library_(library),
      natal_(natal),
      samples_(samples),
      places_(request, library, fromAnalyticEphemeris) {
    day_.minorAspects = minorAspects;
    day_.lastBody = request.lastBody();
    day_.bodyEventsOnly = true;
    day_.places = &places_;
    std::vector<std::pair<int, int>> targets;
    for (int a = Conjunction; a <= Quincunx; ++a) {
        if (a >= Semisextile && (minorAspects & MinorAspectBit(a)) == 0) continue;
        const int angle = static_cast<int>(AspectAngle(a));
        targets.emplace_back(angle, a);
        if (angle > 0 && angle < 180) targets.emplace_back(360 - angle, a);
    }
    std::sort(targets.begin(), targets.end());
    int grid = 360;
    for (const auto& [angle, aspect] : targets) {
        angles_.push_back(angle);
        aspects_.push_back(aspect);
        grid = std::gcd(grid, angle);
    }
    grid_ = grid;
}

void TransitSearch::SampleDay(double dayJD) {
    const bool follows = sampled_ && std::abs(dayJD - (lastDayJD_ + 1)) < 1e-9;
    if (follows) CarryLastSample(samples_);
    for (int sample = follows ? 1 : 0; sample < SamplesPerDay; ++sample) {
        const double jd = dayJD + sample * HourInDays;
        if (sample == 0)
            SetInitialDirections(jd, request_, library_, positions_, samples_);
        else
            ComputePositions(jd, request_, library_, positions_);
        StoreSample(sample, request_, positions_, samples_);
    }
    sampled_ = true;
    lastDayJD_ = dayJD;
}

void TransitSearch::SearchDay(double dayJD, std::vector<TransitEvent>& out) {
    SampleDay(dayJD);
    day_.dayJD = dayJD;
    FindDayEvents(day_, samples_);
    for (const AspectEvent& e : samples_.DayEvents) out.push_back(TransitEvent{e, -1, false});
    for (int body = Sun; body <= day_.lastBody; ++body)
        for (int h = 0; h < 24; ++h) FindAspects(body, h, out);
}

// Every moment in hour h at which the body's longitude less a natal
// longitude meets an aspect's separation. Between the samples the longitude
// is the cubic of their values and rates; where the cubic turns inside the
// hour, the library confirms that a crossing is real before it is settled.
void TransitSearch::FindAspects(int body, int h, std::vector<TransitEvent>& out) {
    const auto& lon = samples_.HourlyLongitudes[body];
    const auto& rate = samples_.HourlyLongitudeRates[body];
    const double hourJD = day_.dayJD + h * HourInDays;
    const HermiteSpan motion{lon[h], lon[h] + WrappedDegrees(lon[h + 1] - lon[h]), rate[h] / 24,
                             rate[h + 1] / 24};
    const MonotonicPieces pieces = SplitAtTurns(motion);
    for (std::size_t n = 0; n < natal_.size(); ++n) {
        const double natal = natal_[n].longitude;
        const HermiteSpan span{motion.v0 - natal, motion.v1 - natal, motion.r0, motion.r1};
        if (std::floor(span.v0 / grid_) == std::floor(span.v1 / grid_) && span.r0 * span.r1 > 0)
            continue;
        for (int p = 0; p + 1 < pieces.count; ++p) {
            const double a = pieces.at[static_cast<std::size_t>(p)];
            const double b = pieces.at[static_cast<std::size_t>(p + 1)];
            const double va = span.Value(a), vb = span.Value(b);
            const double low = std::min(va, vb), high = std::max(va, vb);
            for (std::size_t t = 0; t < angles_.size(); ++t) {
                const long firstTurn = static_cast<long>(std::floor((low - angles_[t]) / 360));
                const long lastTurn = static_cast<long>(std::floor((high - angles_[t]) / 360)) + 1;
                for (long m = firstTurn; m <= lastTurn; ++m) {
                    const double target = angles_[t] + 360.0 * static_cast<double>(m);
                    if (!Crosses(va, vb, target)) continue;
                    double longitude = 0;
                    const auto f = [&](double jd) {
                        longitude = places_.Longitude(jd, body);
                        return WrappedDegrees(longitude - natal - target);
                    };
                    const std::optional<double> settled =
                        SettleHourCrossing(f, span, a, b, hourJD, target);
                    if (!settled) continue;
                    const double moment = *settled;
                    const double place = longitude;
                    const double backward =
                        WrappedDegrees(places_.Longitude(moment + DirectionHalfStep, body) -
                                       places_.Longitude(moment - DirectionHalfStep, body));
                    TransitEvent te;
                    AspectEvent& e = te.event;
                    e.kind = EventKind::Aspect;
                    e.hour = h;
                    e.minute = std::clamp((moment - hourJD) * MinutesPerDay, 0.0, 60.0);
                    e.dayJD = day_.dayJD;
                    e.moment = moment;
                    e.body1 = body;
                    e.aspect = aspects_[t];
                    e.position1 = LongitudeIn360(place);
                    e.position2 = LongitudeIn360(natal);
                    e.sign = SignOf(place);
                    te.natalIndex = static_cast<int>(n);
                    te.retrograde = backward < 0;
                    out.push_back(te);
                }
            }
        }
    }
}

}  // namespace novarel
