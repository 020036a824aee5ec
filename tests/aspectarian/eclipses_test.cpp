// The eclipses of 36 years of aspectarian against every eclipse of the
// library's swetest tool (tests/data/aspectarian/swetest_eclipses.txt): each
// eclipse flags its lunation with swetest's type, magnitude and greatest
// phase, and no other lunation is flagged.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "aspectarian/aspectarian_generator.h"
#include "aspectarian/eclipse_search.h"
#include "core/library_check.h"
#include "tests/aspectarian/exact_events.h"
#include "tests/ephemeris/generator_rig.h"
#include "tests/support/fakes.h"

namespace novarel {
namespace {

struct Eclipse {
    bool solar = false;
    double jd = 0;  // swetest: greatest eclipse, UT; flagged: the lunation's moment
    std::string line;
    std::string type;       // total, annular, hybrid, partial, penumbral
    std::string magnitude;  // to swetest's four decimals
    double maximum = 0;     // greatest eclipse, UT
};

using test::DateOf, test::Midnight;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
    return parts;
}

// The first line of each eclipse: its type and kind, date, time, (solar: the
// shadow's width), the magnitudes, the saros, the Julian Day of greatest
// eclipse; tab-separated.
std::vector<Eclipse> SwetestEclipses(double from, double before) {
    std::ifstream in(std::string(NOVAREL_TEST_DATA) + "/aspectarian/swetest_eclipses.txt");
    std::vector<Eclipse> out;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#' || line[0] == '$' || line[0] == ' ' || line[0] == '\t')
            continue;
        const bool solar = line.find(" solar") != std::string::npos;
        EXPECT_TRUE(solar || line.find(" lunar") != std::string::npos) << line;
        const std::vector<std::string> fields = Split(line, '\t');
        const double jd = std::stod(fields.back());
        if (jd < from || jd >= before) continue;
        const std::string word = fields[0].substr(0, fields[0].find(' '));
        const std::string type = word == "ann-tot"   ? "hybrid"
                                 : word == "penumb." ? "penumbral"
                                                     : word;
        // Solar: the fraction of the Sun's diameter covered, the second of
        // three; lunar: umbral, or penumbral for a penumbral eclipse.
        const std::vector<std::string> magnitudes = Split(fields[solar ? 4 : 3], '/');
        const std::string magnitude = magnitudes[!solar && type == "penumbral" ? 1 : 0];
        out.push_back({solar, jd, line, type, magnitude, jd});
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
        std::vector<AspectEvent> eclipses;
        for (const AspectEvent& e : p.aspectarian.Events)
            if (e.kind == EventKind::Eclipse) eclipses.push_back(e);
        std::size_t next = 0;
        for (const auto& e : test::ReportEvents(p.aspectarian.ReportLines, first)) {
            const bool solar = e.line.find(" - solar eclipse") != std::string::npos;
            if (!solar && e.line.find(" - lunar eclipse") == std::string::npos) continue;
            EXPECT_LT(next, eclipses.size()) << e.line;
            if (next >= eclipses.size()) break;
            const EclipseDetails& d = eclipses[next++].eclipseDetails;
            flagged.push_back(
                {solar, e.jd, e.line, d.type, fmt::format("{:.4f}", d.magnitude), d.maximumJD});
        }
        EXPECT_EQ(next, eclipses.size());
    }
    return flagged;
}

const Eclipse* Within(const std::vector<Eclipse>& list, const Eclipse& e, double days) {
    for (const auto& x : list)
        if (x.solar == e.solar && std::fabs(x.jd - e.jd) <= days) return &x;
    return nullptr;
}

// Each eclipse of the years flags its lunation with the type, magnitude and
// greatest phase of swetest; no other lunation is flagged.
void ExpectTheEclipsesOfSwetest(int firstYear, int lastYear) {
    const auto reference = SwetestEclipses(Midnight(firstYear, 1, 1), Midnight(lastYear + 1, 1, 1));
    EXPECT_GT(reference.size(), static_cast<std::size_t>(4 * (lastYear - firstYear)));
    const auto flagged = FlaggedLunations(firstYear, lastYear);
    // The lunation minute and the greatest eclipse lie within hours of each other.
    constexpr double Window = 0.5;
    // swetest prints the Julian Day to six decimals, 0.09 seconds.
    constexpr double MaximumTolerance = 0.1 / 86400;
    for (const auto& e : reference) {
        const Eclipse* f = Within(flagged, e, Window);
        EXPECT_NE(f, nullptr) << "not flagged: " << e.line;
        if (f == nullptr) continue;
        EXPECT_EQ(f->type, e.type) << e.line;
        EXPECT_EQ(f->magnitude, e.magnitude) << e.line;
        EXPECT_NEAR(f->maximum, e.maximum, MaximumTolerance) << e.line;
    }
    for (const auto& f : flagged)
        EXPECT_NE(Within(reference, f, Window), nullptr)
            << "flagged without an eclipse: " << DateOf(f.jd) << f.line;
    EXPECT_EQ(flagged.size(), reference.size());
}

TEST(Eclipses, From2000To2030AreThoseOfTheLibrarysSearch) {
    // 71 solar, 75 lunar; among them none at the New Moons near the node of
    // 28 February and 23 August 2025, and the penumbral one of 5 June 2020.
    ExpectTheEclipsesOfSwetest(2000, 2030);
}

TEST(Eclipses, From1850To1854AreThoseOfTheLibrarysSearch) {
    ExpectTheEclipsesOfSwetest(1850, 1854);  // the hybrid of 20 November 1854 among them
}

// A failure of the library while searching for an eclipse or asking its
// circumstances stops the run with the library's text.
TEST(EclipseSearch, AFailedSearchOrCircumstancesCallStopsTheRun) {
    test::RecordingLibrary library;
    library.eclipseMaxima = {2451580.03};
    library.failCircumstances = true;
    EclipseSearch failing(library);
    try {
        failing.AtLunation(EclipseKind::Lunar, 2451580.0);
        FAIL() << "no exception";
    } catch (const LibraryError& e) {
        EXPECT_STREQ(e.what(), "circumstances failed");
    }
    library.failEclipse = true;
    EXPECT_THROW(EclipseSearch(library).AtLunation(EclipseKind::Solar, 2451550.1), LibraryError);
}

}  // namespace
}  // namespace novarel
