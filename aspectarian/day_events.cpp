#include "aspectarian/day_events.h"

#include <fmt/format.h>

#include <cmath>
#include <optional>

#include "core/angle_format.h"
#include "core/fixed_format.h"
#include "core/glyphs.h"
#include "core/positions.h"

namespace novarel {
namespace {

using Aspect = AspectNumber;

// Sign of a longitude, 1 Aries .. 12 Pisces; 0 or 13 just outside 0..360.
double SignOf(double x) { return std::floor(std::floor(x) / 30) + 1; }

double InSignDegrees(double x) { return x - 30 * (SignOf(x) - 1); }

// Brings the start of the hour next to its end when the body passed 0 Aries.
void UnwrapStart(double& x0, double x1) {
    const double d = x1 - x0;
    if (d > 200)
        x0 += 360;
    else if (d < -200)
        x0 -= 360;
    else if (d > 20)
        x0 += 180;
    else if (d < -20)
        x0 -= 180;
}

double HourlyMotion(double x0, double x1) {
    double d = x1 - x0;
    if (d < -20)
        d += 360;
    else if (d > 20)
        d -= 360;
    return d;
}

// Raised by 30 near 0 so that a sign boundary lies at 30 from either side.
double RaisedNearZero(double v) { return std::fabs(v) < 5 ? v + 30 : v; }

// Values that straddle a sign boundary (all near 30 or near 0, not all on one
// side) are brought onto one side so that their crossing can be found.
void AlignAtSignBoundary(double& f0, double& f1, double& s0, double& s1) {
    double* v[] = {&f0, &f1, &s0, &s1};
    bool allHigh = true, allLow = true;
    for (double* p : v) {
        if (!(*p > 28 || *p < 5)) return;
        allHigh = allHigh && *p > 28;
        allLow = allLow && *p < 5;
    }
    if (allHigh || allLow) return;
    for (double* p : v)
        if (*p < 5) *p += 30;
}

Aspect AspectOf(double separation) {
    if (separation < 1) return Conjunction;
    if (separation > 59 && separation < 61) return Sextile;
    if (separation > 89 && separation < 91) return Square;
    if (separation > 119 && separation < 121) return Trine;
    if (separation > 179 && separation < 181) return Opposition;
    return NoAspect;
}

// The eclipse said of a New Moon (conjunction) or Full Moon (opposition) at
// minute m of hour h: the library's eclipse search decides.
const char* EclipseName(Aspect lunation, const DaySearch& day, int hour, double minute) {
    if (day.eclipses == nullptr) return "";
    const double moment = day.dayJD + hour / 24.0 + minute / 1440;
    if (lunation == Conjunction && day.eclipses->AtLunation(EclipseKind::Solar, moment))
        return "solar";
    if (lunation == Opposition && day.eclipses->AtLunation(EclipseKind::Lunar, moment))
        return "lunar";
    return "";
}

const char* PhaseName(Aspect aspect) {
    return aspect == Conjunction  ? "New Moon"
           : aspect == Square     ? "Quarter Moon"
           : aspect == Opposition ? "Full Moon"
                                  : "";
}

// A longitude brought once into 0..360, as the lunation's Moon is shown.
double Normalised(double longitude) {
    if (longitude < 0) longitude += 360;
    if (longitude >= 360) longitude -= 360;
    return longitude;
}

void RecordStation(const DaySearch& day, AspectarianState& a, int body, int hour, int code) {
    if (a.StationRecords.size() >= static_cast<std::size_t>(MaxStationRecords)) return;
    a.StationRecords.push_back(StationRecord{body, code, hour, day.dayJD, day.dayJD + hour / 24.0});
    a.StationCount = static_cast<std::int16_t>(a.StationRecords.size());
}

// One body's longitude over hour h, its start brought next to its end.
struct HourSpan {
    double start = 0;
    double end = 0;
};

// The minute of hour h at which two declinations are equal or opposite: the
// crossing of either through 0 first, else the meeting of their sizes.
std::optional<double> ParallelMinute(double f0, double f1, double s0, double s1) {
    if ((f0 <= 0 && f1 >= 0) || (s0 <= 0 && s1 >= 0) || (f0 >= 0 && f1 <= 0) ||
        (s0 >= 0 && s1 <= 0)) {
        const double t = CrossingFraction(f0, f1, s0, s1);
        if (t >= 0 && t <= 1) return 60 * t;
    }
    const double af0 = std::fabs(f0), af1 = std::fabs(f1);
    const double as0 = std::fabs(s0), as1 = std::fabs(s1);
    if ((af0 <= as0 && af1 >= as1) || (af0 >= as0 && af1 <= as1)) {
        const double divisor = (as1 - as0) - af1 + af0;
        if (divisor != 0) return 60 * (af0 - as0) / divisor;
    }
    return std::nullopt;
}

// The search over one day: every pair of bodies hour by hour, each kind of
// event in its own step. The steps keep this order per pair and hour: the
// day's lines are then sorted by time with a sort that is not stable, so the
// order in which they are added shows in the report.
class DayEventSearch {
public:
    DayEventSearch(const DaySearch& day, AspectarianState& a) : day_(day), a_(a) {
        if (day.noMoonIngress) ingressDone_[Moon] = 1;
        stationDone_[Sun] = 1;
        stationDone_[Moon] = 1;
    }

