// The exact library calls of the position service, through a recording fake.
#include "core/position_service.h"

#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace novarel {
namespace {

using test::RecordingLibrary;

std::vector<RecordingLibrary::Call> CalcCalls(const RecordingLibrary& lib) {
    std::vector<RecordingLibrary::Call> out;
    for (const auto& c : lib.calls)
        if (c.kind == "calc") out.push_back(c);
    return out;
}

TEST(PositionService, TropicalGeocentricCallsFlagsAndTimes) {
    RecordingLibrary lib;
    CalcRequest r;  // tropical, geo, true node
    Positions p;
    ComputePositions(2451545.0, r, lib, p);

    ASSERT_EQ(lib.calls.front().kind, "deltat");  // no sidereal mode set
    EXPECT_DOUBLE_EQ(lib.calls.front().t, 2451545.0);
    const auto calls = CalcCalls(lib);
    ASSERT_EQ(calls.size(), 22u);
    const int bodies[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11};
    for (int i = 0; i < 11; ++i) {
        const auto& ecl = calls[static_cast<std::size_t>(2 * i)];
        const auto& equ = calls[static_cast<std::size_t>(2 * i + 1)];
        EXPECT_EQ(ecl.body, bodies[i]);
        EXPECT_EQ(equ.body, bodies[i]);
        EXPECT_EQ(ecl.flags, 258);
        EXPECT_EQ(equ.flags, 2306);
        // Ephemeris Time: jd plus delta T, never jd itself.
        EXPECT_DOUBLE_EQ(ecl.t, 2451545.0 + lib.deltaT);
        EXPECT_DOUBLE_EQ(equ.t, 2451545.0 + lib.deltaT);
    }
}

TEST(PositionService, ResultsGoToTheirTablesAndTheSunHasNoSpeed) {
    RecordingLibrary lib;
    CalcRequest r;
    Positions p;
    p.BodyLongitude[0] = 77;  // entries outside 1..11 are never written
    p.BodyLongitude[12] = 88;
    ComputePositions(2451545.0, r, lib, p);
    EXPECT_EQ(p.BodyLongitude[0], 77);
    EXPECT_EQ(p.BodyLongitude[12], 88);
    // Mercury is library body 2: the fake answers 20 / 21 and speeds 0.1 / 0.2.
    EXPECT_EQ(p.BodyLongitude[Mercury], 20);
    EXPECT_EQ(p.BodyRightAscension[Mercury], 21);
    EXPECT_EQ(p.BodyLatitude[Mercury], -2.5);
    EXPECT_EQ(p.BodyDeclination[Mercury], -2.5);
    EXPECT_DOUBLE_EQ(p.LongitudeSpeed[Mercury], 0.1);
    EXPECT_DOUBLE_EQ(p.RightAscensionSpeed[Mercury], 0.2);
    // The Moon (body 1) gets the fake's negative speed; the Sun none at all.
    EXPECT_LT(p.LongitudeSpeed[Moon], 0);
    EXPECT_EQ(p.LongitudeSpeed[Sun], 0);
    EXPECT_EQ(p.RightAscensionSpeed[Sun], 0);
    EXPECT_EQ(p.BodyLongitude[NorthNode], 110);  // true node, body 11
}

TEST(PositionService, SiderealHeliocentricAndKrishnamurtiMeanNode) {
    {
        RecordingLibrary lib;
        CalcRequest r;
        r.zodiac = Zodiac::Sidereal;
        r.coordinates = Centre::Helio;
        Positions p;
        ComputePositions(2458241.5, r, lib, p);
        ASSERT_EQ(lib.calls[0].kind, "sid");
        EXPECT_EQ(lib.calls[0].body, 1);
        EXPECT_EQ(lib.calls[0].a, 0);
        EXPECT_EQ(lib.calls[0].b, 0);
        const auto calls = CalcCalls(lib);
        EXPECT_EQ(calls[0].body, 14);  // the Earth
        EXPECT_EQ(calls[0].flags, 65802);
        EXPECT_EQ(calls[1].flags, 67850);
        EXPECT_EQ(calls[21].body, 11);
    }
    {
        RecordingLibrary lib;
        CalcRequest r;
        r.zodiac = Zodiac::Ayanamsa;
        r.moonNodes = NodeKind::Mean;
        Positions p;
        ComputePositions(2458241.5, r, lib, p);
        ASSERT_EQ(lib.calls[0].kind, "sid");
        EXPECT_EQ(lib.calls[0].body, 5);
        EXPECT_EQ(lib.calls[1].kind, "deltat");
        const auto calls = CalcCalls(lib);
        EXPECT_EQ(calls[0].body, 0);
        EXPECT_EQ(calls[0].flags, 65536 + 258);
        EXPECT_EQ(calls[20].body, 10);  // mean node
        EXPECT_EQ(calls[21].body, 10);
    }
}

TEST(PositionService, SpeedTablesAreRecreatedAtEveryCall) {
    RecordingLibrary lib;
    CalcRequest r;
    Positions p;
    p.LongitudeSpeed[Sun] = 5;
    p.RightAscensionSpeed[Sun] = 5;
    ComputePositions(2451545.0, r, lib, p);
    EXPECT_EQ(p.LongitudeSpeed[Sun], 0);
    EXPECT_EQ(p.RightAscensionSpeed[Sun], 0);
}

}  // namespace
}  // namespace novarel
