#include "aspectarian/day_events.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <span>
#include <utility>
#include <vector>

#include "core/angle_format.h"
#include "core/exact_moment.h"
#include "core/fixed_format.h"
#include "core/glyphs.h"
#include "core/positions.h"

namespace novarel {
namespace {

using Aspect = AspectNumber;

constexpr double HourInDays = 1.0 / 24;
constexpr double MinutesPerDay = 1440;
// A station is the moment the longitude five minutes on equals the longitude
// five minutes back: the turning point itself, not the sign of the library's
// speed, which leaves out part of the nutation's rate.
constexpr double StationHalfStep = 5 / MinutesPerDay;

// Sign of a longitude, 1 Aries .. 12 Pisces.
int SignOf(double longitude) { return static_cast<int>(LongitudeIn360(longitude) / 30) % 12 + 1; }

// Sign entered when a longitude crosses 30 k upward or downward.
int SignEntered(long k, bool rising) {
    const long below = rising ? k : k - 1;
    return static_cast<int>(((below % 12) + 12) % 12) + 1;
}

// The separations at which an aspect is exact, in 0..360 ascending, each with
// its aspect: the five and the minor aspects chosen. Every one is a multiple
// of grid degrees.
struct AspectTargets {
    std::vector<double> angles;
    std::vector<Aspect> aspects;
    double grid = 360;
};

AspectTargets TargetsOf(MinorAspectSet minor) {
    std::vector<std::pair<int, Aspect>> targets;
    for (int a = Conjunction; a <= Quincunx; ++a) {
        if (a >= Semisextile && (minor & MinorAspectBit(a)) == 0) continue;
        const int angle = static_cast<int>(AspectAngle(a));
        targets.emplace_back(angle, static_cast<Aspect>(a));
        if (angle > 0 && angle < 180) targets.emplace_back(360 - angle, static_cast<Aspect>(a));
    }
    std::sort(targets.begin(), targets.end());
    AspectTargets t;
    int grid = 360;
    for (const auto& [angle, aspect] : targets) {
        t.angles.push_back(angle);
        t.aspects.push_back(aspect);
        grid = std::gcd(grid, angle);
    }
    t.grid = grid;
    return t;
}

// Targets repeating every period: period m + offsets[n] is target number
// m * offsets.size() + n. A period of 0 stands for the one target 0.
struct Targets {
    double period = 0;
    std::span<const double> offsets;  // ascending, in [0, period)

    std::size_t Count() const { return period > 0 ? offsets.size() : 1; }
    double At(long m, std::size_t n) const {
        return period > 0 ? period * static_cast<double>(m) + offsets[n] : 0;
    }
};

const char* PhaseName(Aspect aspect) {
    return aspect == Conjunction  ? "New Moon"
           : aspect == Square     ? "Quarter Moon"
           : aspect == Opposition ? "Full Moon"
                                  : "";
}

// The eclipse said of a New Moon (conjunction) or Full Moon (opposition) at
// its moment: the library's eclipse search decides.
const char* EclipseName(Aspect lunation, const DaySearch& day, double moment) {
    if (day.eclipses == nullptr) return "";
    if (lunation == Conjunction && day.eclipses->AtLunation(EclipseKind::Solar, moment))
        return "solar";
    if (lunation == Opposition && day.eclipses->AtLunation(EclipseKind::Lunar, moment))
        return "lunar";
    return "";
}

constexpr std::array<double, 1> SignBoundaries{0};

// A quantity meeting one of its targets at an exact moment.
struct Crossing {
    double moment = 0;
    long k = 0;  // the target's number
    bool rising = false;
    EventKind kind = EventKind::Aspect;  // parallels: which of the two
};

// The search over one day: every pair of bodies hour by hour, each kind of
// event in its own step. The steps keep this order per pair and hour: the
// day's lines are then sorted by time with a sort that is not stable, so the
// order in which they are added shows in the report.
class DayEventSearch {
public:
    DayEventSearch(const DaySearch& day, AspectarianState& a)
        : day_(day), a_(a), places_(*day.places) {
        if (day.noMoonIngress) noIngress_[Moon] = 1;
        stationDone_[Sun] = 1;
        stationDone_[Moon] = 1;
    }

