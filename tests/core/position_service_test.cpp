// Values and flags of every library call are checked against swetest
// (swetest_positions_test.cpp); here, what a reused Positions keeps.
#include "core/position_service.h"

#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace novarel {
namespace {

using test::RecordingLibrary;

TEST(PositionService, SpeedTablesAreRecreatedAtEveryCall) {
    RecordingLibrary lib;
    CalcRequest r;
    Positions p;
    p.LongitudeSpeed[Sun] = 5;
    p.RightAscensionSpeed[Sun] = 5;
    p.BodyLongitude[0] = 77;  // entries outside 1..11 are never written
    p.BodyLongitude[12] = 88;
    ComputePositions(2451545.0, r, lib, p);
    EXPECT_EQ(p.BodyLongitude[0], 77);
    EXPECT_EQ(p.BodyLongitude[12], 88);
    EXPECT_EQ(p.LongitudeSpeed[Sun], 0);
    EXPECT_EQ(p.RightAscensionSpeed[Sun], 0);
}

}  // namespace
}  // namespace novarel
