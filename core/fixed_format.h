#pragma once
// Number formats of the tables and the number reading of the input texts.
// All output uses "." whatever the process locale.
#include <cstdint>
#include <string>
#include <string_view>

namespace novarel {

// Fixed-point text of x with at least minDigits integer digits (zero padded)
// and exactly decimals decimals, rounded half away from zero on the decimal
// value of x ("00" is (x,2,0), "00.0" (x,2,1), "#0.0" (x,1,1), "#######.0" (x,1,1)).
std::string FormatFixed(double x, int minDigits, int decimals);

// Shortest invariant number text with a leading blank for values >= 0
// (" 10", " 7.75", "-1"): how number values are written into text files.
std::string NumberText(double x);

// The leading number of a text: blanks skipped, optional sign, digits with an
// optional "." fraction and exponent; 0 when there is none. Never throws.
double LeadingNumber(std::string_view text);

// Round half to even, as integer fields take numbers.
double RoundHalfEven(double x);

// Round to the nearest 16-bit integer; false when the value does not fit.
bool ToInt16(double x, std::int16_t& out);

}  // namespace novarel
