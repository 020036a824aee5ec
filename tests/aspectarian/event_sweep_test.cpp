// Whole years of aspectarian against every event that a fine search of its
// own finds on the library's positions: nothing missed, nothing extra, every
// moment within two seconds, every printed minute the exact moment rounded,
// and every position the one at that moment; one year with every minor
// aspect listed as well.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "aspectarian/aspectarian_generator.h"
#include "tests/aspectarian/exact_events.h"
#include "tests/ephemeris/generator_rig.h"

namespace novarel {
namespace {

using test::Midnight, test::Second, test::Wrap180;
constexpr double Tolerance = 2 * Second;

std::string Moment(double jd) {
    const double seconds = std::round((jd + 0.5 - std::floor(jd + 0.5)) * 86400);
    const int s = static_cast<int>(seconds);
    return test::DateOf(jd) + fmt::format(" {:02}:{:02}:{:02}", s / 3600, s / 60 % 60, s % 60);
}

// A New Moon found with an eclipse is still the lunation of the search.
EventKind KindOf(EventKind kind) { return kind == EventKind::Eclipse ? EventKind::Lunation : kind; }

// The tally's heading: the kind, or the minor aspect by name.
std::string Heading(EventKind kind, int aspect) {
    return aspect >= Semisextile ? AspectName(aspect) : KindName(KindOf(kind));
}

bool Same(const test::SkyEvent& sky, const AspectEvent& e) {
    return KindOf(e.kind) == sky.kind && e.body1 == sky.body1 && e.body2 == sky.body2 &&
           (sky.kind == EventKind::Ingress ? e.sign == sky.sign : true) &&
           (sky.kind == EventKind::Station ? e.retrograde == sky.retrograde : true) &&
           e.aspect == sky.aspect;
}

std::string Describe(EventKind kind, int body1, int body2, int aspect, int sign, bool retrograde,
                     double jd) {
    static constexpr const char* Names[] = {"",       "Sun",     "Moon",    "Mercury",
                                            "Venus",  "Mars",    "Jupiter", "Saturn",
                                            "Uranus", "Neptune", "Pluto",   "Node"};
    std::string text = fmt::format("{} {} {}", Moment(jd), KindName(kind), Names[body1]);
    if (body2 != 0) text += fmt::format("-{}", Names[body2]);
    if (aspect != NoAspect) text += fmt::format(" {}", AspectName(aspect));
    if (kind == EventKind::Ingress) text += fmt::format(" into sign {}", sign);
    if (kind == EventKind::Station) text += retrograde ? " retrograde" : " direct";
    return text;
}

// Within two seconds; a turning point also where the longitude itself cannot
// tell the moments apart: near the turn it changes by less than the
// library's rounding over many seconds for the slow planets.
bool Close(const test::SkyEvent& sky, double jd) {
    if (std::fabs(jd - sky.jd) <= Tolerance) return true;
    return sky.kind == EventKind::Station && std::fabs(jd - sky.jd) < 0.01 &&
           std::fabs(Wrap180(test::SkyPosition(sky.body1, jd, false) -
                             test::SkyPosition(sky.body1, sky.jd, false))) <= 1e-10;
}

// "hh:mm" of the moment rounded to the minute, counted from 0h of the day;
// the last half minute of a day stays in it as 23:59.
std::string RoundedClock(double minutesOfDay) {
    const long rounded = std::min(std::lround(minutesOfDay), 1439L);
    return fmt::format("{:02}:{:02}", rounded / 60, rounded % 60);
}

// The degrees of the Moon's place in a lunation line, " dd" + sign + "mm.m".
double MoonPlace(const std::string& line) {
    const std::size_t comma = line.find(',', 17);
    const int degrees = std::stoi(line.substr(comma + 2, 2));
    const int sign = static_cast<unsigned char>(line[comma + 4]) - 191;
    return 30.0 * (sign - 1) + degrees + std::stod(line.substr(comma + 5, 4)) / 60;
}

struct Tally {
    std::map<std::string, std::array<int, 4>> byKind;  // reference, listed, missed, extra
    std::vector<std::string> missed, extra, wrong;
    std::string Text() const {
        std::string text = "kind: reference / listed / missed / extra\n";
        for (const auto& [kind, n] : byKind)
            text += fmt::format("  {}: {} / {} / {} / {}\n", kind, n[0], n[1], n[2], n[3]);
        auto some = [&](const char* title, const std::vector<std::string>& lines) {
            if (lines.empty()) return;
            text += fmt::format("{} ({}):\n", title, lines.size());
            for (std::size_t k = 0; k < std::min<std::size_t>(lines.size(), 12); ++k)
                text += "  " + lines[k] + "\n";
        };
        some("missed", missed);
        some("extra", extra);
        some("wrong minute or position", wrong);
        return text;
    }
};

// The minor aspects come from lines 13 to 18 of the options.
void CheckYear(int year, MinorAspectSet minorAspects = 0) {
    const double from = Midnight(year, 1, 1), to = Midnight(year + 1, 1, 1);
    test::GeneratorRig rig;
    rig.Request(std::to_string(year), "1", "1", static_cast<int>(to - from));
    for (int n = 0; n < MinorAspectCount; ++n)
        rig.options[13 + n] = (minorAspects >> n & 1u) != 0 ? 1.0f : 0.0f;
    RunContext ctx = rig.context();
    ASSERT_EQ(GenerateAspectarian(ctx, rig.aspectarian), RunOutcome::Completed);
    const std::vector<AspectEvent>& events = rig.aspectarian.Events;
    std::vector<std::string> lines;
    for (std::size_t k = 6; k < rig.aspectarian.ReportLines.size(); ++k)
        if (!rig.aspectarian.ReportLines[k].empty())
            lines.push_back(rig.aspectarian.ReportLines[k]);
    ASSERT_EQ(lines.size(), events.size());

    const std::vector<test::SkyEvent> sky = test::SweepSky(from, to, minorAspects);
    // An event within a few seconds of either end may fall on either side.
    auto inside = [&](double jd) { return jd > from + 3 * Second && jd < to - 3 * Second; };

    Tally tally;
    std::vector<bool> used(events.size(), false);
    for (const auto& e : events)
        if (inside(e.momentJD())) ++tally.byKind[Heading(e.kind, e.aspect)][1];
    for (const auto& s : sky) {
        if (!inside(s.jd)) continue;
        ++tally.byKind[Heading(s.kind, s.aspect)][0];
        std::size_t best = events.size();
        for (std::size_t k = 0; k < events.size(); ++k)
            if (!used[k] && Same(s, events[k]) && Close(s, events[k].momentJD()) &&
                (best == events.size() || std::fabs(events[k].momentJD() - s.jd) <
                                              std::fabs(events[best].momentJD() - s.jd)))
                best = k;
        const std::string what =
            Describe(s.kind, s.body1, s.body2, s.aspect, s.sign, s.retrograde, s.jd);
        if (best == events.size()) {
            ++tally.byKind[Heading(s.kind, s.aspect)][2];
            tally.missed.push_back(what);
            continue;
        }
        used[best] = true;
        const AspectEvent& e = events[best];
        const std::string& line = lines[best];
        const double sinceMidnight = (s.jd - e.dayJD) * 1440;
        std::string fault;
        // A station's line is on the day of the hour it was seen in (below).
        if (s.kind != EventKind::Station &&
            (sinceMidnight < -Tolerance * 1440 || sinceMidnight >= 1440 + Tolerance * 1440))
            fault = "on the day of " + Moment(e.dayJD);
        const std::string clock = line.substr(10, 5);
        if (s.kind == EventKind::Station) {
            // Shown at the hour it was seen in, which lies within an hour of the turn.
            const double hourStart = e.dayJD + e.hour / 24.0;
            if (clock.substr(3) != "00" || std::fabs(hourStart - s.jd) > 1.0 / 24 + Tolerance)
                fault += " shown at " + clock;
        } else {
            // The other minute only where the moment lies at a half minute.
            const double half = std::floor(sinceMidnight) + 0.5;
            const bool nearHalf = std::fabs(sinceMidnight - half) < 0.2 / 60;
            if (clock != RoundedClock(sinceMidnight) &&
                !(nearHalf && (clock == RoundedClock(half - 0.5) || clock == RoundedClock(half))))
                fault += " shown at " + clock;
        }
        const bool declinations =
            s.kind == EventKind::Parallel || s.kind == EventKind::Contraparallel;
        // Two seconds of the Moon's motion; a planet at its turn hardly moves.
        const double within = s.kind == EventKind::Station ? 1e-6 : 1e-3;
        const double p1 = test::SkyPosition(s.body1, s.jd, declinations);
        if (std::fabs(Wrap180(e.position1 - p1)) > within)
            fault += fmt::format(" position1 {:.6f} not {:.6f}", e.position1, p1);
        if (s.body2 != 0) {
            const double p2 = test::SkyPosition(s.body2, s.jd, declinations);
            if (std::fabs(Wrap180(e.position2 - p2)) > within)
                fault += fmt::format(" position2 {:.6f} not {:.6f}", e.position2, p2);
        }
        // The Moon's printed place, to a tenth of a minute of arc.
        if (s.kind == EventKind::Lunation) {
            const double moon = test::SkyPosition(2, s.jd, false);
            if (std::fabs(Wrap180(MoonPlace(line) - moon)) > 0.07 / 60)
                fault += fmt::format(" Moon's place {:.4f} not {:.4f}", MoonPlace(line), moon);
        }
        if (!fault.empty())
            tally.wrong.push_back(what + ": " + line.substr(10, 5) + fault + " (listed " +
                                  Moment(e.momentJD()) + ")");
    }
    for (std::size_t k = 0; k < events.size(); ++k) {
        const AspectEvent& e = events[k];
        if (used[k] || !inside(e.momentJD())) continue;
        ++tally.byKind[Heading(e.kind, e.aspect)][3];
        tally.extra.push_back(Describe(KindOf(e.kind), e.body1, e.body2, e.aspect, e.sign,
                                       e.retrograde, e.momentJD()) +
                              ": shown at " + lines[k].substr(10, 5));
    }
    EXPECT_TRUE(tally.missed.empty() && tally.extra.empty() && tally.wrong.empty()) << year << "\n"
                                                                                    << tally.Text();
    // The reference itself found what a year holds.
    EXPECT_GT(tally.byKind["ingress"][0], 150);
    EXPECT_GT(tally.byKind["station"][0], 8);
    EXPECT_GT(tally.byKind["lunation"][0], 45);
    // The Moon alone makes each minor aspect with each body twice a month.
    for (int a = Semisextile; a <= Quincunx; ++a) {
        if ((minorAspects & MinorAspectBit(a)) == 0) continue;
        EXPECT_GT(tally.byKind[AspectName(a)][0], 200) << AspectName(a);
    }
}

// Mercury enters Aquarius and goes back into Capricorn on 4 January.
TEST(EventSweep, Year1970) { CheckYear(1970); }
TEST(EventSweep, Year1850) { CheckYear(1850); }
TEST(EventSweep, Year2024) { CheckYear(2024); }
TEST(EventSweep, Year1997WithMinorAspects) { CheckYear(1997, AllMinorAspects); }

}  // namespace
}  // namespace novarel
