#pragma once
// Single-byte codes that the EPHEMERI font draws as astrological symbols, and
// the Unicode rendering of table text for UTF-8 output.
#include <cstddef>
#include <string>
#include <string_view>

namespace novarel::glyph {

constexpr unsigned char SignBase = 191;  // sign n (1 Aries .. 12 Pisces) is 191 + n
constexpr unsigned char Sun = 224;
constexpr unsigned char Earth = 236;
constexpr unsigned char Moon = 233;
constexpr unsigned char Mercury = 225;  // .. Pluto 232
constexpr unsigned char NorthNodeGlyph = 234;
constexpr unsigned char AspectBase = 160;  // 161 conjunction .. 165 opposition
constexpr unsigned char Parallel = 166;
// The minor aspects with a symbol of their own (the quintiles are written
// "Q" and "bQ").
constexpr unsigned char Semisextile = 167;
constexpr unsigned char Semisquare = 168;
constexpr unsigned char Sesquiquadrate = 169;
constexpr unsigned char Quincunx = 170;
constexpr unsigned char Contraparallel = 177;
// Chiron, the four asteroids and Lilith.
constexpr unsigned char Chiron = 172;
constexpr unsigned char Ceres = 174;
constexpr unsigned char Pallas = 175;
constexpr unsigned char Juno = 178;
constexpr unsigned char Vesta = 179;
constexpr unsigned char Lilith = 180;
constexpr unsigned char StationRetrograde = 156;
constexpr unsigned char StationDirect = 171;
constexpr unsigned char North = 152;
constexpr unsigned char South = 154;
constexpr unsigned char Degree = 186;
constexpr unsigned char Minute = 146;
constexpr char RetroMark = '!';  // RetroMarkCode 33

inline char SignChar(int signNumber) { return static_cast<char>(SignBase + signNumber); }

// Glyph code of a body (BodyIndex 1..17); body 1 is the Earth when heliocentric.
unsigned char BodyCode(int bodyIndex, bool heliocentric);

// Unicode code point of one single-byte character: the glyph table for the
// symbol codes, Windows-1252 for the rest.
char32_t ToCodePoint(unsigned char c);

// Code point of a byte read as Windows-1252 (undefined bytes as themselves),
// without the glyph table.
char32_t Cp1252CodePoint(unsigned char c);

// Display cells the code point takes in a terminal (the zodiac signs are wide).
int DisplayWidth(char32_t cp);

// The UTF-8 bytes of one code point, appended to out.
void AppendUtf8(std::string& out, char32_t cp);

// The code point that starts at byte i of UTF-8 text and its length in
// bytes. A byte that does not start a whole sequence (a stray continuation
// byte, a sequence cut short) stands alone: its own value, length 1, not ok.
struct Utf8Char {
    char32_t cp = 0;
    std::size_t length = 1;
    bool ok = true;
};
Utf8Char DecodeUtf8At(std::string_view text, std::size_t i);

// One line of table text (no line end) as UTF-8. For each wide symbol one
// blank is taken from the next run of two or more blanks, or the line's
// single trailing blank, so that columns stay under their headings.
std::string LineToUtf8(std::string_view line);

// Whole text: CR LF line ends become LF, each line rendered as above.
std::string TextToUtf8(std::string_view text);

}  // namespace novarel::glyph
