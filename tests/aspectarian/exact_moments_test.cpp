// Events at their exact moments, against positions of the library's swetest
// tool around each of them (tests/data/aspectarian/swetest_exact_moments.txt):
// the moment follows from the stored values, the printed minute is that
// moment rounded, the positions are those at that moment.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "aspectarian/aspectarian_generator.h"
#include "aspectarian/day_events.h"
#include "core/glyphs.h"
#include "core/julian_day.h"
#include "tests/aspectarian/exact_events.h"
#include "tests/ephemeris/generator_rig.h"

namespace novarel {
namespace {

using test::Second;

// One output row of swetest: the moment (UT), the body's name and its value.
struct Row {
    double jd = 0;
    std::string body;
    double value = 0;
};

// The stored blocks by name; each row is "dd.mm.yyyy h:mm:ss UT Body value".
std::map<std::string, std::vector<Row>> ReadBlocks() {
    std::ifstream in(std::string(NOVAREL_TEST_DATA) + "/aspectarian/swetest_exact_moments.txt");
    std::map<std::string, std::vector<Row>> blocks;
    std::string line, name;
    while (std::getline(in, line)) {
        if (line.rfind("## ", 0) == 0) name = line.substr(3);
        if (line.empty() || line[0] == '#' || line[0] == '$') continue;
        std::istringstream words(line);
        std::string date, time, ut, word;
        words >> date >> time >> ut;
        std::vector<std::string> rest;
        while (words >> word) rest.push_back(word);
        const std::size_t colon = time.find(':');
        const double hours = std::stod(time.substr(0, colon)) +
                             std::stod(time.substr(colon + 1, 2)) / 60 +
                             std::stod(time.substr(colon + 4, 2)) / 3600;
        const double jd =
            CalendarToJulianDay(std::stod(date.substr(6)), std::stod(date.substr(3, 2)),
                                std::stod(date.substr(0, 2))) -
            0.5 + hours / 24;
        blocks[name].push_back({jd, rest.front(), std::stod(rest.back())});
    }
    return blocks;
}

const std::map<std::string, std::vector<Row>>& Blocks() {
    static const auto blocks = ReadBlocks();
    return blocks;
}

// The values of one body in a block, by moment.
std::vector<Row> Series(const std::string& block, const std::string& body) {
    std::vector<Row> rows;
    for (const Row& r : Blocks().at(block))
        if (r.body == body) rows.push_back(r);
    return rows;
}

// Where f of the stored values changes sign, by the straight line between
// the two rows around it (a minute apart).
struct Root {
    double jd = 0;
    double fraction = 0;
    std::size_t row = 0;
};
Root StoredRoot(const std::vector<double>& f, const std::vector<Row>& rows) {
    for (std::size_t k = 0; k + 1 < f.size(); ++k)
        if ((f[k] < 0) != (f[k + 1] < 0)) {
            const double t = f[k] / (f[k] - f[k + 1]);
            return {rows[k].jd + t * (rows[k + 1].jd - rows[k].jd), t, k};
        }
    ADD_FAILURE() << "no sign change in the stored values";
    return {};
}

// Where a's value, plus side times b's (none when b is empty), meets level.
Root Meeting(const std::string& block, const std::string& a, const std::string& b, double side,
             double level) {
    const auto ra = Series(block, a), rb = b.empty() ? ra : Series(block, b);
    std::vector<double> f;
    for (std::size_t k = 0; k < ra.size(); ++k)
        f.push_back(ra[k].value + (b.empty() ? 0 : side * rb[k].value) - level);
    return StoredRoot(f, ra);
}
Root Crossing(const std::string& block, const std::string& body, double level) {
    return Meeting(block, body, "", 0, level);
}

// The turning point of the stored longitudes: the zero of the slope of a
// cubic fitted by least squares (the cubic takes up the curve's asymmetry).
double TurningPoint(const std::vector<Row>& rows) {
    const double mid = rows[rows.size() / 2].jd, y0 = rows[rows.size() / 2].value;
    std::array<std::array<double, 5>, 4> m{};  // normal equations, right side last
    for (const Row& r : rows) {
        const double t = (r.jd - mid) * 24;  // hours
        const double basis[4] = {1, t, t * t, t * t * t};
        for (std::size_t i = 0; i < 4; ++i) {
            for (std::size_t j = 0; j < 4; ++j) m[i][j] += basis[i] * basis[j];
            m[i][4] += basis[i] * (r.value - y0);
        }
    }
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t k = i + 1; k < 4; ++k) {
            const double q = m[k][i] / m[i][i];
            for (std::size_t j = i; j < 5; ++j) m[k][j] -= q * m[i][j];
        }
    std::array<double, 4> c{};
    for (std::size_t i = 4; i-- > 0;) {
        double sum = m[i][4];
        for (std::size_t j = i + 1; j < 4; ++j) sum -= m[i][j] * c[j];
        c[i] = sum / m[i][i];
    }
    double t = -c[1] / (2 * c[2]);
    for (int k = 0; k < 5; ++k)
        t -= (c[1] + 2 * c[2] * t + 3 * c[3] * t * t) / (2 * c[2] + 6 * c[3] * t);
    return mid + t / 24;
}

// "hh:mm" of a moment rounded to the minute.
std::string RoundedClock(double jd) {
    const long minutes = std::lround((jd + 0.5 - std::floor(jd + 0.5)) * 1440);
    return fmt::format("{:02}:{:02}", minutes / 60 % 24, minutes % 60);
}

AspectarianState RunDays(int year, int month, int day, int days) {
    test::GeneratorRig rig;
    rig.Request(std::to_string(year), std::to_string(month), std::to_string(day), days);
    RunContext ctx = rig.context();
    EXPECT_EQ(GenerateAspectarian(ctx, rig.aspectarian), RunOutcome::Completed);
    return rig.aspectarian;
}

// The event of that kind and pair nearest the moment.
const AspectEvent* Nearest(const std::vector<AspectEvent>& events, EventKind kind, int body1,
                           int body2, double jd) {
    const AspectEvent* best = nullptr;
    for (const auto& e : events)
        if (e.kind == kind && e.body1 == body1 && e.body2 == body2 &&
            (!best || std::fabs(e.momentJD() - jd) < std::fabs(best->momentJD() - jd)))
            best = &e;
    return best;
}

// Listed within a second of the moment, at that moment's minute.
void ExpectAt(const AspectEvent* e, double jd) {
    ASSERT_NE(e, nullptr);
    EXPECT_NEAR(e->momentJD(), jd, Second);
    EXPECT_EQ(ClockText(e->hour, e->minute), RoundedClock(jd));
}

TEST(ExactMoments, MercuryEntersAquariusAndGoesBackIntoCapricornOnOneDay) {
    const Root into = Crossing("mercury-enters-aquarius-1970", "Mercury", 300);
    const Root back = Crossing("mercury-back-into-capricorn-1970", "Mercury", 300);
    EXPECT_EQ(RoundedClock(into.jd), "04:20");
    EXPECT_EQ(RoundedClock(back.jd), "11:59");

    std::vector<int> signs;
    std::vector<AspectEvent> aquarius, capricorn;
    for (const auto& e : RunDays(1970, 1, 1, 59).Events) {
        if (e.kind != EventKind::Ingress || e.body1 != Mercury) continue;
        signs.push_back(e.sign);
        (e.sign == 11 ? aquarius : capricorn).push_back(e);
    }
    // Aquarius, back into Capricorn, Aquarius again after the retrograde loop.
    EXPECT_EQ(signs, (std::vector<int>{11, 10, 11}));
    ExpectAt(Nearest(aquarius, EventKind::Ingress, Mercury, 0, into.jd), into.jd);
    ExpectAt(Nearest(capricorn, EventKind::Ingress, Mercury, 0, back.jd), back.jd);
}

TEST(ExactMoments, MoonContraparallelAndParallelJupiterInOneHour) {
    const Root contra = Meeting("moon-contraparallel-jupiter-1850", "Moon", "Jupiter", 1, 0);
    const Root parallel = Meeting("moon-parallel-jupiter-1850", "Moon", "Jupiter", -1, 0);
    const auto events = RunDays(1850, 9, 22, 1).Events;
    ExpectAt(Nearest(events, EventKind::Contraparallel, Moon, Jupiter, contra.jd), contra.jd);
    ExpectAt(Nearest(events, EventKind::Parallel, Moon, Jupiter, parallel.jd), parallel.jd);
}

TEST(ExactMoments, MoonContraparallelTheTrueNode) {
    const Root node = Meeting("moon-contraparallel-true-node-1844", "Moon", "true", 1, 0);
    EXPECT_EQ(RoundedClock(node.jd), "19:33");
    const auto events = RunDays(1844, 3, 25, 1).Events;
    ExpectAt(Nearest(events, EventKind::Contraparallel, Moon, NorthNode, node.jd), node.jd);
}

TEST(ExactMoments, MarsTurnsRetrogradeAtTheTopOfItsLongitude) {
    const auto rows = Series("mars-turns-retrograde-2024", "Mars");
    const double turn = TurningPoint(rows);
    EXPECT_EQ(RoundedClock(turn), "23:33");
    const auto events = RunDays(2024, 12, 6, 2).Events;
    const AspectEvent* e = Nearest(events, EventKind::Station, Mars, 0, turn);
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->retrograde);
    EXPECT_NEAR(e->momentJD(), turn, 3 * Second);
    EXPECT_NEAR(e->position1, rows[rows.size() / 2].value, 2e-7);
}

