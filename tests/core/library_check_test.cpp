// The answers of the library as the position service reads them.
#include "core/library_check.h"

#include <gtest/gtest.h>

#include "core/position_service.h"
#include "tests/support/fakes.h"

namespace novarel {
namespace {

TEST(LibraryCheck, FailureThrowsTheLibrarysTextAndTheAnalyticFallbackIsNoted) {
    try {
        CheckCalcResult(-1, 258, "Ephemeris file /x/sepl_18.se1 is damaged (0h). ");
        FAIL() << "no exception";
    } catch (const LibraryError& e) {
        EXPECT_STREQ(e.what(), "Ephemeris file /x/sepl_18.se1 is damaged (0h)");
    }
    EXPECT_THROW(CheckCalcResult(-1, 258, ""), LibraryError);  // a text of its own then
    EXPECT_FALSE(CheckCalcResult(258, 258, ""));
    EXPECT_TRUE(CheckCalcResult(260, 258, "using Moshier eph."));  // files flag cleared, 4 set
    EXPECT_FALSE(CheckCalcResult(260, 260, ""));                   // files were not asked for
    try {
        CheckCalcResult(
            260, 258, "SwissEph file 'sepl_18.se1' not found in PATH '/x/' \nusing Moshier eph.; ",
            true);
        FAIL() << "no exception";
    } catch (const LibraryError& e) {
        EXPECT_STREQ(e.what(),
                     "the ephemeris files are required, but none covers this moment (SwissEph file "
                     "'sepl_18.se1' not found in PATH '/x/' using Moshier eph)");
    }
    EXPECT_NO_THROW(CheckEclipseResult(0, ""));
    EXPECT_THROW(CheckEclipseResult(-1, "x"), LibraryError);
    EXPECT_EQ(SearchedFolders("/opt/n:/usr/share/libswe/ephe"),
              "/opt/n and /usr/share/libswe/ephe");
    EXPECT_EQ(SearchedFolders("/opt/n"), "/opt/n");
}

TEST(LibraryCheck, PositionServiceStopsAtTheFirstFailedCall) {
    test::RecordingLibrary lib;
    CalcRequest request;
    Positions p;
    ComputePositions(2460000.5, request, lib, p);
    EXPECT_FALSE(p.fromAnalyticEphemeris);
    lib.analytic = true;
    ComputePositions(2460000.5, request, lib, p);
    EXPECT_TRUE(p.fromAnalyticEphemeris);
    lib.analytic = false;
    ComputePositions(2460000.5, request, lib, p);
    EXPECT_TRUE(p.fromAnalyticEphemeris);  // kept until the run clears it
    request.requireEphemerisFiles = true;
    lib.analytic = true;
    EXPECT_THROW(ComputePositions(2460000.5, request, lib, p), LibraryError);
    lib.analytic = false;
    lib.failCalc = true;
    lib.calls.clear();
    EXPECT_THROW(ComputePositions(2460000.5, request, lib, p), LibraryError);
    EXPECT_EQ(lib.calls.size(), 2u);  // deltat, then the first calc
}

}  // namespace
}  // namespace novarel