    void Run() {
        const bool helio = day_.heliocentric;
        const int last = day_.lastBody;
        for (int i = Sun; i < last; ++i) {
            if (helio && i == Moon) continue;
            bool firstPair = true;
            for (int j = i + 1; j <= last; ++j) {
                if (helio && j == Moon) continue;
                for (int h = 0; h < 24; ++h) {
                    // The node is listed in aspects and parallels only.
                    if (firstPair && i != NorthNode) FindIngresses(i, h);
                    // The heliocentric node takes part in no aspect or parallel.
                    if (helio && (i == NorthNode || j == NorthNode)) continue;
                    if (i != NorthNode) FindStation(i, h);
                    FindAspects(i, j, h);
                    FindParallels(i, j, h);
                }
                firstPair = false;
            }
        }
        // The last of the extra bodies is never the first of a pair.
        if (last > NorthNode)
            for (int h = 0; h < 24; ++h) FindIngresses(last, h);
    }

private:
    double HourJD(int h) const { return day_.dayJD + h * HourInDays; }

    HermiteSpan LongitudeSpan(int body, int h) const {
        const auto& lon = a_.HourlyLongitudes[body];
        const auto& rate = a_.HourlyLongitudeRates[body];
        return {lon[h], lon[h] + WrappedDegrees(lon[h + 1] - lon[h]), rate[h] / 24,
                rate[h + 1] / 24};
    }

    // The longitude of body i less that of body j.
    HermiteSpan SeparationSpan(int i, int j, int h) const {
        const auto& li = a_.HourlyLongitudes[i];
        const auto& lj = a_.HourlyLongitudes[j];
        const auto& ri = a_.HourlyLongitudeRates[i];
        const auto& rj = a_.HourlyLongitudeRates[j];
        const double start = li[h] - lj[h];
        return {start, start + WrappedDegrees(li[h + 1] - lj[h + 1] - start), (ri[h] - rj[h]) / 24,
                (ri[h + 1] - rj[h + 1]) / 24};
    }

    // Declinations (latitudes) of i and j, added (sign +1) or subtracted (-1).
    HermiteSpan ParallelSpan(int i, int j, int h, double sign) const {
        const auto& di = a_.HourlyDeclinations[i];
        const auto& dj = a_.HourlyDeclinations[j];
        const auto& ri = a_.HourlyDeclinationRates[i];
        const auto& rj = a_.HourlyDeclinationRates[j];
        return {di[h] + sign * dj[h], di[h + 1] + sign * dj[h + 1], (ri[h] + sign * rj[h]) / 24,
                (ri[h + 1] + sign * rj[h + 1]) / 24};
    }

    // Every moment in hour h at which the quantity, known by its span, meets
    // one of the targets that is wanted(k, rising), k the target's number.
    // residual(jd, target) is the library's quantity at jd less the target.
    // Crossings come in time order, each moment the last evaluated.
    template <typename Wanted, typename Residual, typename OnCrossing>
    void FindCrossings(const HermiteSpan& span, const Targets& targets, int h, Wanted&& wanted,
                       Residual&& residual, OnCrossing&& onCrossing) {
        const MonotonicPieces pieces = SplitAtTurns(span);
        const double hourJD = HourJD(h);
        const auto count = static_cast<long>(targets.Count());
        for (int p = 0; p + 1 < pieces.count; ++p) {
            const double a = pieces.at[static_cast<std::size_t>(p)];
            const double b = pieces.at[static_cast<std::size_t>(p + 1)];
            const double va = span.Value(a), vb = span.Value(b);
            const bool rising = vb > va;
            long first = 0, last = 0;
            if (targets.period > 0) {
                first = static_cast<long>(std::floor(std::min(va, vb) / targets.period));
                last = static_cast<long>(std::floor(std::max(va, vb) / targets.period));
            }
            const long spanCount = (last - first + 1) * count;
            for (long n = 0; n < spanCount; ++n) {
                const long index = rising ? n : spanCount - 1 - n;
                const long m = first + index / count;
                const auto offset = static_cast<std::size_t>(index % count);
                const long k = m * count + static_cast<long>(offset);
                const double target = targets.At(m, offset);
                if (!Crosses(va, vb, target) || !wanted(k, rising)) continue;
                const auto f = [&](double jd) { return residual(jd, target); };
                if (const std::optional<double> moment =
                        SettleHourCrossing(f, span, a, b, hourJD, target))
                    onCrossing(Crossing{*moment, k, rising});
            }
        }
    }

    AspectEvent& Add(EventKind kind, int hour, double moment, int body1, int body2) {
        AspectEvent e;
        e.kind = kind;
        e.hour = hour;
        e.minute = std::clamp((moment - HourJD(hour)) * MinutesPerDay, 0.0, 60.0);
        e.dayJD = day_.dayJD;
        e.moment = moment;
        e.body1 = body1;
        e.body2 = body2;
        e.heliocentric = day_.heliocentric;
        a_.DayEvents.push_back(e);
        return a_.DayEvents.back();
    }

