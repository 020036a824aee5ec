#include "core/glyphs.h"

#include <gtest/gtest.h>

#include <set>

#include "core/bodies.h"
#include "core/locale_names.h"
#include "core/locale_utf8_names.h"
#include "core/text_lines.h"

namespace novarel {
namespace {

// The signs, bodies and aspects are in the golden aspectarian pages (UTF-8);
// the marks of the ephemeris cells are not.
TEST(Glyphs, CodesRenderAsTheirSymbols) {
    EXPECT_EQ(glyph::LineToUtf8("\x9C\xAB\x98\x9A\xBA\x92"),
              "\u211ED"
              "NS\u00B0\u2032");
    EXPECT_EQ(glyph::LineToUtf8("\x80"), "\u20AC");  // other bytes are Windows-1252
}

// Every body's code renders as its symbol; the extra bodies' codes are
// Windows-1252 signs, none of them another glyph's code.
TEST(Glyphs, EveryBodyOfTheTableHasItsOwnCodeAndSymbol) {
    EXPECT_EQ(glyph::LineToUtf8("\xAC\xAE\xAF\xB2\xB3\xB4"),
              "\u26B7\u26B3\u26B4\u26B5\u26B6\u26B8");
    std::set<unsigned char> codes;
    for (const BodyInfo& b : Bodies()) {
        EXPECT_EQ(glyph::BodyCode(b.index, false), b.glyphCode) << b.name;
        EXPECT_EQ(glyph::ToCodePoint(b.glyphCode), b.unicode) << b.name;
        EXPECT_NE(glyph::Cp1252CodePoint(b.glyphCode), b.unicode) << b.name;
        codes.insert(b.glyphCode);
    }
    EXPECT_EQ(codes.size(), Bodies().size());
    for (unsigned char taken : {glyph::Semisextile, glyph::Semisquare, glyph::Sesquiquadrate,
                                glyph::Quincunx, glyph::Contraparallel})
        EXPECT_EQ(codes.count(taken), 0u);
}

TEST(TextLines, SplitAtLineFeedsWithoutATrailingEmptyLine) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(TextLines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(TextLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(TextLines("a\r"), (Lines{"a"}));        // a CR ending the text ends its line
    EXPECT_EQ(TextLines("a\rb\n"), (Lines{"a\rb"}));  // a lone CR inside a line stays
    EXPECT_EQ(TextLines("\n"), (Lines{""}));
    EXPECT_EQ(TextLines(""), Lines{});
}

TEST(LocaleNames, Cp1252HighBytesRoundTripThroughUnicode) {
    // Bytes 0x80..0x9F that are no glyph codes go to Unicode and back unchanged.
    for (int b = 0x80; b <= 0x9F; ++b) {
        if (b == glyph::Minute || b == glyph::North || b == glyph::South ||
            b == glyph::StationRetrograde)
            continue;
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(glyph::LineToUtf8(byte)), byte) << std::hex << b;
    }
}

TEST(LocaleNames, Cp1252Conversion) {
    EXPECT_EQ(Utf8ToCp1252("M\xC3\xA4rz"), "M\xE4rz");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC"), "\x80");
    EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\x80"), "?");
    EXPECT_EQ(Utf8ToCp1252("\xFF\xC3"), "??");
    // A broken sequence costs its first byte only: what follows is read again.
    EXPECT_EQ(Utf8ToCp1252("\xC3(a"), "?(a");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82(\xC3\xA9"),
              "??"
              "(\xE9");
    // Names never carry glyph codes: "M\xE4r" would show the Jupiter symbol.
    EXPECT_EQ(WithoutGlyphCodes("M\xE4r"), "Mar");
    EXPECT_EQ(WithoutGlyphCodes("f\xE9vr d\xE9"
                                "c s\xE1"
                                "b \xC9t\xE9 ao\xFBt"),
              "fevr dec sab Ete ao\xFBt");
}

}  // namespace
}  // namespace novarel

namespace novarel {
namespace {

// Locale names come from the system and are cut to table cells byte by byte:
// a malformed name must neither run past its end nor swallow what follows.
TEST(Utf8Decoding, WholeSequencesAndStrayBytes) {
    const std::string text = "a\xC3\xA9\xE2\x99\x88\xF0\x9F\x9C\x81";
    std::vector<char32_t> cps;
    for (std::size_t i = 0; i < text.size();) {
        const glyph::Utf8Char c = glyph::DecodeUtf8At(text, i);
        EXPECT_TRUE(c.ok);
        cps.push_back(c.cp);
        i += c.length;
    }
    EXPECT_EQ(cps, (std::vector<char32_t>{U'a', 0xE9, 0x2648, 0x1F701}));

    for (const std::string bad :
         {"\x80", "\xBF", "\xFF", "\xC3", "\xE2\x99", "\xC3(", "\xF0\x9F\x9C("}) {
        const glyph::Utf8Char c = glyph::DecodeUtf8At(bad, 0);
        EXPECT_FALSE(c.ok) << bad;
        EXPECT_EQ(c.length, 1u) << bad;
        EXPECT_EQ(c.cp, static_cast<unsigned char>(bad[0])) << bad;
    }
}

TEST(Utf8Decoding, FittingToCellsKeepsWholeLetters) {
    EXPECT_EQ(FitToCells("m\xC3\xA4rz", 3), "m\xC3\xA4r");
    EXPECT_EQ(FitToCells("\xE4\xB8\x80\xE4\xB8\x80", 3), "\xE4\xB8\x80 ");  // wide letters
    // A sequence cut short is one cell per byte, never read past the end.
    EXPECT_EQ(FitToCells("a\xE4\xB8", 3), "a\xE4\xB8");
    EXPECT_EQ(FitToCells("", 3), "   ");
}

}  // namespace
}  // namespace novarel
