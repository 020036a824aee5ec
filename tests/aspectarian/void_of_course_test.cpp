// The void-of-course Moon against periods made from the exact Moon aspects
// and ingresses that a fine search of its own finds on the library: every
// period of a year, with either set of bodies, at its start and end to two
// seconds, with the aspect, body and sign; each line in the block of its day
// saying what the period holds; and runs that start or end inside a period
// showing it whole.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "aspectarian/aspectarian_generator.h"
#include "core/glyphs.h"
#include "core/julian_day.h"
#include "core/positions.h"
#include "tests/aspectarian/exact_events.h"
#include "tests/ephemeris/generator_rig.h"

namespace novarel {
namespace {

using test::Midnight, test::Second;
constexpr double Tolerance = 2 * Second;

struct Period {
    double start = 0;
    double end = 0;
    int aspect = NoAspect;
    int body = 0;
    int sign = 0;
};

// Sign by sign, from the sky's events: the last Moon aspect to one of Sun ..
// lastBody before the ingress that ends the sign, or the ingress that began it.
std::vector<Period> PeriodsOfSky(const std::vector<test::SkyEvent>& sky, int lastBody) {
    std::vector<Period> periods;
    const test::SkyEvent* entered = nullptr;
    const test::SkyEvent* lastAspect = nullptr;
    for (const test::SkyEvent& e : sky) {
        const bool moonIngress = e.kind == EventKind::Ingress && e.body1 == Moon;
        const bool moonAspect = (e.kind == EventKind::Aspect || e.kind == EventKind::Lunation) &&
                                (e.body1 == Moon || e.body2 == Moon) &&
                                std::max(e.body1, e.body2) <= lastBody;
        if (moonAspect && entered != nullptr) lastAspect = &e;
        if (!moonIngress) continue;
        if (entered != nullptr) {
            Period p{entered->jd, e.jd, NoAspect, 0, e.sign};
            if (lastAspect != nullptr) {
                p.start = lastAspect->jd;
                p.aspect = lastAspect->aspect;
                p.body = lastAspect->body1 == Moon ? lastAspect->body2 : lastAspect->body1;
            }
            periods.push_back(p);
        }
        entered = &e;
        lastAspect = nullptr;
    }
    return periods;
}

struct Run {
    std::vector<std::string> report;
    std::vector<AspectEvent> periods;
};

// The aspectarian of the days from the date, with the void-of-course rule.
Run RunDays(int year, int month, int day, int days, float rule) {
    test::GeneratorRig rig;
    rig.options[19] = rule;
    rig.Request(std::to_string(year), std::to_string(month), std::to_string(day), days);
    RunContext ctx = rig.context();
    EXPECT_EQ(GenerateAspectarian(ctx, rig.aspectarian), RunOutcome::Completed);
    Run run{rig.aspectarian.ReportLines, {}};
    for (const AspectEvent& e : rig.aspectarian.Events)
        if (e.kind == EventKind::VoidOfCourse) run.periods.push_back(e);
    return run;
}

std::string DayLabel(double jd) {
    return FormatDate(JulianDayToCivil(jd), "dd mmm", LocaleNames::English());
}

// "hh:mm" of a moment rounded to the minute, and the day it then falls on.
std::string Clock(double jd, double& dayJD) {
    const MinuteOfDay m = RoundedToMinute(jd);
    dayJD = m.dayJD;
    return fmt::format("{:02}:{:02}", m.hour, m.minute);
}

// The line of a period after its date: "☽ v/c (□♄) until [dd mmm ]hh:mm ☽ ♎"
// in the report's glyph codes, and "dd mmm  hh:mm  " of its start before.
std::string ExpectedLine(const Period& p) {
    const char moon = static_cast<char>(glyph::BodyCode(Moon, false));
    double startDay = 0, endDay = 0;
    std::string startClock = Clock(p.start, startDay);
    const std::string endClock = Clock(p.end, endDay);
    startDay = std::floor(p.start + 0.5) - 0.5;
    // The last half minute of a day stays in it.
    if (startClock == "00:00" && RoundedToMinute(p.start).dayJD > startDay) startClock = "23:59";
    std::string line = DayLabel(startDay) + "  " + startClock + "  " + moon + " v/c ";
    if (p.aspect != NoAspect)
        line += fmt::format("({}{}) ", static_cast<char>(glyph::AspectBase + p.aspect),
                            static_cast<char>(glyph::BodyCode(p.body, false)));
    line += "until ";
    if (endDay > startDay + 0.5) line += DayLabel(endDay) + " ";
    return line + endClock + " " + moon + " " + glyph::SignChar(p.sign);
}

// The periods of the reference that overlap [from, to).
std::vector<Period> Overlapping(const std::vector<Period>& all, double from, double to) {
    std::vector<Period> out;
    for (const Period& p : all)
        if (p.end > from && p.start < to) out.push_back(p);
    return out;
}

// The run's periods are the reference's, to two seconds at both ends; each
// report line is in the block of the day its period starts on (one begun
// before the run heads the first day) and reads as ExpectedLine, at the
// minutes of the run's own moments.
void ExpectSamePeriods(const Run& run, const std::vector<Period>& expected, double firstDay,
                       const std::string& what) {
    ASSERT_EQ(run.periods.size(), expected.size()) << what;
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const Period& p = expected[k];
        const AspectEvent& e = run.periods[k];
        EXPECT_NEAR(e.momentJD(), p.start, Tolerance) << what << " period " << k;
        EXPECT_NEAR(e.end, p.end, Tolerance) << what << " period " << k;
        EXPECT_EQ(e.aspect, p.aspect) << what << " period " << k;
        EXPECT_EQ(e.body2, p.body) << what << " period " << k;
        EXPECT_EQ(e.sign, p.sign) << what << " period " << k;
    }
    std::size_t k = 0;
    int day = 0;
    bool firstOfBlock = true;
    for (std::size_t n = 6; n < run.report.size(); ++n) {
        const std::string& line = run.report[n];
        if (line.empty()) {
            ++day;
            firstOfBlock = true;
            continue;
        }
        const bool isVoid = line.find(" v/c ") != std::string::npos;
        const bool wasFirst = firstOfBlock;
        firstOfBlock = false;
        if (!isVoid) continue;
        ASSERT_LT(k, expected.size()) << what << ": " << line;
        const AspectEvent& e = run.periods[k++];
        const Period p{e.momentJD(), e.end, e.aspect, e.body2, e.sign};
        std::string text = ExpectedLine(p);
        const double startDay = std::floor(p.start + 0.5) - 0.5;
        if (startDay < firstDay) {
            EXPECT_EQ(day, 0) << what << ": " << line;
            EXPECT_TRUE(wasFirst) << what << ": " << line;
        } else {
            EXPECT_EQ(firstDay + day, startDay) << what << ": " << line;
            if (!wasFirst) text.replace(0, 6, 6, ' ');
        }
        EXPECT_EQ(line, "  " + text) << what;
    }
    EXPECT_EQ(k, expected.size()) << what;
}

TEST(VoidOfCourse, EveryPeriodOfAYearWithEitherSetOfBodies) {
    const double from = Midnight(2024, 1, 1), to = Midnight(2025, 1, 1);
    // Wide enough for the signs that hold the year's ends.
    const std::vector<test::SkyEvent> sky = test::SweepSky(from - 4, to + 4);
    const std::vector<Period> modern = PeriodsOfSky(sky, Pluto);
    const std::vector<Period> traditional = PeriodsOfSky(sky, Saturn);

    const std::vector<Period> year = Overlapping(modern, from, to);
    EXPECT_GT(year.size(), 150U);
    ExpectSamePeriods(RunDays(2024, 1, 1, 366, 1), year, from, "2024");

    // The traditional rule over a quarter.
    const double april = Midnight(2024, 4, 1);
    const std::vector<Period> quarter = Overlapping(traditional, from, april);
    ExpectSamePeriods(RunDays(2024, 1, 1, 91, 2), quarter, from, "2024 traditional");

    // Two-day runs that start inside a period, every other month, and some
    // that end inside one: each is shown whole, found beyond the run's days.
    int runs = 0, endsInside = 0;
    for (int month = 1; month <= 12; month += 2) {
        for (const Period& p : year) {
            const double first = std::floor(p.start + 0.5) + 0.5;  // the next day
            if (JulianDayToCivil(p.start).month != month || first >= p.end) continue;
            const CivilDate d = JulianDayToCivil(first);
            const std::vector<Period> inside = Overlapping(modern, first, first + 2);
            ASSERT_FALSE(inside.empty());
            ++runs;
            endsInside += inside.back().end > first + 2;
            ExpectSamePeriods(RunDays(d.year, d.month, d.day, 2, 1), inside, first,
                              fmt::format("run from {}", test::DateOf(first)));
            break;
        }
    }
    EXPECT_GE(runs, 5);
    EXPECT_GT(endsInside, 0);
}

}  // namespace
}  // namespace novarel
