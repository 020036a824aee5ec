// The retrograde listing against the sky: the stations of 2018 against the
// turning points of the library's longitudes.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>

#include "aspectarian/aspectarian_generator.h"
#include "core/julian_day.h"
#include "core/locale_names.h"
#include "tests/aspectarian/exact_events.h"
#include "tests/ephemeris/generator_rig.h"

namespace novarel {
namespace {

constexpr double TwoMinutes = 2.0 / 1440;

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
        listed.push_back({jd, bodies.at(m[1])});
    }
    std::vector<test::ExactEvent> exact;
    for (int body = 3; body <= 10; ++body) {
        const auto s = test::ExactStations(body, Midnight(2018, 1, 1), Midnight(2019, 1, 1));
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
