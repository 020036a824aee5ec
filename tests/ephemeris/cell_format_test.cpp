// The cell writer's own rounding (exact 128-bit scaling of the binary value)
// must give the same text as the general formatter, which takes its digits
// from fmt. The sweep walks the places where the two could part: ties on the
// guard decimal and on the shown decimal, their neighbouring doubles, carries
// into a new digit, and random values over the whole fast range.
#include "ephemeris/cell_format.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "core/fixed_format.h"

namespace novarel {
namespace {

// Every failing value with its two texts, so that one run shows them all.
std::vector<std::string> Mismatches(const std::vector<double>& values) {
    std::vector<std::string> out;
    for (double x : values)
        for (int decimals : {0, 1}) {
            std::string cell = "|";
            AppendFixed2(cell, x, decimals);
            const std::string expected = "|" + FormatFixed(x, 2, decimals);
            if (cell != expected && out.size() < 20)
                out.push_back(
                    fmt::format("{:.17g} ({} decimals): {} != {}", x, decimals, cell, expected));
        }
    return out;
}

// x and the doubles either side of it.
void WithNeighbours(std::vector<double>& values, double x) {
    values.push_back(std::nextafter(x, -1.0));
    values.push_back(x);
    values.push_back(std::nextafter(x, 1e10));
}

TEST(CellFormat, AgreesWithTheGeneralFormatterAtTiesAndCarries) {
    std::vector<double> values;
    // Halves of the guard decimal (7th and 8th) and of the shown decimal, for
    // the degrees and minutes of a table cell.
    for (int whole = 0; whole < 400; ++whole)
        for (int tenth = 0; tenth < 10; ++tenth) {
            const double shown = whole + tenth / 10.0;
            WithNeighbours(values, shown + 0.05);
            WithNeighbours(values, whole + 0.5);
            WithNeighbours(values, shown + 0.0000005);
            WithNeighbours(values, shown + 0.00000005);
            WithNeighbours(values, shown + 0.04999995);
            WithNeighbours(values, shown + 0.0999999);
        }
    // Carries into a new digit at every power of ten.
    for (double p = 1; p < 1e9; p *= 10) {
        WithNeighbours(values, p - 0.5);
        WithNeighbours(values, p - 0.05);
        WithNeighbours(values, p - 0.0000005);
        WithNeighbours(values, p - 0.00000005);
    }
    // Tiny values, and the ends of the fast range.
    for (double tiny : {0.0, 1e-300, 1e-20, 4.9e-8, 5e-8, 5.1e-8, 4.9999999e-7, 5e-7})
        WithNeighbours(values, tiny);
    WithNeighbours(values, 999999999.95);
    EXPECT_EQ(Mismatches(values), std::vector<std::string>{});
}

TEST(CellFormat, AgreesWithTheGeneralFormatterOnRandomValues) {
    std::mt19937_64 random(20180322);
    std::uniform_real_distribution<double> degrees(0.0, 360.0);
    std::uniform_real_distribution<double> exponent(-12.0, 9.0);
    std::vector<double> values;
    for (int n = 0; n < 200000; ++n) {
        values.push_back(degrees(random));
        values.push_back(std::pow(10.0, exponent(random)));
    }
    EXPECT_EQ(Mismatches(values), std::vector<std::string>{});
}

TEST(CellFormat, ValuesOutsideTheFastRangeTakeTheGeneralFormatter) {
    std::vector<double> values = {-0.04, -0.05, -1.5, 1e9, 1e12, 1e300};
    values.push_back(std::nan(""));
    values.push_back(HUGE_VAL);
    values.push_back(-HUGE_VAL);
    EXPECT_EQ(Mismatches(values), std::vector<std::string>{});
    std::string cell;
    AppendFixed2(cell, -1.5, 1);
    EXPECT_EQ(cell, "-01.5");
}

}  // namespace
}  // namespace novarel
