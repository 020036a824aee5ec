#include "ephemeris/cell_format.h"

#include <bit>
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
    // x = m * 2^-shift, read from the bits: the significand with its hidden
    // bit, the exponent less its bias and the significand's 52 places.
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const auto biased = static_cast<int>((bits >> 52) & 0x7ff);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t m = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int shift = biased == 0 ? 1074 : 1075 - biased;
    const Uint128 product = static_cast<Uint128>(m) * scale;
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
    // Digits from the right, then added to the row in one piece.
    char text[24];
    std::size_t from = sizeof text;
    if (decimals == 1) {
        text[--from] = static_cast<char>('0' + units % 10);
        text[--from] = '.';
    }
    const std::size_t point = from;
    std::uint64_t w = whole;
    do {
        text[--from] = static_cast<char>('0' + w % 10);
        w /= 10;
    } while (w != 0);
    if (point - from < 2) text[--from] = '0';
    out.append(text + from, sizeof text - from);
}

}  // namespace novarel