    bool IngressListed(int body, int entered) const {
        if (noIngress_[body] != 0) return false;
        if (body == Moon)
            return !day_.cardinalMoonIngressOnly || entered == 1 || entered == 4 || entered == 7 ||
                   entered == 10;
        return !day_.moonChangeOnly;
    }

    // Every sign boundary the body crosses in the hour, either way.
    void FindIngresses(int body, int h) {
        const HermiteSpan span = LongitudeSpan(body, h);
        if (std::floor(span.v0 / 30) == std::floor(span.v1 / 30) && span.r0 * span.r1 > 0) return;
        double longitude = 0;
        const auto residual = [&](double jd, double target) {
            longitude = places_.Longitude(jd, body);
            return WrappedDegrees(longitude - target);
        };
        const auto wanted = [&](long k, bool rising) {
            return IngressListed(body, SignEntered(k, rising));
        };
        FindCrossings(span, Targets{30, SignBoundaries}, h, wanted, residual,
                      [&](const Crossing& c) {
                          AspectEvent& e = Add(EventKind::Ingress, h, c.moment, body, 0);
                          e.sign = SignEntered(c.k, c.rising);
                          e.position1 = LongitudeIn360(longitude);
                      });
    }

    // The turning point of the longitude near the hour the samples showed it.
    double StationMoment(int body, double seenJD, double& longitude) {
        const auto motion = [&](double jd) {
            return WrappedDegrees(places_.Longitude(jd + StationHalfStep, body) -
                                  places_.Longitude(jd - StationHalfStep, body));
        };
        // Within an hour either side of the sample; further in case.
        for (const double reach : {65 / MinutesPerDay, 3 * HourInDays}) {
            const double lo = seenJD - reach, hi = seenJD + reach;
            const double mLo = motion(lo), mHi = motion(hi);
            if (mLo == 0 || (mLo < 0) == (mHi < 0)) continue;
            const double moment = FindBracketedRoot(motion, lo, hi, mLo, mHi);
            longitude = places_.Longitude(moment, body);
            return moment;
        }
        longitude = places_.Longitude(seenJD, body);
        return seenJD;
    }

    void RecordStation(int body, int hour, int code, double moment, double longitude) {
        if (a_.StationRecords.size() >= static_cast<std::size_t>(MaxStationRecords)) return;
        a_.StationRecords.push_back(
            StationRecord{body, code, hour, day_.dayJD, HourJD(hour), moment, longitude});
        a_.StationCount = static_cast<std::int16_t>(a_.StationRecords.size());
    }

    // Seen in the hour whose sampled motion first goes the other way; the
    // moment is then found exactly.
    void FindStation(int body, int h) {
        if (stationDone_[body] != 0 || day_.heliocentric) return;
        const auto& lon = a_.HourlyLongitudes[body];
        double start = lon[h];
        const double end = lon[h + 1];
        // The start brought next to the end when the body passed 0 Aries.
        const double d = end - start;
        if (d > 200)
            start += 360;
        else if (d < -200)
            start -= 360;
        else if (d > 20)
            start += 180;
        else if (d < -20)
            start -= 180;
        const double m = end - start;
        int code = 0;
        if (a_.DirectionFlags[body] == 1 && ((m > -1 && m < 0) || m > 358)) {
            a_.DirectionFlags[body] = 0;
            code = glyph::StationRetrograde;
        } else if (a_.DirectionFlags[body] == 0 && ((m > 0 && m < 1) || m < -358)) {
            a_.DirectionFlags[body] = 1;
            code = glyph::StationDirect;
        }
        if (code == 0 || day_.moonChangeOnly) return;
        double longitude = 0;
        const double moment = StationMoment(body, HourJD(h), longitude);
        AspectEvent& e = Add(EventKind::Station, h, HourJD(h), body, 0);
        e.moment = moment;
        e.retrograde = code == glyph::StationRetrograde;
        e.position1 = LongitudeIn360(longitude);
        e.sign = SignOf(longitude);
        stationDone_[body] = 1;
        RecordStation(body, h, code, moment, longitude);
    }

