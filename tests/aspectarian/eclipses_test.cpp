// The eclipse text of 31 years of aspectarian against every eclipse of the
// library's swetest tool (tests/data/aspectarian/swetest_eclipses.txt): each
// eclipse flags its lunation, and no other lunation is flagged.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "aspectarian/aspectarian_generator.h"
#include "core/julian_day.h"
#include "core/locale_names.h"
#include "tests/aspectarian/exact_events.h"
#include "tests/ephemeris/generator_rig.h"

namespace novarel {
namespace {

struct Eclipse {
    bool solar = false;
    double jd = 0;  // greatest eclipse, UT
    std::string line;
};

double Midnight(int year, int month, int day) {
    return CalendarToJulianDay(year, month, day) - 0.5;
}

std::string DateOf(double jd) {
    return FormatDate(JulianDayToCivil(jd), "yyyy-mm-dd", LocaleNames::English());
}

// The first line of each eclipse: its kind, then tab-separated fields ending
// with the Julian Day of greatest eclipse.
std::vector<Eclipse> SwetestEclipses(double before) {
    std::ifstream in(std::string(NOVAREL_TEST_DATA) + "/aspectarian/swetest_eclipses.txt");
    std::vector<Eclipse> out;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#' || line[0] == '$' || line[0] == ' ' || line[0] == '\t')
            continue;
        const bool solar = line.find(" solar") != std::string::npos;
        EXPECT_TRUE(solar || line.find(" lunar") != std::string::npos) << line;
        const double jd = std::stod(line.substr(line.find_last_of('\t') + 1));
        if (jd < before) out.push_back({solar, jd, line});
    }
    return out;
}

std::vector<Eclipse> FlaggedLunations(int firstYear, int lastYear) {
    test::GeneratorRig p;
    std::vector<Eclipse> flagged;
    for (int year = firstYear; year <= lastYear; ++year) {
        const double first = Midnight(year, 1, 1);
        p.Request(std::to_string(year), "1", "1",
                  static_cast<int>(Midnight(year + 1, 1, 1) - first));
        RunContext ctx = p.context();
        EXPECT_EQ(GenerateAspectarian(ctx, p.aspectarian), RunOutcome::Completed);
        for (const auto& e : test::ReportEvents(p.aspectarian.ReportLines, first)) {
            if (e.line.find(" - solar eclipse") != std::string::npos)
                flagged.push_back({true, e.jd, e.line});
            if (e.line.find(" - lunar eclipse") != std::string::npos)
                flagged.push_back({false, e.jd, e.line});
        }
    }
    return flagged;
}

const Eclipse* Within(const std::vector<Eclipse>& list, const Eclipse& e, double days) {
    for (const auto& x : list)
        if (x.solar == e.solar && std::fabs(x.jd - e.jd) <= days) return &x;
    return nullptr;
}

TEST(Eclipses, From2000To2030ExactlyThoseOfTheLibrarysSearch) {
    const auto reference = SwetestEclipses(Midnight(2031, 1, 1));
    ASSERT_GT(reference.size(), 140u);  // 71 solar and 75 lunar in 31 years
    const auto flagged = FlaggedLunations(2000, 2030);
    // The lunation minute and the greatest eclipse lie within hours of each other.
    constexpr double Window = 0.5;
    for (const auto& e : reference)
        EXPECT_NE(Within(flagged, e, Window), nullptr) << "not flagged: " << e.line;
    for (const auto& f : flagged)
        EXPECT_NE(Within(reference, f, Window), nullptr)
            << "flagged without an eclipse: " << DateOf(f.jd) << f.line;
    EXPECT_EQ(flagged.size(), reference.size());

    // Cases the node distance used to get wrong: New Moons near the node
    // without an eclipse, and a penumbral lunar eclipse far from it.
    auto flaggedOn = [&](int y, int m, int d, bool solar) {
        for (const auto& f : flagged)
            if (f.solar == solar && f.jd >= Midnight(y, m, d) && f.jd < Midnight(y, m, d) + 1)
                return true;
        return false;
    };
    EXPECT_FALSE(flaggedOn(2025, 2, 28, true));
    EXPECT_FALSE(flaggedOn(2025, 8, 23, true));
    EXPECT_FALSE(flaggedOn(2018, 1, 17, true));
    EXPECT_TRUE(flaggedOn(2020, 6, 5, false));
}

}  // namespace
}  // namespace novarel
