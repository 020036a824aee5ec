#pragma once
// TrueType files built from their tables, and cut down to the glyphs a
// document draws: a PDF made from a PostScript job at PDF 1.2 (the PDF
// printer's default) keeps a TrueType font as outlines only while its
// glyphs are numbered below 256, and the glyph font has more.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace novarel::render {

using FontTables = std::map<std::string, std::string>;  // tag -> table

// A font file of these tables (tags of four characters).
std::string TrueTypeFile(const FontTables& tables);

struct TrueTypeSubset {
    std::string file;
    // Old glyph number -> new, for every glyph kept.
    std::map<std::uint16_t, std::uint16_t> glyphs;
};

// The font with glyph 0 and these glyphs (and the parts they are made of)
// only, numbered from 0 in their old order; none when the file is not a
// TrueType font or does not hold the glyphs.
std::optional<TrueTypeSubset> SubsetTrueType(const std::string& file,
                                             const std::vector<std::uint16_t>& glyphs);

}  // namespace novarel::render