TEST(ExactMoments, MoonIngressCarriesTheLongitudeAtItsMoment) {
    // A few seconds before 00:47, where the Moon is already at 180.0016.
    const Root libra = Crossing("moon-enters-libra-2024", "Moon", 180);
    const auto events = RunDays(2024, 1, 3, 1).Events;
    const AspectEvent* e = Nearest(events, EventKind::Ingress, Moon, 0, libra.jd);
    ExpectAt(e, libra.jd);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->sign, 7);
    EXPECT_NEAR(e->position1, 180, 3e-4);
}

TEST(ExactMoments, FullMoonLineShowsTheMoonAtTheMoment) {
    const Root full = Meeting("full-moon-2024-04-23", "Moon", "Sun", -1, 180);
    const auto moon = Series("full-moon-2024-04-23", "Moon");
    const double place =
        moon[full.row].value + full.fraction * (moon[full.row + 1].value - moon[full.row].value);
    const long tenths = std::lround(place * 600);  // tenths of a minute of arc
    const std::string text = fmt::format(" - (Full Moon, {:02}{}{:02}.{})", tenths % 18000 / 600,
                                         glyph::SignChar(static_cast<int>(tenths / 18000) + 1),
                                         tenths % 600 / 10, tenths % 10);
    EXPECT_EQ(text, " - (Full Moon, 04" + std::string(1, glyph::SignChar(8)) + "18.0)");

    const AspectarianState run = RunDays(2024, 4, 23, 1);
    const AspectEvent* e = Nearest(run.Events, EventKind::Lunation, Sun, Moon, full.jd);
    ExpectAt(e, full.jd);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->aspect, Opposition);
    EXPECT_NEAR(e->position2, place, 3e-4);
    const auto line = std::find_if(
        run.ReportLines.begin(), run.ReportLines.end(),
        [](const std::string& l) { return l.find("(Full Moon,") != std::string::npos; });
    ASSERT_NE(line, run.ReportLines.end());
    EXPECT_EQ(line->substr(10, 5), RoundedClock(full.jd));
    EXPECT_NE(line->find(text), std::string::npos) << *line;
}

}  // namespace
}  // namespace novarel