    void Run() {
        const bool helio = day_.heliocentric;
        for (int i = Sun; i <= Pluto; ++i) {
            if (helio && i == Moon) continue;
            for (int j = i + 1; j <= NorthNode; ++j) {
                if (helio && j == Moon) continue;
                for (int h = 0; h < 24; ++h) {
                    FindIngress(i, h);
                    // The heliocentric node takes part in no aspect or parallel.
                    if (helio) {
                        if (i == Pluto) continue;
                        if (j == NorthNode) break;
                    }
                    FindStation(i, h);
                    FindAspect(i, j, h);
                    FindParallel(i, j, h);
                }
            }
        }
    }

private:
    HourSpan Longitudes(int body, int h) const {
        HourSpan x{a_.HourlyLongitudes[body][h], a_.HourlyLongitudes[body][h + 1]};
        UnwrapStart(x.start, x.end);
        return x;
    }

    AspectEvent& Add(EventKind kind, int hour, double minute, int body1, int body2) {
        AspectEvent e;
        e.kind = kind;
        e.hour = hour;
        e.minute = minute;
        e.dayJD = day_.dayJD;
        e.moment = day_.dayJD + hour / 24.0 + minute / 1440;
        e.body1 = body1;
        e.body2 = body2;
        e.heliocentric = day_.heliocentric;
        a_.DayEvents.push_back(e);
        return a_.DayEvents.back();
    }

    void AddIngress(int body, int h, double m, int entered, double longitude) {
        AspectEvent& e = Add(EventKind::Ingress, h, m, body, 0);
        e.sign = entered;
        e.position1 = Normalised(longitude);
        ingressDone_[body] = 1;
    }

    void FindIngress(int body, int h) {
        if (ingressDone_[body] != 0) return;
        const HourSpan x = Longitudes(body, h);
        const double signBefore = SignOf(x.start);
        const double signAfter = SignOf(x.end);
        if (signBefore == signAfter) return;
        const double a0 = RaisedNearZero(InSignDegrees(x.start));
        const double a1 = RaisedNearZero(InSignDegrees(x.end));
        if (a0 == a1) return;
        const double m = 60 * (a0 - 30) / (a0 - a1);
        const int entered = static_cast<int>(signAfter);
        if (body == Moon) {
            if (!day_.cardinalMoonIngressOnly || entered == 1 || entered == 4 || entered == 7 ||
                entered == 10) {
                AddIngress(body, h, m, entered, x.end);
            }
        } else if (!day_.moonChangeOnly) {
            AddIngress(body, h, m, entered, x.end);
        }
    }

    // To the hour; the retrograde listing refines it to the minute.
    void FindStation(int body, int h) {
        if (stationDone_[body] != 0 || day_.heliocentric) return;
        const HourSpan x = Longitudes(body, h);
        const double m = x.end - x.start;
        int code = 0;
        if (a_.DirectionFlags[body] == 1 && ((m > -1 && m < 0) || m > 358)) {
            a_.DirectionFlags[body] = 0;
            code = glyph::StationRetrograde;
        } else if (a_.DirectionFlags[body] == 0 && ((m > 0 && m < 1) || m < -358)) {
            a_.DirectionFlags[body] = 1;
            code = glyph::StationDirect;
        }
        if (code == 0 || day_.moonChangeOnly) return;
        AspectEvent& e = Add(EventKind::Station, h, 0, body, 0);
        e.retrograde = code == glyph::StationRetrograde;
        e.position1 = Normalised(x.start);
        e.sign = static_cast<int>(SignOf(e.position1));
        stationDone_[body] = 1;
        RecordStation(day_, a_, body, h, code);
    }

