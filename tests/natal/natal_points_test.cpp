// Natal places against the library's own swetest tool
// (tests/data/natal/swetest_natal.txt holds its output and command lines).
#include "natal/natal_points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "core/swe_library.h"

namespace novarel {
namespace {

// swetest prints 7 decimals; the library answers the same numbers.
constexpr double Tolerance = 1.0 / 3600 / 10;  // 0.1"

struct Reference {
    double longitude = 0;
    double declination = 0;
};

std::map<std::string, Reference> LoadReference() {
    std::ifstream in(std::string(NOVAREL_TEST_DATA) + "/natal/swetest_natal.txt");
    std::map<std::string, Reference> out;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line[0] == '$') continue;
        // The name fills the first 17 columns.
        std::string name = line.substr(0, 17);
        name.erase(name.find_last_not_of(' ') + 1);
        std::istringstream values(line.substr(17));
        Reference r;
        values >> r.longitude >> r.declination;
        out[name] = r;
    }
    return out;
}

NatalChart NewYorkChart() {
    NatalChart chart;
    chart.name = "New York 1975";
    chart.date = {1975, 6, 21};
    chart.hour = 14;
    chart.minute = 30;
    chart.timeZone = "America/New_York";
    chart.place = PlaceOnEarth{40.7128, -74.006};
    return chart;
}

class NatalPointsTest : public ::testing::Test {
protected:
    void SetUp() override { library.set_ephe_path(EphemerisPathFor("/nonexistent")); }
    SweLibrary library;
    CalcRequest request;
    std::map<std::string, Reference> reference = LoadReference();
};

TEST_F(NatalPointsTest, BodiesAndAnglesEqualSwetestAtTheLocalBirthMoment) {
    ASSERT_EQ(reference.size(), 18u);
    const NatalPoints natal = ComputeNatalPoints(NewYorkChart(), request, library);
    // 14:30 Eastern Daylight Time is 18:30 UT (swetest: UT 2442585.270833333).
    EXPECT_NEAR(natal.birthJdUt, 2442585.270833333, 1e-8);
    ASSERT_TRUE(natal.hasAngles);
    ASSERT_EQ(natal.points.size(), 13u);
    for (const NatalPoint& point : natal.points) {
        std::string name(NatalPointName(point));
        if (name == "Node") name = "true Node";
        if (name == "Midheaven") name = "MC";
        SCOPED_TRACE(name);
        ASSERT_TRUE(reference.count(name));
        EXPECT_NEAR(point.longitude, reference[name].longitude, Tolerance);
        EXPECT_NEAR(point.declination, reference[name].declination, Tolerance);
    }
}

TEST_F(NatalPointsTest, AnglesAtAPolarPlaceAndInTheSiderealZodiac) {
    NatalChart north = NewYorkChart();
    north.place = PlaceOnEarth{69.6492, 18.9553};
    const NatalPoints polar = ComputeNatalPoints(north, request, library);
    EXPECT_NEAR(polar.points.at(11).longitude, reference["Tromso Ascendant"].longitude, Tolerance);
    EXPECT_NEAR(polar.points.at(12).longitude, reference["Tromso MC"].longitude, Tolerance);
    EXPECT_NEAR(polar.points.at(11).declination, reference["Tromso Ascendant"].declination,
                Tolerance);

    request.zodiac = Zodiac::Sidereal;
    const NatalPoints sidereal = ComputeNatalPoints(NewYorkChart(), request, library);
    EXPECT_NEAR(sidereal.points.at(0).longitude, reference["Lahiri Sun"].longitude, Tolerance);
    EXPECT_NEAR(sidereal.points.at(11).longitude, reference["Lahiri Ascendant"].longitude,
                Tolerance);
    EXPECT_NEAR(sidereal.points.at(12).longitude, reference["Lahiri MC"].longitude, Tolerance);
    // A declination does not depend on the zodiac.
    EXPECT_NEAR(sidereal.points.at(11).declination, reference["Ascendant"].declination, Tolerance);
}

TEST_F(NatalPointsTest, NoPlaceGivesNoAnglesAndTheExtraBodiesFollowTheEleven) {
    NatalChart chart = NewYorkChart();
    chart.place.reset();
    request.extraBodies = true;
    request.coordinates = Centre::Helio;  // natal places are always geocentric
    const NatalPoints natal = ComputeNatalPoints(chart, request, library);
    EXPECT_FALSE(natal.hasAngles);
    ASSERT_EQ(natal.points.size(), 17u);
    EXPECT_NEAR(natal.points.at(0).longitude, reference["Sun"].longitude, Tolerance);
    EXPECT_EQ(natal.points.back().bodyIndex, Lilith);
    EXPECT_EQ(NatalPointGlyph(natal.points.at(5), true), "♃");
}

TEST(NatalChartChecks, DatesOfBothCalendarsClocksZonesAndPlaces) {
    NatalChart chart = NewYorkChart();
    EXPECT_EQ(ChartProblem(chart), "");
    auto problemWith = [&](auto change) {
        NatalChart changed = chart;
        change(changed);
        return ChartProblem(changed);
    };
    EXPECT_EQ(problemWith([](NatalChart& c) {
                  c.date = {1900, 2, 29};
              }),
              "The birth date 1900-02-29 is not a date of the calendar.");
    // 1500 is a leap year of the Julian calendar, in force until 4 October 1582.
    EXPECT_EQ(problemWith([](NatalChart& c) { c.date = {1500, 2, 29}; }), "");
    EXPECT_EQ(problemWith([](NatalChart& c) {
                  c.date = {1582, 10, 10};
              }),
              "The birth date 1582-10-10 is not a date of the calendar.");
    EXPECT_EQ(problemWith([](NatalChart& c) { c.hour = 24; }),
              "The birth time 24:30 is not a time of day.");
    EXPECT_EQ(problemWith([](NatalChart& c) { c.timeZone = "Europe/Atlantis"; }),
              "The time zone Europe/Atlantis is not known.");
    EXPECT_EQ(problemWith([](NatalChart& c) { c.place->latitude = 90.5; }),
              "The latitude 90.5 is not one from -90 to 90 degrees.");
    EXPECT_EQ(problemWith([](NatalChart& c) { c.place->longitude = NAN; }),
              "The longitude nan is not one from -180 to 180 degrees.");
    EXPECT_EQ(problemWith([](NatalChart& c) { c.name = "two\nlines"; }),
              "The name of a chart is one line of at most 60 characters.");
    EXPECT_EQ(problemWith([](NatalChart& c) { c.name = "\xff"; }),
              "The name of a chart is one line of at most 60 characters.");
    // Sixty characters of two bytes each are a name still.
    EXPECT_EQ(problemWith([](NatalChart& c) {
                  c.name.clear();
                  for (int i = 0; i < 60; ++i) c.name += "é";
              }),
              "");

    // Julian 1 March 1500, noon UT (swetest -b1.3.1500j -ut12: UT 2268993.0).
    chart.date = {1500, 3, 1};
    chart.hour = 12;
    chart.minute = 0;
    chart.timeZone = "UT";
    EXPECT_DOUBLE_EQ(*BirthMoment(chart), 2268993.0);
    EXPECT_THROW(ComputeNatalPoints(NatalChart{}, CalcRequest{}, *std::make_unique<SweLibrary>()),
                 std::invalid_argument);
}

}  // namespace
}  // namespace novarel
