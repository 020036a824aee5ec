#include "core/locale_names.h"

#include <langinfo.h>

#include <algorithm>
#include <optional>

#include "core/cp1252_table.h"
#include "core/glyphs.h"

namespace novarel {

LocaleNames LocaleNames::English() {
    return LocaleNames{
        {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
        {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"}};
}

std::string Utf8ToCp1252(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const glyph::Utf8Char c = glyph::DecodeUtf8At(utf8, i);
        i += c.length;
        if (!c.ok) {
            out += '?';
        } else if (c.cp < 0x80 || (c.cp >= 0xA0 && c.cp <= 0xFF)) {
            out += static_cast<char>(c.cp);
        } else {
            char mapped = '?';
            for (std::size_t k = 0; k < Cp1252High.size(); ++k)
                if (Cp1252High[k] == c.cp) mapped = static_cast<char>(0x80 + k);
            out += mapped;
        }
    }
    return out;
}

std::string WithoutGlyphCodes(std::string text) {
    for (char& ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 192 && c <= 198)
            ch = 'A';  // À..Æ (the zodiac signs)
        else if (c == 199)
            ch = 'C';  // Ç
        else if (c >= 200 && c <= 203)
            ch = 'E';  // È..Ë
        else if (c >= 224 && c <= 230)
            ch = 'a';  // à..æ (Sun, planets)
        else if (c == 231)
            ch = 'c';  // ç
        else if (c >= 232 && c <= 235)
            ch = 'e';  // è..ë
        else if (c == 236)
            ch = 'i';  // ì (Earth)
        else if (c == 154)
            ch = 's';  // š (south)
        else if (c == 156)
            ch = 'o';  // œ (station)
        else if (c == 146)
            ch = '\'';  // ’ (minute mark)
        else if (c == 186)
            ch = 'o';  // º (degree mark)
        else if (c == 152 || (c >= 161 && c <= 166) || c == 171 || c == 177)
            ch = '?';
    }
    return text;
}

namespace {

// The locale's names in single-byte text; nullopt when one of them has a
// letter the single-byte text cannot hold (Japanese, Russian, Greek), so
// that the whole set falls back to English rather than showing "?".
template <std::size_t N>
std::optional<std::array<std::string, N>> SingleByteNames(
    const nl_item (&items)[N], const std::array<std::string, N>& english) {
    std::array<std::string, N> names;
    for (std::size_t i = 0; i < N; ++i) {
        const char* s = nl_langinfo(items[i]);
        if (s == nullptr || *s == '\0') {
            names[i] = english[i];
            continue;
        }
        const std::string source = s;
        const std::string converted = Utf8ToCp1252(source);
        if (std::count(converted.begin(), converted.end(), '?') !=
            std::count(source.begin(), source.end(), '?'))
            return std::nullopt;
        names[i] = WithoutGlyphCodes(converted);
    }
    return names;
}

}  // namespace

LocaleNames LocaleNames::FromCurrentLocale() {
    static constexpr nl_item Days[7] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
    static constexpr nl_item Months[12] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                           ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    const LocaleNames english = English();
    LocaleNames names = english;
    if (auto days = SingleByteNames(Days, english.weekday)) names.weekday = *days;
    if (auto months = SingleByteNames(Months, english.monthAbbrev)) {
        for (std::size_t i = 0; i < 12; ++i) {
            std::string m = (*months)[i];
            // Table columns and the aspectarian's fixed positions need exactly three characters.
            if (!m.empty() && m.back() == '.') m.pop_back();
            m.resize(3, ' ');
            names.monthAbbrev[i] = m;
        }
    }
    return names;
}

}  // namespace novarel