    // Equal degrees within the signs, then the real angle names the aspect.
    void FindAspect(int i, int j, int h) {
        const HourSpan a = Longitudes(i, h);
        const HourSpan b = Longitudes(j, h);
        const double dA = HourlyMotion(a.start, a.end);
        const double dB = HourlyMotion(b.start, b.end);
        const bool iFaster = dA > dB;
        const HourSpan& fast = iFaster ? a : b;
        const HourSpan& slow = iFaster ? b : a;
        const double dF = iFaster ? dA : dB;
        const double dS = iFaster ? dB : dA;
        double F0 = InSignDegrees(fast.start);
        double F1 = InSignDegrees(fast.end);
        double S0 = InSignDegrees(slow.start);
        double S1 = InSignDegrees(slow.end);
        AlignAtSignBoundary(F0, F1, S0, S1);
        if (!(F0 <= S0 && F1 >= S1)) return;
        const double divisor = (S1 - S0) - F1 + F0;
        if (divisor == 0) return;
        const double m = 60 * (F0 - S0) / divisor;
        const double Fx = fast.start + dF * m / 60;
        const double Sx = slow.start + dS * m / 60;
        double sep = std::fabs(Fx - Sx);
        if (sep > 180) sep = 360 - sep;
        const Aspect aspect = AspectOf(sep);
        if (aspect == NoAspect || day_.moonChangeOnly) return;
        const char* phase = i == Sun && j == Moon ? PhaseName(aspect) : "";
        const char* eclipse = *phase != 0 ? EclipseName(aspect, day_, h, m) : "";
        const EventKind kind = *eclipse != 0 ? EventKind::Eclipse
                               : *phase != 0 ? EventKind::Lunation
                                             : EventKind::Aspect;
        AspectEvent& e = Add(kind, h, m, i, j);
        e.aspect = aspect;
        e.position1 = Normalised(iFaster ? Fx : Sx);
        e.position2 = Normalised(iFaster ? Sx : Fx);
        e.sign = static_cast<int>(SignOf(e.position1));
        e.phase = phase;
        e.eclipse = eclipse;
        if (*eclipse != 0)
            e.eclipseDetails = day_.eclipses->Details(aspect == Conjunction ? EclipseKind::Solar
                                                                            : EclipseKind::Lunar);
    }

    // Parallels and contraparallels of declination (latitude when heliocentric).
    void FindParallel(int i, int j, int h) {
        const auto& decl = a_.HourlyDeclinations;
        const double Di0 = decl[i][h], Di1 = decl[i][h + 1];
        const double Dj0 = decl[j][h], Dj1 = decl[j][h + 1];
        const bool iFaster = std::fabs(Di1 - Di0) > std::fabs(Dj1 - Dj0);
        const double f0 = iFaster ? Di0 : Dj0, f1 = iFaster ? Di1 : Dj1;
        const double s0 = iFaster ? Dj0 : Di0, s1 = iFaster ? Dj1 : Di1;
        const std::optional<double> minute = ParallelMinute(f0, f1, s0, s1);
        if (!minute) return;
        const double m = *minute;
        const double Fx = f0 + (f1 - f0) * m / 60;
        const double Sx = s0 + (s1 - s0) * m / 60;
        if (!(std::fabs(std::fabs(Sx) - std::fabs(Fx)) < 0.5) || day_.moonChangeOnly) return;
        const bool sameSide = (Fx >= 0 && Sx >= 0) || (Fx < 0 && Sx < 0);
        AspectEvent& e =
            Add(sameSide ? EventKind::Parallel : EventKind::Contraparallel, h, m, i, j);
        e.position1 = iFaster ? Fx : Sx;
        e.position2 = iFaster ? Sx : Fx;
    }

    const DaySearch& day_;
    AspectarianState& a_;
    IntIndexed<int, 12> ingressDone_{};
    IntIndexed<int, 12> stationDone_{};
};

}  // namespace

double CrossingFraction(double a0, double a1, double b0, double b1) {
    const double divisor = (a1 - a0) - (b1 - b0);
    if (divisor == 0) return -1;
    return (b0 - a0) / divisor;
}

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
