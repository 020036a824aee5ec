#include "core/fixed_format.h"

#include <fmt/format.h>

#include <cfloat>
#include <charconv>
#include <cmath>

namespace novarel {

std::string FormatFixed(double x, int minDigits, int decimals) {
    if (!std::isfinite(x)) return x != x ? "NaN" : (x < 0 ? "-Inf" : "Inf");
    const bool negative = x < 0;
    // Six guard digits give the decimal value the reader sees; the halves are
    // then rounded away from zero on that text.
    std::string s = fmt::format("{:.{}f}", std::fabs(x), decimals + 6);
    const std::size_t point = s.find('.');
    std::string digits = s.substr(0, point) + s.substr(point + 1);
    const std::size_t intLen = point;
    const std::size_t keep = intLen + static_cast<std::size_t>(decimals);
    const bool roundUp = digits[keep] >= '5';
    digits.resize(keep);
    std::size_t newIntLen = intLen;
    if (roundUp) {
        int i = static_cast<int>(keep) - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
            digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            ++newIntLen;
        } else {
            ++digits[static_cast<std::size_t>(i)];
        }
    }
    std::string intPart = digits.substr(0, newIntLen);
    const std::string frac = digits.substr(newIntLen);
    while (intPart.size() > 1 && intPart.front() == '0' &&
           static_cast<int>(intPart.size()) > minDigits)
        intPart.erase(intPart.begin());
    if (static_cast<int>(intPart.size()) < minDigits)
        intPart.insert(0, static_cast<std::size_t>(minDigits) - intPart.size(), '0');
    if (minDigits == 0 && intPart == "0") intPart.clear();
    std::string out = intPart;
    if (decimals > 0) out += "." + frac;
    const bool isZero = out.find_first_not_of("0.") == std::string::npos;
    if (negative && !isZero) out.insert(out.begin(), '-');
    return out;
}

std::string NumberText(double x) {
    if (x == 0) return " 0";
    std::string s = fmt::format("{}", x);
    return x > 0 ? " " + s : s;
}

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const std::size_t start = i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t numStart = i;
    std::size_t intDigits = 0, fracDigits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++intDigits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++fracDigits;
    }
    if (intDigits + fracDigits == 0) return 0.0;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        const std::size_t expStart = j;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
        if (j > expStart) end = j;
    }
    (void)start;
    std::string number(text.substr(numStart, end - numStart));
    if (number.front() == '.') number.insert(number.begin(), '0');
    double value = 0.0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Far too large or too small: keep the sign and the magnitude's side.
        const bool tiny = number.find_first_of("123456789") == std::string::npos ||
                          number.find("e-") != std::string::npos ||
                          number.find("E-") != std::string::npos;
        value = tiny ? 0.0 : DBL_MAX;
    } else if (res.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

double RoundHalfEven(double x) { return std::nearbyint(x); }

bool ToInt16(double x, std::int16_t& out) {
    if (!std::isfinite(x)) return false;
    const double r = RoundHalfEven(x);
    if (r < -32768.0 || r > 32767.0) return false;
    out = static_cast<std::int16_t>(r);
    return true;
}

}  // namespace novarel
