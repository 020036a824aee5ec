// A year of transits to the stored chart against a fine search of the
// test's own on the library (10-minute samples, then bisection): nothing
// missed, nothing extra, each moment within two seconds and its minute the
// exact moment rounded, each pass with the transiting body's direction.
#include <fmt/format.h>
#include <gtest/gtest.h>
#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "aspectarian/day_events.h"
#include "core/julian_day.h"
#include "core/swe_library.h"
#include "tests/transits/stored_chart.h"
#include "transits/transit_search.h"

namespace novarel {
namespace {

constexpr double Second = 1.0 / 86400;
constexpr double Step = 10.0 / 1440;

double Wrap180(double x) { return x - 360 * std::floor((x + 180) / 360); }

int SweBody(int body) { return body == Sun ? SE_SUN : body == NorthNode ? SE_TRUE_NODE : body - 1; }

// Longitude and speed straight from the library.
std::array<double, 2> Sky(int body, double jd) {
    double xx[6] = {};
    char serr[AS_MAXCH] = {};
    swe_calc_ut(jd, SweBody(body), SEFLG_SWIEPH | SEFLG_SPEED, xx, serr);
    return {xx[0], xx[3]};
}

double Bisect(const std::function<double(double)>& f, double lo, double hi) {
    const bool rising = f(lo) < 0;
    while (hi - lo > 1e-7) {
        const double mid = (lo + hi) / 2;
        ((f(mid) < 0) == rising ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

struct Exact {
    int body = 0;
    int point = 0;
    int aspect = 0;
    double jd = 0;
    bool retrograde = false;
};

constexpr std::pair<double, int> Targets[] = {{0, Conjunction}, {60, Sextile},    {300, Sextile},
                                              {90, Square},     {270, Square},    {120, Trine},
                                              {240, Trine},     {180, Opposition}};

// Every exact aspect of a transiting body to a natal point in [from, to).
std::vector<Exact> FineSearch(const std::vector<NatalPoint>& natal, double from, double to) {
    std::vector<Exact> found;
    const auto samples = static_cast<std::size_t>(std::ceil((to - from) / Step)) + 1;
    std::vector<double> lon(samples);
    for (int body = Sun; body <= NorthNode; ++body) {
        for (std::size_t k = 0; k < samples; ++k)
            lon[k] = Sky(body, from + static_cast<double>(k) * Step)[0];
        for (std::size_t n = 0; n < natal.size(); ++n)
            for (const auto& [angle, aspect] : Targets) {
                const double target = natal[n].longitude + angle;
                for (std::size_t k = 0; k + 1 < samples; ++k) {
                    const double a = Wrap180(lon[k] - target), b = Wrap180(lon[k + 1] - target);
                    if ((a < 0) == (b < 0) || std::fabs(a - b) > 90) continue;
                    const double t0 = from + static_cast<double>(k) * Step;
                    const double jd = Bisect(
                        [&, body = body](double t) { return Wrap180(Sky(body, t)[0] - target); },
                        t0, t0 + Step);
                    if (jd >= from && jd < to)
                        found.push_back(
                            {body, static_cast<int>(n), aspect, jd, Sky(body, jd)[1] < 0});
                }
            }
    }
    return found;
}

std::string Describe(const Exact& e) {
    const CivilDate d = JulianDayToCivil(e.jd + 0.5);
    return fmt::format("{:04}-{:02}-{:02} jd {:.6f} body {} {} point {}{}", d.year, d.month, d.day,
                       e.jd, e.body, AspectName(e.aspect), e.point,
                       e.retrograde ? " retrograde" : "");
}

// "hh:mm" of the moment rounded, from 0h UT of its day; the last half
// minute of a day stays in it as 23:59.
std::string RoundedClock(double minutesOfDay) {
    const long rounded = std::min(std::lround(minutesOfDay), 1439L);
    return fmt::format("{:02}:{:02}", rounded / 60, rounded % 60);
}

TEST(TransitYear, EqualsAFineSearchOfTheLibrary) {
    SweLibrary library;
    library.set_ephe_path(EphemerisPathFor("/nonexistent"));
    swe_set_ephe_path(EphemerisPathFor("/nonexistent").c_str());
    CalcRequest request;  // geocentric, tropical, true node: the eleven bodies
    const std::vector<NatalPoint> natal = test::StoredPoints();
    ASSERT_EQ(natal.size(), 13u);
    ASSERT_NEAR(natal[0].longitude, 164.7350409, 1e-9);

    const double from = CalendarToJulianDay(2024, 3, 1) - 0.5;
    constexpr int Days = 365;
    AspectarianState samples;
    bool analytic = false;
    TransitSearch search(request, library, natal, 0, samples, analytic);
    std::vector<TransitEvent> events;
    for (int d = 0; d < Days; ++d) search.SearchDay(from + d, events);
    EXPECT_FALSE(analytic);

    const std::vector<Exact> reference = FineSearch(natal, from, from + Days);
    std::vector<const TransitEvent*> aspects;
    for (const TransitEvent& e : events)
        if (e.event.kind == EventKind::Aspect) aspects.push_back(&e);
    std::vector<bool> used(aspects.size(), false);
    std::vector<std::string> missed, wrong;
    for (const Exact& r : reference) {
        std::size_t match = aspects.size();
        for (std::size_t k = 0; k < aspects.size(); ++k) {
            const TransitEvent& e = *aspects[k];
            if (!used[k] && e.event.body1 == r.body && e.natalIndex == r.point &&
                e.event.aspect == r.aspect && std::fabs(e.event.moment - r.jd) <= 2 * Second) {
                match = k;
                break;
            }
        }
        if (match == aspects.size()) {
            missed.push_back(Describe(r));
            continue;
        }
        used[match] = true;
        const AspectEvent& e = aspects[match]->event;
        const double minutes = (r.jd - e.dayJD) * 1440;
        const std::string clock = ClockText(e.hour, e.minute);
        const bool nearHalf = std::fabs(minutes - std::floor(minutes) - 0.5) < 0.2 / 60;
        if (clock != RoundedClock(minutes) && !nearHalf)
            wrong.push_back(Describe(r) + " shown at " + clock);
        if (aspects[match]->retrograde != r.retrograde)
            wrong.push_back(Describe(r) + " with the wrong direction");
        if (std::fabs(Wrap180(e.position1 - Sky(r.body, r.jd)[0])) > 1e-3)
            wrong.push_back(Describe(r) + fmt::format(" at {:.6f}", e.position1));
    }
    std::vector<std::string> extra;
    for (std::size_t k = 0; k < aspects.size(); ++k)
        if (!used[k])
            extra.push_back(
                Describe({aspects[k]->event.body1, aspects[k]->natalIndex, aspects[k]->event.aspect,
                          aspects[k]->event.moment, aspects[k]->retrograde}));
    const auto some = [](const std::vector<std::string>& lines) {
        std::string text;
        for (std::size_t k = 0; k < std::min<std::size_t>(lines.size(), 10); ++k)
            text += "  " + lines[k] + "\n";
        return text;
    };
    EXPECT_TRUE(missed.empty()) << missed.size() << " missed:\n" << some(missed);
    EXPECT_TRUE(extra.empty()) << extra.size() << " extra:\n" << some(extra);
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " wrong:\n" << some(wrong);
    // A year holds about 13 Moon cycles of 8 aspects to 13 points.
    EXPECT_GT(reference.size(), 1300u);

    // Saturn's loop over the natal Sun's opposite point: three passes,
    // direct, retrograde, direct, each on its own.
    std::vector<const TransitEvent*> loop;
    for (const TransitEvent* e : aspects)
        if (e->event.body1 == Saturn && e->natalIndex == 0 && e->event.aspect == Opposition)
            loop.push_back(e);
    ASSERT_EQ(loop.size(), 3u);
    EXPECT_FALSE(loop[0]->retrograde);
    EXPECT_TRUE(loop[1]->retrograde);
    EXPECT_FALSE(loop[2]->retrograde);
    EXPECT_LT(loop[0]->event.moment, loop[1]->event.moment);
    EXPECT_LT(loop[1]->event.moment, loop[2]->event.moment);

    // Saturn turns twice in the year: both stations are listed, the
    // retrograde one first, each within an hour of where the library's
    // speed changes sign.
    std::vector<const AspectEvent*> stations;
    for (const TransitEvent& e : events)
        if (e.event.kind == EventKind::Station && e.event.body1 == Saturn)
            stations.push_back(&e.event);
    ASSERT_EQ(stations.size(), 2u);
    EXPECT_TRUE(stations[0]->retrograde);
    EXPECT_FALSE(stations[1]->retrograde);
    for (const AspectEvent* s : stations) {
        const double turn =
            Bisect([](double t) { return Sky(Saturn, t)[1]; }, s->moment - 1, s->moment + 1);
        EXPECT_NEAR(s->moment, turn, 1.0 / 24) << Describe({Saturn, 0, 0, s->moment, false});
    }
}

}  // namespace
}  // namespace novarel
