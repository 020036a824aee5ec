#pragma once
// Weekday and month names for table titles, in single-byte text.
#include <array>
#include <string>

namespace novarel {

struct LocaleNames {
    std::array<std::string, 7> weekday;       // Sunday first
    std::array<std::string, 12> monthAbbrev;  // always three characters wide

    // English names, as the "C" locale gives them.
    static LocaleNames English();
    // Names of the process's LC_TIME locale (after setlocale(LC_TIME, "")),
    // converted to Windows-1252. A set of names (weekdays, months) with a
    // letter Windows-1252 lacks is the English set instead; letters
    // whose codes the glyph font draws as symbols lose their accent (see
    // WithoutGlyphCodes).
    static LocaleNames FromCurrentLocale();
};

// UTF-8 text to Windows-1252; characters without a code become '?'.
std::string Utf8ToCp1252(const std::string& utf8);

// Single-byte text for the table titles and dates: a character whose code is
// a glyph code ("\xE4" is both "\u00e4" and Jupiter, "\xE9" both "\u00e9" and
// the Moon) becomes a plain character of the same width ("Mär" becomes "Mar"),
// so that the glyph font and the UTF-8 rendering show a name, not a symbol.
std::string WithoutGlyphCodes(std::string text);

}  // namespace novarel
