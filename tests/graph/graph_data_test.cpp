// The graph's data against the library's independent `swetest`: the
// stations and ingresses marked along the paths fall in the hour swetest
// shows them in, a path breaks only where it passes the dial's end, and the
// positions read under a moment are the library's.
//
//   swetest -b1.1.2024 -ut0:00 -n8785 -s0.041666666667 -p2 -fTls -head
//     Mercury's speed changes sign 1 Apr 22-23h, 25 Apr 12-13h, 5 Aug 4-5h,
//     28 Aug 21-22h, 26 Nov 2-3h, 15 Dec 20-21h UT.
//   swetest -b5.12.2024 -ut0:00 -n96 -s0.041666666667 -p3 -fTl -head
//     Venus 299.9892845° at 6h, 300.0374590° at 7h UT on 7 December: it
//     enters Aquarius.
//   swetest -b15.12.2024 -ut0:00 -n24 -s0.041666666667 -p0 -fTl -head (and -p1)
//     the Moon less the Sun 179.984° at 9h, 180.537° at 10h UT: Full Moon.
//   swetest -b30.12.2024 -ut0:00 -n48 -s0.041666666667 -p0 -fTl -head (and -p1)
//     -0.2266° at 22h, +0.2808° at 23h UT: New Moon.
//   swetest -b21.12.2020 -ut12:00 -p56 -fPl -head
//     Jupiter 300.4279327°, Saturn 300.4575119°.
#include "graph/graph_data.h"

#include <gtest/gtest.h>

#include "core/swe_library.h"

