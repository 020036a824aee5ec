#pragma once
// Page text (single-byte, CR LF) as a text widget holds it (UTF-16, LF), and
// back. The glyph codes show as their Unicode symbols, so that copied text
// carries the symbols; a code whose symbol is another byte's own character
// (the letters "D", "N", "S", the degree sign) keeps its Windows-1252
// character, which the glyph font draws as that symbol, so that every page
// converts back byte for byte.
#include <string>
#include <string_view>

namespace novarel::glyph {

// The UTF-16 unit a byte shows as in the view.
char16_t ToViewChar(unsigned char c);

// The byte a view character stands for; '?' for a character no byte shows.
unsigned char FromViewChar(char16_t c);

// CR LF becomes LF; every other byte becomes its view character.
std::u16string PageToViewText(std::string_view page);

// The same into a buffer of at least page.size() units; returns the count.
std::size_t PageToViewText(std::string_view page, char16_t* out);

// LF becomes CR LF; every other character its byte. PageToViewText and this
// are inverse for any text whose line feeds all follow a carriage return.
std::string ViewTextToPage(std::u16string_view view);

// View text as UTF-8 for the clipboard: the codes drawn as letters become
// those letters, line ends LF.
std::string ViewTextToUtf8(std::u16string_view view);

}  // namespace novarel::glyph