    // Every moment the separation of the two is one of the aspects listed.
    void FindAspects(int i, int j, int h) {
        if (day_.moonChangeOnly || day_.bodyEventsOnly) return;
        const HermiteSpan span = SeparationSpan(i, j, h);
        const double grid = aspectTargets_.grid;
        if (std::floor(span.v0 / grid) == std::floor(span.v1 / grid) && span.r0 * span.r1 > 0)
            return;
        double li = 0, lj = 0;
        const auto residual = [&](double jd, double target) {
            li = places_.Longitude(jd, i);
            lj = places_.Longitude(jd, j);
            return WrappedDegrees(li - lj - target);
        };
        const auto count = static_cast<long>(aspectTargets_.aspects.size());
        FindCrossings(
            span, Targets{360, aspectTargets_.angles}, h, [](long, bool) { return true; }, residual,
            [&](const Crossing& c) {
                const Aspect aspect =
                    aspectTargets_.aspects[static_cast<std::size_t>((c.k % count + count) % count)];
                const char* phase = i == Sun && j == Moon ? PhaseName(aspect) : "";
                const char* eclipse = *phase != 0 ? EclipseName(aspect, day_, c.moment) : "";
                const EventKind kind = *eclipse != 0 ? EventKind::Eclipse
                                       : *phase != 0 ? EventKind::Lunation
                                                     : EventKind::Aspect;
                AspectEvent& e = Add(kind, h, c.moment, i, j);
                e.aspect = aspect;
                e.position1 = LongitudeIn360(li);
                e.position2 = LongitudeIn360(lj);
                e.sign = SignOf(li);
                e.phase = phase;
                e.eclipse = eclipse;
                if (*eclipse != 0)
                    e.eclipseDetails = day_.eclipses->Details(
                        aspect == Conjunction ? EclipseKind::Solar : EclipseKind::Lunar);
            });
    }

    // Equal declinations (latitudes when heliocentric) are parallels, equal
    // and opposite ones contraparallels; in the hour in time order.
    void FindParallels(int i, int j, int h) {
        if (day_.moonChangeOnly || day_.bodyEventsOnly) return;
        crossings_.clear();
        parallelPlaces_.clear();
        double di = 0, dj = 0;
        for (const double sign : {-1.0, 1.0}) {
            const HermiteSpan span = ParallelSpan(i, j, h, sign);
            if ((span.v0 < 0) == (span.v1 < 0) && span.r0 * span.r1 > 0) continue;
            const EventKind kind = sign < 0 ? EventKind::Parallel : EventKind::Contraparallel;
            const auto residual = [&](double jd, double) {
                di = places_.ParallelCoordinate(jd, i);
                dj = places_.ParallelCoordinate(jd, j);
                return di + sign * dj;
            };
            FindCrossings(
                span, Targets{}, h, [](long, bool) { return true; }, residual,
                [&](const Crossing& c) {
                    crossings_.push_back(c);
                    crossings_.back().kind = kind;
                    parallelPlaces_.push_back({di, dj});
                });
        }
        if (crossings_.empty()) return;
        std::vector<std::size_t> order(crossings_.size());
        for (std::size_t n = 0; n < order.size(); ++n) order[n] = n;
        std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
            return crossings_[x].moment < crossings_[y].moment;
        });
        for (const std::size_t n : order) {
            AspectEvent& e = Add(crossings_[n].kind, h, crossings_[n].moment, i, j);
            e.position1 = parallelPlaces_[n][0];
            e.position2 = parallelPlaces_[n][1];
        }
    }

    const DaySearch& day_;
    AspectarianState& a_;
    EventPlaces& places_;
    const AspectTargets aspectTargets_ = TargetsOf(day_.minorAspects);
    IntIndexed<int, BodyRows> noIngress_{};
    IntIndexed<int, BodyRows> stationDone_{};
    std::vector<Crossing> crossings_;
    std::vector<std::array<double, 2>> parallelPlaces_;
};

}  // namespace

std::string ClockText(int hour, double minute) {
    if (!(minute >= 0)) minute = 0;
    if (minute > 60) minute = 60;
    std::string mm = FormatFixed(minute, 2, 0);
    if (mm == "60") {
        if (hour < 23) {
            ++hour;
            mm = "00";
        } else {
            mm = "59";
        }
    }
    return fmt::format("{:02}:", hour) + mm;
}

void FindDayEvents(const DaySearch& day, AspectarianState& a) {
    a.DayEvents.clear();
    DayEventSearch(day, a).Run();
    a.EventLines.clear();
    for (const AspectEvent& e : a.DayEvents) a.EventLines.push_back(EventLineText(e, day.dayLabel));
}

}  // namespace novarel
