#include "render/postscript_pages.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <optional>

#include "render/truetype_subset.h"

namespace novarel::render {
namespace {

// A PostScript string holds at most 65535 bytes; with its pad byte, 65534
// bytes of the font.
constexpr std::size_t MaxSfntsString = 65534;
// Bytes 1 to 255 of each encoding name glyphs; 0 stays .notdef.
constexpr int CodesPerFont = 255;

std::uint32_t BigEndian(const std::string& data, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | static_cast<unsigned char>(data[at + static_cast<std::size_t>(i)]);
    return value;
}

// The font file cut at its tables' starts into strings a PostScript
// interpreter accepts, each with the pad byte that Type 42 fonts end their
// strings with; none when a table does not fit in one string.
std::vector<std::string> SfntsStrings(const std::string& font) {
    if (font.size() < 12) return {};
    const std::uint32_t version = BigEndian(font, 0, 4);
    if (version != 0x00010000 && version != 0x74727565) return {};  // TrueType outlines only
    const std::size_t tables = BigEndian(font, 4, 2);
    if (font.size() < 12 + 16 * tables) return {};
    std::vector<std::size_t> starts{0, font.size()};
    for (std::size_t i = 0; i < tables; ++i) {
        const std::size_t offset = BigEndian(font, 12 + 16 * i + 8, 4);
        if (offset > font.size()) return {};
        starts.push_back(offset);
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    std::vector<std::string> strings;
    std::size_t from = 0;
    for (std::size_t i = 1; i < starts.size(); ++i) {
        // Tables are joined while they fit; a boundary is kept when not.
        const bool last = i + 1 == starts.size();
        if (!last && starts[i + 1] - from <= MaxSfntsString) continue;
        if (starts[i] - from > MaxSfntsString) return {};
        std::string hex;
        hex.reserve(2 * (starts[i] - from) + (starts[i] - from) / 36 + 4);
        for (std::size_t b = from; b < starts[i]; ++b) {
            if (b > from && (b - from) % 36 == 0) hex += '\n';
            hex += fmt::format("{:02X}", static_cast<unsigned char>(font[b]));
        }
        strings.push_back(hex + "00");
        from = starts[i];
    }
    return strings;
}

// The font's bounding box in its em (the head table's).
std::array<double, 4> FontBox(const std::string& font) {
    const std::size_t tables = BigEndian(font, 4, 2);
    for (std::size_t i = 0; i < tables; ++i) {
        const std::size_t record = 12 + 16 * i;
        if (font.compare(record, 4, "head") != 0) continue;
        const std::size_t head = BigEndian(font, record + 8, 4);
        if (head + 44 > font.size()) break;
        const double em = BigEndian(font, head + 18, 2);
        const auto edge = [&](std::size_t at) {
            return static_cast<std::int16_t>(BigEndian(font, head + at, 2)) / em;
        };
        if (em > 0) return {edge(36), edge(38), edge(40), edge(42)};
    }
    return {0, 0, 1, 1};
}

// True when the font can go into a document: a TrueType font whose glyphs
// can be taken out, in strings of a size PostScript accepts.
bool CanEmbed(const std::string& font) {
    const std::optional<TrueTypeSubset> notdef = SubsetTrueType(font, {});
    return notdef && !SfntsStrings(notdef->file).empty();
}

std::string Number(double value) {
    std::string text = fmt::format("{:.3f}", value);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string PsString(const std::string& text) {
    // Titles go into comments and strings: printable ASCII only.
    std::string out;
    for (const char c : text)
        out += (c >= ' ' && c <= '~' && c != '(' && c != ')' && c != '\\') ? c : '?';
    return out;
}

}  // namespace

PostScriptPages::PostScriptPages(std::string font, double paperWidth, double paperHeight,
                                 bool landscape)
    : font_(std::move(font)),
      valid_(CanEmbed(font_)),
      paperWidth_(paperWidth),
      paperHeight_(paperHeight),
      landscape_(landscape) {}

void PostScriptPages::newPage() {
    if (pages_ > 0) body_ += "showpage\n";
    ++pages_;
    body_ += fmt::format("%%Page: {0} {0}\n", pages_);
    // Landscape pages are drawn across the paper turned a quarter left.
    if (landscape_) body_ += fmt::format("{} 0 translate 90 rotate\n", Number(paperWidth_));
}

int PostScriptPages::FontOf(const PrintedGlyph& glyph) {
    if (glyph.index >= codeOfIndex_.size()) codeOfIndex_.resize(glyph.index + 1U, -1);
    int& code = codeOfIndex_[glyph.index];
    if (code < 0) {
        code = static_cast<int>(used_.size());
        used_.push_back(glyph);
    }
    return code;
}

void PostScriptPages::addLine(double x, double y, double size, double xScale,
                              const std::vector<PrintedGlyph>& glyphs) {
    if (pages_ == 0) newPage();
    const double height = landscape_ ? paperWidth_ : paperHeight_;
    body_ +=
        fmt::format("gsave {} {} moveto {} 1 scale", Number(x), Number(height - y), Number(xScale));
    // Each glyph where the page's layout put it, runs of one font at a time.
    std::size_t from = 0;
    while (from < glyphs.size()) {
        const int font = FontOf(glyphs[from]) / CodesPerFont;
        std::string codes;
        std::string advances;
        std::size_t to = from;
        for (; to < glyphs.size(); ++to) {
            const int code = FontOf(glyphs[to]);
            if (code / CodesPerFont != font) break;
            codes += fmt::format("\\{:03o}", code % CodesPerFont + 1);
            advances += (to > from ? " " : "") + Number(glyphs[to].advance);
        }
        body_ +=
            fmt::format(" /F{} {} selectfont ({}) [{}] xshow", font, Number(size), codes, advances);
        from = to;
    }
    body_ += " grestore\n";
}

std::string PostScriptPages::document(const std::string& title) const {
    // The font cut down to the glyphs used; the whole font where it cannot
    // be cut.
    std::vector<std::uint16_t> indexes;
    for (const PrintedGlyph& glyph : used_) indexes.push_back(glyph.index);
    std::optional<TrueTypeSubset> subset = SubsetTrueType(font_, indexes);
    std::vector<std::string> sfnts =
        subset ? SfntsStrings(subset->file) : std::vector<std::string>{};
    if (sfnts.empty()) subset.reset();
    if (!subset) sfnts = SfntsStrings(font_);
    const auto glyphNumber = [&](std::size_t i) -> std::uint32_t {
        return subset ? subset->glyphs.at(used_[i].index) : used_[i].index;
    };
    const std::array<double, 4> box = FontBox(subset ? subset->file : font_);
    std::string out = "%!PS-Adobe-3.0\n";
    out +=
        fmt::format("%%Title: ({})\n%%Creator: Novarel_SE\n%%LanguageLevel: 2\n", PsString(title));
    out += fmt::format("%%Pages: {}\n%%BoundingBox: 0 0 {} {}\n", pages_,
                       static_cast<int>(paperWidth_ + 0.5), static_cast<int>(paperHeight_ + 0.5));
    out += fmt::format("%%Orientation: {}\n", landscape_ ? "Landscape" : "Portrait");
    out += "%%DocumentSuppliedResources: font EPHEMERI\n%%EndComments\n%%BeginProlog\n";
    out += "%%BeginResource: font EPHEMERI\n12 dict begin\n/FontType 42 def\n";
    out += "/FontName /EPHEMERI def\n/PaintType 0 def\n/FontMatrix [1 0 0 1 0 0] def\n";
    out += fmt::format("/FontBBox [{} {} {} {}] def\n/Encoding 256 array def\n", Number(box[0]),
                       Number(box[1]), Number(box[2]), Number(box[3]));
    out += "0 1 255 { Encoding exch /.notdef put } for\n";
    out += fmt::format("/CharStrings {} dict dup begin\n/.notdef 0 def\n", used_.size() + 1);
    for (std::size_t i = 0; i < used_.size(); ++i)
        out += fmt::format("/g{} {} def\n", used_[i].index, glyphNumber(i));
    // Ghostscript's name for the characters of glyph names: a PDF made from
    // this document gets its text from it.
    out +=
        fmt::format("end def\n/FontInfo 1 dict dup begin\n/GlyphNames2Unicode {} dict dup begin\n",
                    used_.size());
    for (const PrintedGlyph& glyph : used_)
        out +=
            fmt::format("/g{} {} def\n", glyph.index, static_cast<std::uint32_t>(glyph.character));
    out += "end def\nend def\n/sfnts [\n";
    for (const std::string& s : sfnts) out += "<" + s + ">\n";
    out += "] def\ncurrentdict end /EPHEMERI exch definefont pop\n%%EndResource\n";
    // One encoding of up to 255 glyphs per font, in the order they appear.
    const std::size_t fonts = (used_.size() + CodesPerFont - 1) / CodesPerFont;
    for (std::size_t f = 0; f < fonts; ++f) {
        out += "/EPHEMERI findfont dup length dict copy dup /Encoding 256 array\n";
        out += "0 1 255 { 1 index exch /.notdef put } for\n";
        for (std::size_t i = f * CodesPerFont; i < std::min(used_.size(), (f + 1) * CodesPerFont);
             ++i)
            out += fmt::format("dup {} /g{} put\n", i % CodesPerFont + 1, used_[i].index);
        out += fmt::format("put /F{} exch definefont pop\n", f);
    }
    out += "%%EndProlog\n%%BeginSetup\n";
    out += fmt::format("<< /PageSize [{} {}] >> setpagedevice\n%%EndSetup\n", Number(paperWidth_),
                       Number(paperHeight_));
    out += body_;
    if (pages_ > 0) out += "showpage\n";
    out += fmt::format("%%Trailer\n%%EOF\n");
    return out;
}

}  // namespace novarel::render
