#include "aspectarian/day_events.h"

#include <fmt/format.h>

#include <cmath>

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

// Whether the lunation at minute m of hour h is an eclipse of the kind.
bool IsEclipse(const DaySearch& day, EclipseKind kind, int hour, double minute) {
    return day.eclipses != nullptr &&
           day.eclipses->AtLunation(kind, day.dayJD + hour / 24.0 + minute / 1440);
}

std::string LunationText(Aspect aspect, double moonLongitude, const DaySearch& day, int hour,
                         double minute) {
    const std::string position = MoonPositionText(moonLongitude);
    if (aspect == Conjunction) {
        std::string text = " - (New Moon," + position + ")";
        if (IsEclipse(day, EclipseKind::Solar, hour, minute)) text += " - solar eclipse";
        return text;
    }
    if (aspect == Square) return " - (Quarter Moon," + position + ")";
    if (aspect == Opposition) {
        std::string text = " - (Full Moon," + position + ")";
        if (IsEclipse(day, EclipseKind::Lunar, hour, minute)) text += " - lunar eclipse";
        return text;
    }
    return {};
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

void RecordStation(const DaySearch& day, AspectarianState& a, int body, int hour, int code,
                   unsigned char bodyGlyph) {
    if (a.StationRecords.size() >= static_cast<std::size_t>(MaxStationRecords)) return;
    StationRecord r;
    r.field[1] = day.dateText + fmt::format("  {:02}:00  ", hour) + static_cast<char>(bodyGlyph);
    r.field[2] = NumberText(day.lastSampleCenturies / 10);
    r.field[4] = NumberText(body);
    r.field[5] = NumberText(code);
    r.field[6] = NumberText(day.dayJD);
    r.field[7] = NumberText(day.dayJD + hour / 24.0);
    a.StationRecords.push_back(std::move(r));
    a.StationCount = static_cast<std::int16_t>(a.StationRecords.size());
}

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
    DayLines lines(day, a.EventLines);
    const bool helio = day.heliocentric;

    std::array<unsigned char, 12> glyphs{};
    for (int k = Sun; k <= NorthNode; ++k) glyphs[k] = glyph::BodyCode(k, helio);
    std::array<int, 12> ingressDone{};
    std::array<int, 12> stationDone{};
    if (day.noMoonIngress) ingressDone[Moon] = 1;
    stationDone[Sun] = 1;
    stationDone[Moon] = 1;

    const auto& lon = a.HourlyLongitudes;
    const auto& decl = a.HourlyDeclinations;

    for (int i = Sun; i <= Pluto; ++i) {
        if (helio && i == Moon) continue;
        for (int j = i + 1; j <= NorthNode; ++j) {
            if (helio && j == Moon) continue;
            for (int h = 0; h < 24; ++h) {
                double A0 = lon[i][h];
                const double A1 = lon[i][h + 1];
                double B0 = lon[j][h];
                const double B1 = lon[j][h + 1];
                UnwrapStart(A0, A1);
                UnwrapStart(B0, B1);

                const double dA = HourlyMotion(A0, A1);
                const double dB = HourlyMotion(B0, B1);
                const bool iFaster = dA > dB;
                const double F0abs = iFaster ? A0 : B0;
                const double S0abs = iFaster ? B0 : A0;
                const double dF = iFaster ? dA : dB;
                const double dS = iFaster ? dB : dA;
                double F0 = InSignDegrees(F0abs);
                double F1 = InSignDegrees(iFaster ? A1 : B1);
                double S0 = InSignDegrees(S0abs);
                double S1 = InSignDegrees(iFaster ? B1 : A1);

                // Ingress of body i.
                const double SA0 = SignOf(A0);
                const double SA1 = SignOf(A1);
                if (ingressDone[i] == 0 && SA0 != SA1) {
                    const double a0 = RaisedNearZero(InSignDegrees(A0));
                    const double a1 = RaisedNearZero(InSignDegrees(A1));
                    if (a0 != a1) {
                        const double m = 60 * (a0 - 30) / (a0 - a1);
                        const int entered = static_cast<int>(SA1);
                        if (i == Moon) {
                            if (!day.cardinalMoonIngressOnly || entered == 1 || entered == 4 ||
                                entered == 7 || entered == 10) {
                                lines.Ingress(h, m, glyphs[i], entered, " - Moon ingress");
                                ingressDone[i] = 1;
                            }
                        } else if (!day.moonChangeOnly) {
                            lines.Ingress(h, m, glyphs[i], entered, " - planet ingress");
                            ingressDone[i] = 1;
                        }
                    }
                }

                // The heliocentric node takes part in no aspect or parallel.
                if (helio) {
                    if (i == Pluto) continue;
                    if (j == NorthNode) break;
                }

                // Station of body i, to the hour.
                if (stationDone[i] == 0 && !helio) {
                    const double m = A1 - A0;
                    int code = 0;
                    if (a.DirectionFlags[i] == 1 && ((m > -1 && m < 0) || m > 358)) {
                        a.DirectionFlags[i] = 0;
                        code = glyph::StationRetrograde;
                    } else if (a.DirectionFlags[i] == 0 && ((m > 0 && m < 1) || m < -358)) {
                        a.DirectionFlags[i] = 1;
                        code = glyph::StationDirect;
                    }
                    if (code != 0 && !day.moonChangeOnly) {
                        std::string& line = lines.Start(h, 0);
                        line += static_cast<char>(glyphs[i]);
                        line += "  ";
                        line += static_cast<char>(code);
                        line += " +/- up to 1 hour";
                        stationDone[i] = 1;
                        RecordStation(day, a, i, h, code, glyphs[i]);
                    }
                }

                // Aspects: equal degrees within the signs, then the real angle.
                AlignAtSignBoundary(F0, F1, S0, S1);
                if (F0 <= S0 && F1 >= S1) {
                    const double divisor = (S1 - S0) - F1 + F0;
                    if (divisor != 0) {
                        const double m = 60 * (F0 - S0) / divisor;
                        const double Fx = F0abs + dF * m / 60;
                        const double Sx = S0abs + dS * m / 60;
                        double sep = std::fabs(Fx - Sx);
                        if (sep > 180) sep = 360 - sep;
                        const Aspect aspect = AspectOf(sep);
                        if (aspect != NoAspect && !day.moonChangeOnly) {
                            std::string& line = lines.Start(h, m);
                            line += static_cast<char>(glyphs[i]);
                            line += static_cast<char>(glyph::AspectBase + aspect);
                            line += static_cast<char>(glyphs[j]);
                            if (i == Sun && j == Moon) line += LunationText(aspect, Fx, day, h, m);
                        }
                    }
                }

                // Parallels and contraparallels of declination (latitude when heliocentric).
                const double Di0 = decl[i][h], Di1 = decl[i][h + 1];
                const double Dj0 = decl[j][h], Dj1 = decl[j][h + 1];
                const bool iFasterInDecl = std::fabs(Di1 - Di0) > std::fabs(Dj1 - Dj0);
                const double f0 = iFasterInDecl ? Di0 : Dj0, f1 = iFasterInDecl ? Di1 : Dj1;
                const double s0 = iFasterInDecl ? Dj0 : Di0, s1 = iFasterInDecl ? Dj1 : Di1;
                bool found = false;
                double m = 0;
                if ((f0 <= 0 && f1 >= 0) || (s0 <= 0 && s1 >= 0) || (f0 >= 0 && f1 <= 0) ||
                    (s0 >= 0 && s1 <= 0)) {
                    const double t = CrossingFraction(f0, f1, s0, s1);
                    if (t >= 0 && t <= 1) {
                        m = 60 * t;
                        found = true;
                    }
                }
                if (!found) {
                    const double af0 = std::fabs(f0), af1 = std::fabs(f1);
                    const double as0 = std::fabs(s0), as1 = std::fabs(s1);
                    if ((af0 <= as0 && af1 >= as1) || (af0 >= as0 && af1 <= as1)) {
                        const double divisor = (as1 - as0) - af1 + af0;
                        if (divisor != 0) {
                            m = 60 * (af0 - as0) / divisor;
                            found = true;
                        }
                    }
                }
                if (found) {
                    const double Fx = f0 + (f1 - f0) * m / 60;
                    const double Sx = s0 + (s1 - s0) * m / 60;
                    if (std::fabs(std::fabs(Sx) - std::fabs(Fx)) < 0.5 && !day.moonChangeOnly) {
                        const bool sameSide = (Fx >= 0 && Sx >= 0) || (Fx < 0 && Sx < 0);
                        std::string& line = lines.Start(h, m);
                        line += static_cast<char>(glyphs[i]);
                        line +=
                            static_cast<char>(sameSide ? glyph::Parallel : glyph::Contraparallel);
                        line += static_cast<char>(glyphs[j]);
                    }
                }
            }
        }
    }
}

}  // namespace novarel
