// The aspectarian against the sky: lunations, Sun ingresses and stations of
// 2017 and 2018 against exact times found by bisection on the library's
// positions, and published eclipse and equinox dates.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
#include <set>

#include "aspectarian/aspectarian_generator.h"
#include "core/glyphs.h"
#include "core/julian_day.h"
#include "core/locale_names.h"
#include "tests/aspectarian/exact_events.h"
#include "tests/ephemeris/generator_rig.h"

namespace novarel {
namespace {

constexpr double TwoMinutes = 2.0 / 1440;

std::string G(int code) { return std::string(1, static_cast<char>(code)); }

double Midnight(int year, int month, int day) {
    return CalendarToJulianDay(year, month, day) - 0.5;
}

std::string DateOf(double jd) {
    return FormatDate(JulianDayToCivil(jd), "yyyy-mm-dd", LocaleNames::English());
}

// A year of aspectarian from 1 January: its event lines with their moments.
std::vector<test::ReportEvent> YearOfEvents(test::GeneratorRig& p, int year) {
    p.Request(std::to_string(year), "1", "1", 365);
    RunContext ctx = p.context();
    EXPECT_EQ(GenerateAspectarian(ctx, p.aspectarian), RunOutcome::Completed);
    return test::ReportEvents(p.aspectarian.ReportLines, Midnight(year, 1, 1));
}

const test::ReportEvent* Nearest(const std::vector<test::ReportEvent>& events, double jd,
                                 const std::string& needle) {
    const test::ReportEvent* best = nullptr;
    for (const auto& e : events)
        if (e.line.find(needle) != std::string::npos &&
            (!best || std::fabs(e.jd - jd) < std::fabs(best->jd - jd)))
            best = &e;
    return best;
}

// " dd" + sign glyph + "mm.m" after the lunation's comma, as a longitude.
double MoonPlace(const std::string& line) {
    const std::size_t comma = line.find(',', 17);
    const int degrees = std::stoi(line.substr(comma + 2, 2));
    const int sign = static_cast<unsigned char>(line[comma + 4]) - 191;
    return 30.0 * (sign - 1) + degrees + std::stod(line.substr(comma + 5, 4)) / 60;
}

TEST(PhysicalEvents, LunationsSunIngressesAndEclipsesOf2017And2018) {
    test::GeneratorRig p;
    auto events = YearOfEvents(p, 2017);
    const auto second = YearOfEvents(p, 2018);
    events.insert(events.end(), second.begin(), second.end());
    EphemerisLibrary& lib = p.library;
    const double from = Midnight(2017, 1, 1), to = Midnight(2019, 1, 1);

    const std::map<int, std::string> lunationText = {
        {0, "(New Moon,"}, {90, "(Quarter Moon,"}, {180, "(Full Moon,"}, {270, "(Quarter Moon,"}};
    const auto lunations = test::ExactLunations(lib, from, to);
    ASSERT_GT(lunations.size(), 95u);  // about 99 in two years
    for (const auto& exact : lunations) {
        const auto* e = Nearest(events, exact.jd, lunationText.at(exact.kind));
        ASSERT_NE(e, nullptr);
        EXPECT_LE(std::fabs(e->jd - exact.jd), TwoMinutes)
            << e->line << " exact " << DateOf(exact.jd);
        // The Moon's place printed to 0.1 minute of arc.
        const double moon = test::Longitude(lib, exact.jd, 2);
        EXPECT_LE(std::fabs(MoonPlace(e->line) - moon), 0.15 / 60) << e->line;
    }
    int lunationLines = 0;
    for (const auto& e : events)
        lunationLines += e.line.find(" Moon, ") != std::string::npos ? 1 : 0;
    EXPECT_EQ(lunationLines, static_cast<int>(lunations.size()));

    const auto ingresses = test::ExactSunIngresses(lib, from, to);
    ASSERT_EQ(ingresses.size(), 24u);
    int ingressLines = 0;
    for (const auto& exact : ingresses) {
        const std::string text = G(224) + "  " + glyph::SignChar(exact.kind) + " - planet ingress";
        const auto* e = Nearest(events, exact.jd, text);
        ASSERT_NE(e, nullptr) << exact.kind;
        EXPECT_LE(std::fabs(e->jd - exact.jd), TwoMinutes)
            << e->line << " exact " << DateOf(exact.jd);
    }
    for (const auto& e : events)
        ingressLines +=
            e.line.find(G(224) + "  ") == 17 && e.line.find("ingress") != std::string::npos;
    EXPECT_EQ(ingressLines, 24);

    // Every eclipse of the two years (solar and lunar, of every type) is
    // flagged, and nothing else: the New Moon of 17 January 2018 came near
    // the node without an eclipse.
    std::set<std::string> solar, lunar;
    for (const auto& e : events) {
        if (e.line.find(" - solar eclipse") != std::string::npos) solar.insert(DateOf(e.jd));
        if (e.line.find(" - lunar eclipse") != std::string::npos) lunar.insert(DateOf(e.jd));
    }
    EXPECT_EQ(solar, (std::set<std::string>{"2017-02-26", "2017-08-21", "2018-02-15", "2018-07-13",
                                            "2018-08-11"}));
    EXPECT_EQ(lunar,
              (std::set<std::string>{"2017-02-11", "2017-08-07", "2018-01-31", "2018-07-27"}));
    // The total eclipses: New Moon 21 August 2017 about 18:30 UT, Full Moon
    // 27 July 2018 about 20:20 UT.
    const auto* total = Nearest(events, Midnight(2017, 8, 21) + 18.5 / 24, "(New Moon,");
    ASSERT_NE(total, nullptr);
    EXPECT_LE(std::fabs(total->jd - (Midnight(2017, 8, 21) + 18.5 / 24)), 3.0 / 1440)
        << total->line;
    EXPECT_NE(total->line.find(" - solar eclipse"), std::string::npos);
    total = Nearest(events, Midnight(2018, 7, 27) + (20 + 20.0 / 60) / 24, "(Full Moon,");
    ASSERT_NE(total, nullptr);
    EXPECT_LE(std::fabs(total->jd - (Midnight(2018, 7, 27) + (20 + 20.0 / 60) / 24)), 3.0 / 1440)
        << total->line;
    EXPECT_NE(total->line.find(" - lunar eclipse"), std::string::npos);
}

TEST(PhysicalEvents, MarchEquinoxOf2000) {
    test::GeneratorRig p;
    p.Request("2000", "3", "20", 1);
    RunContext ctx = p.context();
    ASSERT_EQ(GenerateAspectarian(ctx, p.aspectarian), RunOutcome::Completed);
    const auto events = test::ReportEvents(p.aspectarian.ReportLines, Midnight(2000, 3, 20));
    const auto* e = Nearest(events, 0, G(224) + "  " + glyph::SignChar(1) + " - planet ingress");
    ASSERT_NE(e, nullptr);
    EXPECT_LE(std::fabs(e->jd - (Midnight(2000, 3, 20) + (7 + 35.0 / 60) / 24)), 1.0 / 1440 + 1e-9)
        << e->line;
}

TEST(PhysicalEvents, StationsOf2018WithinTwoMinutesOfTheTurn) {
    test::GeneratorRig p;
    YearOfEvents(p, 2018);
    RunContext ctx = p.context();
    ListRetrogradeTimes(ctx, p.aspectarian);
    ASSERT_GE(p.buffer.PageLineCount(), 2);
    const std::string& list = p.buffer.PageLine(p.buffer.PageLineCount() - 2);

    const std::map<std::string, int> bodies = {{"Mercury", 3}, {"Venus", 4},  {"Mars", 5},
                                               {"Jupiter", 6}, {"Saturn", 7}, {"Uranus", 8},
                                               {"Neptune", 9}, {"Pluto", 10}};
    const std::map<std::string, int> months = {{"Jan", 1}, {"Feb", 2},  {"Mar", 3},  {"Apr", 4},
                                               {"May", 5}, {"Jun", 6},  {"Jul", 7},  {"Aug", 8},
                                               {"Sep", 9}, {"Oct", 10}, {"Nov", 11}, {"Dec", 12}};
    const std::regex row(
        R"(  (\w+) *- (\d\d) (\w\w\w) (\d\d\d\d) at (\d\d):(\d\d), \d\d.\d\d\.\d\r\n)");
    std::vector<test::ExactEvent> listed;
    for (auto it = std::sregex_iterator(list.begin(), list.end(), row);
         it != std::sregex_iterator(); ++it) {
        const auto& m = *it;
        const double jd = Midnight(std::stoi(m[4]), months.at(m[3]), std::stoi(m[2])) +
                          (std::stoi(m[5]) * 60 + std::stoi(m[6])) / 1440.0;
        listed.push_back({jd, 0, bodies.at(m[1])});
    }
    std::vector<test::ExactEvent> exact;
    for (int body = 3; body <= 10; ++body) {
        const auto s =
            test::ExactStations(p.library, body, Midnight(2018, 1, 1), Midnight(2019, 1, 1));
        exact.insert(exact.end(), s.begin(), s.end());
    }
    ASSERT_GE(exact.size(), 15u);
    EXPECT_EQ(listed.size(), exact.size()) << list;
    for (const auto& x : exact) {
        const test::ExactEvent* best = nullptr;
        for (const auto& l : listed)
            if (l.body == x.body && (!best || std::fabs(l.jd - x.jd) < std::fabs(best->jd - x.jd)))
                best = &l;
        ASSERT_NE(best, nullptr) << x.body;
        EXPECT_LE(std::fabs(best->jd - x.jd), TwoMinutes)
            << "body " << x.body << " exact " << DateOf(x.jd) << " "
            << (x.jd - std::floor(x.jd - 0.5) - 0.5) * 1440 << " min";
    }
}

}  // namespace
}  // namespace novarel
