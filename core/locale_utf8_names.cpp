#include "core/locale_utf8_names.h"

#include <langinfo.h>

#include "core/glyphs.h"

namespace novarel {
namespace {

constexpr int MonthCells = 3;

// Cells in a terminal: East Asian wide letters take two, combining marks none.
int Cells(char32_t cp) {
    if ((cp >= 0x0300 && cp <= 0x036F) || cp == 0x200B) return 0;
    if ((cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
        (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
        (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
        (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x20000 && cp <= 0x3FFFD))
        return 2;
    return glyph::DisplayWidth(cp);
}

bool IsLetterByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b >= 0x80;
}

std::string MonthAbbrev(std::string m) {
    while (!m.empty() && (m.back() == '.' || m.back() == ' ')) m.pop_back();
    const std::size_t first = m.find_first_not_of(' ');
    m = first == std::string::npos ? "" : m.substr(first);
    return FitToCells(m, MonthCells);
}

void ReplaceWords(std::string& text, const std::string& from, const std::string& to) {
    if (from.empty() || from == to) return;
    std::size_t at = 0;
    while ((at = text.find(from, at)) != std::string::npos) {
        const std::size_t end = at + from.size();
        const bool whole = (at == 0 || !IsLetterByte(text[at - 1])) &&
                           (end == text.size() || !IsLetterByte(text[end]));
        if (!whole) {
            at = end;
            continue;
        }
        text.replace(at, from.size(), to);
        at += to.size();
    }
}

}  // namespace

std::string FitToCells(const std::string& utf8, int cells) {
    std::string out;
    int used = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        // A stray byte counts as one cell of its own.
        const glyph::Utf8Char c = glyph::DecodeUtf8At(utf8, i);
        const int width = Cells(c.cp);
        if (used + width > cells) break;
        out.append(utf8, i, c.length);
        used += width;
        i += c.length;
    }
    out.append(static_cast<std::size_t>(cells - used), ' ');
    return out;
}

Utf8LocaleNames Utf8NamesFromCurrentLocale() {
    static constexpr nl_item Days[7] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
    static constexpr nl_item Months[12] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                           ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    const LocaleNames english = LocaleNames::English();
    Utf8LocaleNames names;
    for (std::size_t i = 0; i < 7; ++i) {
        const char* s = nl_langinfo(Days[i]);
        names.weekday[i] = (s && *s) ? std::string(s) : english.weekday[i];
    }
    for (std::size_t i = 0; i < 12; ++i) {
        const char* s = nl_langinfo(Months[i]);
        names.monthAbbrev[i] = MonthAbbrev((s && *s) ? std::string(s) : english.monthAbbrev[i]);
    }
    return names;
}

Utf8LocaleNames Utf8Rendering(const LocaleNames& names) {
    Utf8LocaleNames out;
    for (std::size_t i = 0; i < 7; ++i) out.weekday[i] = glyph::LineToUtf8(names.weekday[i]);
    for (std::size_t i = 0; i < 12; ++i)
        out.monthAbbrev[i] = glyph::LineToUtf8(names.monthAbbrev[i]);
    return out;
}

std::string WithOwnNames(std::string text, const Utf8LocaleNames& shown,
                         const Utf8LocaleNames& own) {
    for (std::size_t i = 0; i < 7; ++i) ReplaceWords(text, shown.weekday[i], own.weekday[i]);
    // A three-cell abbreviation may end in blanks ("Mai "): those stay, and
    // the word is the part before them.
    for (std::size_t i = 0; i < 12; ++i) {
        std::string from = shown.monthAbbrev[i], to = own.monthAbbrev[i];
        while (!from.empty() && from.back() == ' ' && !to.empty() && to.back() == ' ') {
            from.pop_back();
            to.pop_back();
        }
        ReplaceWords(text, from, to);
    }
    return text;
}

}  // namespace novarel
