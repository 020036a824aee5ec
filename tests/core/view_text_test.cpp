// Page text to a text widget's characters and back.
#include "core/view_text.h"

#include <gtest/gtest.h>

namespace novarel::glyph {
namespace {

TEST(ViewText, EveryByteOfAPageComesBackUnchanged) {
    std::string page;
    for (int line = 0; line < 3; ++line) {
        for (int b = 0; b < 256; ++b)
            if (b != '\r' && b != '\n') page += static_cast<char>(b);
        page += "\r\n";
    }
    page += "\r\n\r\n\f\r\nlast line without end";
    const std::u16string view = PageToViewText(page);
    EXPECT_EQ(view.find(u'\r'), std::u16string::npos);
    EXPECT_EQ(ViewTextToPage(view), page);
    // Each byte has a character of its own in the view.
    std::u16string seen;
    for (int b = 0; b < 256; ++b) {
        const char16_t c = ToViewChar(static_cast<unsigned char>(b));
        EXPECT_EQ(seen.find(c), std::u16string::npos) << "byte " << b;
        seen += c;
    }
}

TEST(ViewText, SymbolsShowAsUnicodeAndLetterCodesKeepTheirOwnCharacter) {
    // Aries, Pisces, Sun, Moon, sextile, minute mark, retrograde station.
    EXPECT_EQ(PageToViewText("\xC0\xCB\xE0\xE9\xA2\x92\x9C"),
              u"\u2648\u2653\u2609\u263D\u26B9\u2032\u211E");
    // Station direct, north, south and the degree mark are drawn as D, N, S
    // and the degree sign but must not turn into those characters, or the
    // page would not convert back.
    EXPECT_EQ(PageToViewText("\xAB\x98\x9A\xBA"), u"\u00AB\u02DC\u0161\u00BA");
    EXPECT_EQ(PageToViewText("DNS\xB0"), u"DNS\u00B0");
    EXPECT_EQ(PageToViewText("a\r\nb"), u"a\nb");
}

TEST(ViewText, TypedCharactersBecomeTheBytesTheFontDrawsThemAs) {
    // The Windows-1252 character of a glyph code, as typed or pasted.
    EXPECT_EQ(ViewTextToPage(u"\u00C0\u00E9"), "\xC0\xE9");
    EXPECT_EQ(ViewTextToPage(u"\u20AC\u2019"), "\x80\x92");
    // Characters no byte stands for.
    EXPECT_EQ(ViewTextToPage(u"\u4E2D\u00F0x"), "?\xF0x");
    EXPECT_EQ(ViewTextToPage(u"a\nb\n"), "a\r\nb\r\n");
}

TEST(ViewText, CopiedTextCarriesTheSymbolsAsUtf8) {
    const std::u16string row = PageToViewText("\xE0 10\xC0\x32\x33 \xAB \x98 4\xBA");
    EXPECT_EQ(ViewTextToUtf8(row), "\u2609 10\u264823 D N 4\u00B0");
    EXPECT_EQ(ViewTextToUtf8(u"x\n\u4E2D"), "x\n\u4E2D");
}

}  // namespace
}  // namespace novarel::glyph
