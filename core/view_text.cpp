#include "core/view_text.h"

#include <array>
#include <unordered_map>

#include "core/glyphs.h"

namespace novarel::glyph {
namespace {

constexpr unsigned char Unmapped = '?';

struct ViewTable {
    std::array<char16_t, 256> toView{};
    std::unordered_map<char16_t, unsigned char> fromView;
};

ViewTable MakeTable() {
    ViewTable t;
    std::unordered_map<char32_t, int> ownCharOf;
    for (int b = 0; b < 256; ++b) ownCharOf[Cp1252CodePoint(static_cast<unsigned char>(b))] = b;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const char32_t symbol = ToCodePoint(byte);
        // A code whose symbol is another byte's own character (the letters
        // "D", "N", "S", the degree sign) keeps its Windows-1252 character,
        // or it could not be told from that byte.
        const auto other = ownCharOf.find(symbol);
        const bool taken = other != ownCharOf.end() && other->second != b;
        t.toView[byte] = static_cast<char16_t>(taken ? Cp1252CodePoint(byte) : symbol);
    }
    // Characters typed into a view that no byte shows there: the byte whose
    // Windows-1252 character they are (the font draws it the same way).
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        t.fromView.emplace(static_cast<char16_t>(Cp1252CodePoint(byte)), byte);
    }
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        t.fromView[t.toView[byte]] = byte;
    }
    return t;
}

const ViewTable& Table() {
    static const ViewTable table = MakeTable();
    return table;
}

}  // namespace

char16_t ToViewChar(unsigned char c) { return Table().toView[c]; }

unsigned char FromViewChar(char16_t c) {
    const auto& from = Table().fromView;
    const auto it = from.find(c);
    return it == from.end() ? Unmapped : it->second;
}

std::size_t PageToViewText(std::string_view page, char16_t* out) {
    const auto& toView = Table().toView;
    char16_t* start = out;
    const std::size_t n = page.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(page[i]);
        if (c == '\r' && i + 1 < n && page[i + 1] == '\n') {
            *out++ = u'\n';
            ++i;
        } else {
            *out++ = toView[c];
        }
    }
    return static_cast<std::size_t>(out - start);
}

std::u16string PageToViewText(std::string_view page) {
    std::u16string view(page.size(), u'\0');
    view.resize(PageToViewText(page, view.data()));
    return view;
}

std::string ViewTextToPage(std::u16string_view view) {
    std::string page;
    page.reserve(view.size() + view.size() / 32);
    for (const char16_t c : view) {
        if (c == u'\n') {
            page += "\r\n";
        } else if (c < 0x80 && c != '\r') {
            page += static_cast<char>(c);  // ASCII shows as itself
        } else {
            page += static_cast<char>(FromViewChar(c));
        }
    }
    return page;
}

std::string ViewTextToUtf8(std::u16string_view view) {
    std::string out;
    out.reserve(view.size() * 2);
    for (const char16_t c : view) {
        const unsigned char byte = FromViewChar(c);
        const bool shown = ToViewChar(byte) == c;
        AppendUtf8(out, shown ? ToCodePoint(byte) : char32_t{c});
    }
    return out;
}

}  // namespace novarel::glyph
