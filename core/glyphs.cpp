#include "core/glyphs.h"

#include <array>
#include <vector>

#include "core/bodies.h"
#include "core/cp1252_table.h"
#include "core/text_lines.h"

namespace novarel::glyph {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
        return;
    }
    char bytes[4];
    std::size_t n = 0;
    if (cp < 0x800) {
        bytes[n++] = static_cast<char>(0xC0 | (cp >> 6));
    } else if (cp < 0x10000) {
        bytes[n++] = static_cast<char>(0xE0 | (cp >> 12));
        bytes[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    } else {
        bytes[n++] = static_cast<char>(0xF0 | (cp >> 18));
        bytes[n++] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        bytes[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    }
    bytes[n++] = static_cast<char>(0x80 | (cp & 0x3F));
    out.append(bytes, n);
}

Utf8Char DecodeUtf8At(std::string_view text, std::size_t i) {
    const auto b = static_cast<unsigned char>(text[i]);
    const std::size_t length = b < 0x80             ? 1
                               : (b & 0xE0) == 0xC0 ? 2
                               : (b & 0xF0) == 0xE0 ? 3
                               : (b & 0xF8) == 0xF0 ? 4
                                                    : 0;
    if (length == 1) return {b, 1, true};
    const Utf8Char stray{b, 1, false};
    if (length == 0 || i + length > text.size()) return stray;
    char32_t cp = b & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80) return stray;
        cp = (cp << 6) | (c & 0x3Fu);
    }
    return {cp, length, true};
}

unsigned char BodyCode(int bodyIndex, bool heliocentric) {
    switch (bodyIndex) {
        case 1: return heliocentric ? Earth : Sun;
        case 2: return Moon;
        case 11: return NorthNodeGlyph;
        default:
            if (bodyIndex > NorthNode) return Body(bodyIndex).glyphCode;
            return static_cast<unsigned char>(Mercury + bodyIndex - 3);
    }
}

char32_t ToCodePoint(unsigned char c) {
    if (c >= 192 && c <= 203) return static_cast<char32_t>(0x2648 + (c - 192));
    switch (c) {
        case Sun: return 0x2609;
        case Earth: return 0x2295;
        case Moon: return 0x263D;
        case 225: return 0x263F;
        case 226: return 0x2640;
        case 227: return 0x2642;
        case 228: return 0x2643;
        case 229: return 0x2644;
        case 230: return 0x2645;
        case 231: return 0x2646;
        case 232: return 0x2647;
        case NorthNodeGlyph: return 0x260A;
        case 161: return 0x260C;
        case 162: return 0x26B9;
        case 163: return 0x25A1;
        case 164: return 0x25B3;
        case 165: return 0x260D;
        case Parallel: return 0x2225;
        case Semisextile: return 0x26BA;
        case Semisquare: return 0x2220;
        case Sesquiquadrate: return 0x26BC;
        case Quincunx: return 0x26BB;
        case Contraparallel: return 0x22D5;
        case StationRetrograde: return 0x211E;
        case StationDirect: return U'D';
        case North: return U'N';
        case South: return U'S';
        case Degree: return 0x00B0;
        case Minute: return 0x2032;
        case Chiron: return 0x26B7;
        case Ceres: return 0x26B3;
        case Pallas: return 0x26B4;
        case Juno: return 0x26B5;
        case Vesta: return 0x26B6;
        case Lilith: return 0x26B8;
        default: break;
    }
    return Cp1252CodePoint(c);
}

char32_t Cp1252CodePoint(unsigned char c) {
    if (c >= 0x80 && c <= 0x9F) return Cp1252High[c - 0x80];
    return c;
}

int DisplayWidth(char32_t cp) {
    // The zodiac signs are East Asian Wide (emoji presentation) in current Unicode.
    return (cp >= 0x2648 && cp <= 0x2653) ? 2 : 1;
}

std::string LineToUtf8(std::string_view line) {
    std::vector<char32_t> cps;
    cps.reserve(line.size());
    for (char ch : line) cps.push_back(ToCodePoint(static_cast<unsigned char>(ch)));

    std::vector<bool> drop(cps.size(), false);
    for (std::size_t i = 0; i < cps.size(); ++i) {
        if (DisplayWidth(cps[i]) < 2) continue;
        // Find the next run of two or more blanks not yet fully used, or a trailing blank.
        for (std::size_t j = i + 1; j < cps.size(); ++j) {
            if (cps[j] != U' ' || drop[j]) continue;
            std::size_t end = j;
            while (end < cps.size() && cps[end] == U' ') ++end;
            std::size_t kept = 0;
            for (std::size_t k = j; k < end; ++k)
                if (!drop[k]) ++kept;
            const bool trailing = end == cps.size();
            if (kept >= 2 || (trailing && kept >= 1)) {
                drop[j] = true;
                break;
            }
            j = end;
        }
    }
    std::string out;
    out.reserve(line.size() * 2);
    for (std::size_t i = 0; i < cps.size(); ++i)
        if (!drop[i]) AppendUtf8(out, cps[i]);
    return out;
}

std::string TextToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    const std::vector<std::string_view> lines = SplitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out += '\n';
        out += LineToUtf8(lines[i]);
    }
    if (!text.empty() && text.back() == '\n') out += '\n';
    return out;
}

}  // namespace novarel::glyph
