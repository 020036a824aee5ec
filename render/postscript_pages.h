#pragma once
// Pages of text as a PostScript document for a print queue, the glyph font
// embedded as an outline font (Type 42) whose glyph names carry their
// characters. A queue that takes PostScript converts a PDF job on the way,
// and that conversion draws a PDF's composite fonts as bitmaps without text
// (every font Qt puts in a PDF is one); PostScript written here reaches the
// queue as it is, and its text stays searchable in a PDF made from it.
#include <cstdint>
#include <string>
#include <vector>

namespace novarel::render {

// A glyph of the font, the character it draws and the distance in points
// from its origin to the next glyph's.
struct PrintedGlyph {
    std::uint16_t index = 0;
    char32_t character = 0;
    double advance = 0;
};

class PostScriptPages {
public:
    // font: a TrueType font file; the paper in points; a landscape page is
    // turned onto the paper.
    PostScriptPages(std::string font, double paperWidth, double paperHeight, bool landscape);

    // False when the font cannot be embedded (not a TrueType font).
    bool valid() const { return valid_; }

    void newPage();
    // A line whose baseline starts at (x, y) points from the page's top left
    // corner, in the font at this size, stretched across by xScale.
    void addLine(double x, double y, double size, double xScale,
                 const std::vector<PrintedGlyph>& glyphs);
    int pages() const { return pages_; }

    // The whole document.
    std::string document(const std::string& title) const;

private:
    int FontOf(const PrintedGlyph& glyph);

    std::string font_;
    bool valid_;
    double paperWidth_;
    double paperHeight_;
    bool landscape_;
    int pages_ = 0;
    std::string body_;
    // The glyphs used, in order: the n-th is byte n % 255 + 1 of font n / 255.
    std::vector<PrintedGlyph> used_;
    std::vector<int> codeOfIndex_;
};

}  // namespace novarel::render