namespace novarel::graph {
namespace {

GraphData Compute(Dial dial, CivilDate first, CivilDate last, std::vector<int> bodies) {
    SweLibrary library;
    library.set_ephe_path(EphemerisPathFor(NOVAREL_BUILD_DIR));
    GraphRequest request;
    request.dial = dial;
    request.first = first;
    request.last = last;
    request.bodies = std::move(bodies);
    return ComputeGraph(request, {}, library);
}

double Hour(CivilDate day, double hour) { return MidnightJd(day) + hour / 24; }

TEST(GraphData, StationsAndIngressesFallInTheHourSwetestShows) {
    const GraphData data = Compute(Dial::Full, {2024, 1, 1}, {2024, 12, 31}, {Mercury, Venus});
    struct Expected {
        MarkerKind kind;
        int body;
        double from;  // the hour it lies in
    };
    const Expected expected[] = {
        {MarkerKind::StationRetrograde, Mercury, Hour({2024, 4, 1}, 22)},
        {MarkerKind::StationDirect, Mercury, Hour({2024, 4, 25}, 12)},
        {MarkerKind::StationRetrograde, Mercury, Hour({2024, 8, 5}, 4)},
        {MarkerKind::StationDirect, Mercury, Hour({2024, 8, 28}, 21)},
        {MarkerKind::StationRetrograde, Mercury, Hour({2024, 11, 26}, 2)},
        {MarkerKind::StationDirect, Mercury, Hour({2024, 12, 15}, 20)},
    };
    std::vector<GraphMarker> stations;
    for (const GraphMarker& m : data.markers)
        if (m.kind != MarkerKind::Ingress) stations.push_back(m);
    // Venus has no station in 2024; Mercury's of 2 January is one more.
    ASSERT_EQ(stations.size(), std::size(expected) + 1);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const GraphMarker& m = stations[i + 1];
        EXPECT_EQ(m.kind, expected[i].kind) << i;
        EXPECT_EQ(m.body, expected[i].body) << i;
        EXPECT_GE(m.jd, expected[i].from) << i;
        EXPECT_LE(m.jd, expected[i].from + 1.0 / 24) << i;
    }
    // Venus enters Aquarius (sign 11) at 300° on 7 December, 6-7h.
    const double december = MidnightJd({2024, 12, 1});
    const auto venus =
        std::find_if(data.markers.begin(), data.markers.end(), [december](const auto& m) {
            return m.body == Venus && m.kind == MarkerKind::Ingress && m.sign == 11 &&
                   m.jd > december;
        });
    ASSERT_NE(venus, data.markers.end());
    EXPECT_GE(venus->jd, Hour({2024, 12, 7}, 6));
    EXPECT_LE(venus->jd, Hour({2024, 12, 7}, 7));
    EXPECT_DOUBLE_EQ(venus->longitude, 300);
}

TEST(GraphData, LunationsFallInTheHourSwetestShows) {
    SweLibrary library;
    library.set_ephe_path(EphemerisPathFor(NOVAREL_BUILD_DIR));
    GraphRequest request;
    request.first = {2024, 12, 1};
    request.last = {2024, 12, 31};
    request.bodies = {Saturn};
    request.lunations = true;
    std::vector<GraphMarker> lunations;
    for (const GraphMarker& m : ComputeGraph(request, {}, library).markers)
        if (m.kind == MarkerKind::NewMoon || m.kind == MarkerKind::FullMoon) lunations.push_back(m);
    // The New Moon of 1 December, the Full Moon, the New Moon of the 30th.
    ASSERT_EQ(lunations.size(), 3u);
    EXPECT_EQ(lunations[1].kind, MarkerKind::FullMoon);
    EXPECT_GE(lunations[1].jd, Hour({2024, 12, 15}, 9));
    EXPECT_LE(lunations[1].jd, Hour({2024, 12, 15}, 10));
    EXPECT_EQ(lunations[2].kind, MarkerKind::NewMoon);
    EXPECT_GE(lunations[2].jd, Hour({2024, 12, 30}, 22));
    EXPECT_LE(lunations[2].jd, Hour({2024, 12, 30}, 23));
}

TEST(GraphData, APathBreaksOnlyWhereItPassesTheDialsEnd) {
    // Retrograde over 0° Aries and direct again: each pass is a break.
    const std::vector<LongitudeSample> samples{{0, 44},  {1, 46},    {2, 1},  {3, 359},
                                               {4, 358}, {5, 359.5}, {6, 0.5}};
    const auto full = DialRuns(samples, Dial::Full);
    ASSERT_EQ(full.size(), 3u);
    // Passing 360 backwards between days 2 and 3: the run ends at the top at
    // the moment between them, and the next starts at the bottom.
    EXPECT_DOUBLE_EQ(full[0].back().value, 0);
    EXPECT_DOUBLE_EQ(full[0].back().jd, 2.5);
    EXPECT_DOUBLE_EQ(full[1].front().value, 360);
    EXPECT_DOUBLE_EQ(full[1].back().value, 360);
    EXPECT_DOUBLE_EQ(full[1].back().jd, 5.5);
    EXPECT_DOUBLE_EQ(full[2].front().value, 0);
    // On the 45° dial 45° is an end too: 44 -> 46 passes it downward (the
    // value grows down the dial), 45.5 -> 44.8 upward.
    const auto eighth = DialRuns({{0, 44}, {1, 46}, {2, 45.5}, {3, 44.8}}, Dial::Eighth);
    ASSERT_EQ(eighth.size(), 3u);
    EXPECT_DOUBLE_EQ(eighth[0].back().value, 45);
    EXPECT_DOUBLE_EQ(eighth[0].back().jd, 0.5);
    EXPECT_DOUBLE_EQ(eighth[1].front().value, 0);
    EXPECT_DOUBLE_EQ(eighth[1].back().value, 0);
    EXPECT_NEAR(eighth[1].back().jd, 2 + 0.5 / 0.7, 1e-12);
    EXPECT_DOUBLE_EQ(eighth[2].front().value, 45);
    EXPECT_NEAR(eighth[2].back().value, 44.8, 1e-12);
    EXPECT_DOUBLE_EQ(DialValue(-0.5, Dial::Quarter), 89.5);
}

TEST(GraphData, AReadingIsTheLibrarysPositionsAtThatMoment) {
    const GraphData data = Compute(Dial::Full, {2020, 12, 1}, {2020, 12, 31}, {Jupiter, Saturn});
    const GraphReading r = ReadAt(data, Hour({2020, 12, 21}, 12));
    ASSERT_EQ(r.bodies.size(), 2u);
    EXPECT_NEAR(r.bodies[0].longitude, 300.4279327, 0.0005);
    EXPECT_NEAR(r.bodies[1].longitude, 300.4575119, 0.0005);
    EXPECT_EQ(ReadingText(r), "21 Dec 2020 12:00 UT  ♃ 0°♒26′  ♄ 0°♒27′");
    // A moment outside the period reads its nearer end.
    EXPECT_EQ(ReadAt(data, 0).jd, data.startJd);
}

TEST(GraphData, APeriodOutsideAMonthToTenYearsIsRefused) {
    GraphRequest request;
    request.bodies = DefaultGraphBodies();
    request.first = {2020, 1, 1};
    request.last = {2029, 12, 31};
    EXPECT_EQ(GraphRequestProblem(request), "");
    request.last = {2030, 1, 2};
    EXPECT_NE(GraphRequestProblem(request).find("longer than ten years"), std::string::npos);
    request.last = {2020, 1, 27};
    EXPECT_NE(GraphRequestProblem(request).find("shorter than 28 days"), std::string::npos);
    request.last = {2020, 6, 1};
    request.bodies = {Chiron};
    EXPECT_NE(GraphRequestProblem(request).find("Chiron needs the extra bodies"),
              std::string::npos);
}

}  // namespace
}  // namespace novarel::graph
