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

enum Aspect { NoAspect = 0, Conjunction, Sextile, Square, Trine, Opposition };

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

// " dd" + sign glyph + "mm.m" of the Moon at a lunation.
std::string MoonPositionText(double longitude) {
    if (longitude < 0) longitude += 360;
    if (longitude >= 360) longitude -= 360;
    return PositionCell(longitude).substr(0, 8);
}

// The eclipse said of a New Moon (conjunction) or Full Moon (opposition) at
// minute m of hour h: the library's eclipse search decides.
std::string EclipseText(Aspect lunation, const DaySearch& day, int hour, double minute) {
    if (day.eclipses == nullptr) return {};
    const double moment = day.dayJD + hour / 24.0 + minute / 1440;
    if (lunation == Conjunction && day.eclipses->AtLunation(EclipseKind::Solar, moment))
        return " - solar eclipse";
    if (lunation == Opposition && day.eclipses->AtLunation(EclipseKind::Lunar, moment))
        return " - lunar eclipse";
    return {};
}

std::string LunationText(Aspect aspect, double moonLongitude, const DaySearch& day, int hour,
                         double minute) {
    const char* phase = aspect == Conjunction  ? "New Moon"
                        : aspect == Square     ? "Quarter Moon"
                        : aspect == Opposition ? "Full Moon"
                                               : nullptr;
    if (phase == nullptr) return {};
    return " - (" + std::string(phase) + "," + MoonPositionText(moonLongitude) + ")" +
           EclipseText(aspect, day, hour, minute);
}

class DayLines {
public:
    DayLines(const DaySearch& day, std::vector<std::string>& lines) : day_(day), lines_(lines) {}

    // Two blanks, "dd mmm", two blanks, "hh:mm", two blanks: 17 characters.
    std::string& Start(int hour, double minute) {
        std::string line;
        line.reserve(64);
        line += "  ";
        line += day_.dayLabel;
        line += "  ";
        line += ClockText(hour, minute);
        line += "  ";
        lines_.push_back(std::move(line));
        return lines_.back();
    }

    // Body glyph, two blanks, glyph of the sign entered, then the kind of ingress.
    void Ingress(int hour, double minute, unsigned char bodyGlyph, int signEntered,
                 const char* kind) {
        std::string& line = Start(hour, minute);
        line += static_cast<char>(bodyGlyph);
        line += "  ";
        line += glyph::SignChar(signEntered);
        line += kind;
    }

private:
    const DaySearch& day_;
    std::vector<std::string>& lines_;
};

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
    DayEventSearch(const DaySearch& day, AspectarianState& a)
        : day_(day), a_(a), lines_(day, a.EventLines) {
        for (int k = Sun; k <= NorthNode; ++k) glyphs_[k] = glyph::BodyCode(k, day.heliocentric);
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
                lines_.Ingress(h, m, glyphs_[body], entered, " - Moon ingress");
                ingressDone_[body] = 1;
            }
        } else if (!day_.moonChangeOnly) {
            lines_.Ingress(h, m, glyphs_[body], entered, " - planet ingress");
            ingressDone_[body] = 1;
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
        std::string& line = lines_.Start(h, 0);
        line += static_cast<char>(glyphs_[body]);
        line += "  ";
        line += static_cast<char>(code);
        line += " +/- up to 1 hour";
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
        std::string& line = lines_.Start(h, m);
        line += static_cast<char>(glyphs_[i]);
        line += static_cast<char>(glyph::AspectBase + aspect);
        line += static_cast<char>(glyphs_[j]);
        if (i == Sun && j == Moon) line += LunationText(aspect, Fx, day_, h, m);
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
        std::string& line = lines_.Start(h, m);
        line += static_cast<char>(glyphs_[i]);
        line += static_cast<char>(sameSide ? glyph::Parallel : glyph::Contraparallel);
        line += static_cast<char>(glyphs_[j]);
    }

    const DaySearch& day_;
    AspectarianState& a_;
    DayLines lines_;
    IntIndexed<unsigned char, 12> glyphs_{};
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
    a.EventLines.clear();
    DayEventSearch(day, a).Run();
}

}  // namespace novarel
