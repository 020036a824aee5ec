// The answers of the library as the position service reads them.
#include "core/library_check.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/ephemeris_library.h"

namespace novarel {
namespace {

// The text of the LibraryError that f throws.
template <class F>
std::string ErrorText(F f) {
    try {
        f();
    } catch (const LibraryError& e) {
        return e.what();
    }
    return "no exception";
}

TEST(LibraryCheck, FailureThrowsTheLibrarysTextAndTheAnalyticFallbackIsNoted) {
    EXPECT_EQ(ErrorText([&] {
                  CheckCalcResult(-1, 258, "Ephemeris file /x/sepl_18.se1 is damaged (0h). ");
              }),
              "Ephemeris file /x/sepl_18.se1 is damaged (0h)");
    EXPECT_THROW(CheckCalcResult(-1, 258, ""), LibraryError);  // a text of its own then
    EXPECT_FALSE(CheckCalcResult(258, 258, ""));
    EXPECT_TRUE(CheckCalcResult(260, 258, "using Moshier eph."));  // files flag cleared, 4 set
    EXPECT_FALSE(CheckCalcResult(260, 260, ""));                   // files were not asked for
    EXPECT_EQ(ErrorText([&] {
                  CheckCalcResult(
                      260, 258,
                      "SwissEph file 'sepl_18.se1' not found in PATH '/x/' \nusing Moshier eph.; ",
                      true);
              }),
              "the ephemeris files are required, but none covers this moment (SwissEph file "
              "'sepl_18.se1' not found in PATH '/x/' using Moshier eph)");
    EXPECT_NO_THROW(CheckEclipseResult(0, ""));
    EXPECT_THROW(CheckEclipseResult(-1, "x"), LibraryError);
    EXPECT_NO_THROW(CheckEclipseResult(0, "", std::nan(""), "solar eclipse", 2458849.5));
    EXPECT_EQ(
        ErrorText([&] { CheckEclipseResult(4, "", std::nan(""), "solar eclipse", 2458849.5); }),
        "the solar eclipse found after 2020-01-01 00:00 UT is at a moment "
        "that is not a finite number");
    // The circumstances at the greatest phase: the library's text, or the
    // eclipse named by its moment.
    EXPECT_NO_THROW(CheckEclipseMagnitude(4, "", 1.05, "solar eclipse", 2458849.5));
    EXPECT_EQ(ErrorText([&] {
                  CheckEclipseMagnitude(-1, "error in swe_sol_eclipse_where.\n", 0, "solar eclipse",
                                        0);
              }),
              "error in swe_sol_eclipse_where");
    EXPECT_EQ(
        ErrorText([&] { CheckEclipseMagnitude(4, "", std::nan(""), "lunar eclipse", 2458849.5); }),
        "the magnitude of the lunar eclipse of 2020-01-01 00:00 UT is not a finite "
        "number");
    EXPECT_EQ(SearchedFolders("/opt/n:/usr/share/libswe/ephe"),
              "/opt/n and /usr/share/libswe/ephe");
    EXPECT_EQ(SearchedFolders("/opt/n"), "/opt/n");
}

// Values that are not numbers stop the run; the message names the body and
// the moment (minutes rounded, carried into the next day).
TEST(LibraryCheck, ValuesThatAreNotNumbersAreFailures) {
    const double fine[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_NO_THROW(CheckFiniteValues(fine, 6, 2, 2458849.5));
    for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        double xx[6] = {1, 2, 3, 4, 5, bad};
        EXPECT_THROW(CheckFiniteValues(xx, 6, 2, 2458849.5), LibraryError);
        EXPECT_THROW(CheckFiniteDeltaT(bad, 2458849.5), LibraryError);
    }
    const double nan[1] = {std::nan("")};
    EXPECT_EQ(ErrorText([&] { CheckFiniteValues(nan, 1, 2, 2458849.5 + 0.99999); }),
              "the position of Mercury at 2020-01-02 00:00 UT is not a finite number");
    EXPECT_EQ(
        ErrorText([&] { CheckFiniteValues(nan, 1, swe_bodies::Earth, 2378496.5 - 1.0 / 24); }),
        "the position of the Earth at 1799-12-31 23:00 UT is not a finite number");
}

}  // namespace
}  // namespace novarel
