#include "ephemeris/cell_format.h"

#include <cmath>
#include <cstdint>

#include "core/fixed_format.h"

namespace novarel {
namespace {

// GCC and Clang's 128-bit integer; __extension__ marks it as known to be
// outside ISO C++.
__extension__ typedef unsigned __int128 Uint128;

// x * scale rounded to the nearest integer (ties to even), computed exactly
// from the binary value of x: the digits of a correctly rounded decimal text
// of x with log10(scale) decimals.
std::uint64_t ScaledAndRounded(double x, std::uint32_t scale) {
    int e = 0;
    const double f = std::frexp(x, &e);  // x = f * 2^e, 0.5 <= f < 1
    const auto m = static_cast<std::uint64_t>(std::ldexp(f, 53));
    const Uint128 product = static_cast<Uint128>(m) * scale;
    const int shift = 53 - e;  // x = m * 2^-shift
    if (shift <= 0) return static_cast<std::uint64_t>(product << -shift);
    if (shift >= 100) return 0;  // below 2^-47: far under the last decimal
    Uint128 q = product >> shift;
    const Uint128 rest = product - (q << shift);
    const Uint128 half = static_cast<Uint128>(1) << (shift - 1);
    if (rest > half || (rest == half && (q & 1) != 0)) ++q;
    return static_cast<std::uint64_t>(q);
}

}  // namespace

void AppendFixed2(std::string& out, double x, int decimals) {
    if (!(x >= 0 && x < 1e9) || (decimals != 0 && decimals != 1)) {
        out += FormatFixed(x, 2, decimals);
        return;
    }
    // Six guard decimals, then half away from zero on the first dropped digit.
    const std::uint32_t scale = decimals == 0 ? 1000000u : 10000000u;
    const std::uint64_t guarded = ScaledAndRounded(x, scale);
    const std::uint64_t units = (guarded + 500000u) / 1000000u;
    const std::uint64_t whole = decimals == 0 ? units : units / 10;
    char digits[24];
    int n = 0;
    std::uint64_t w = whole;
    do {
        digits[n++] = static_cast<char>('0' + w % 10);
        w /= 10;
    } while (w != 0);
    if (n < 2) digits[n++] = '0';
    while (n > 0) out += digits[--n];
    if (decimals == 1) {
        out += '.';
        out += static_cast<char>('0' + units % 10);
    }
}

}  // namespace novarel
