#pragma once
// The glyph font loaded from its file, for drawing without the desktop
// program (which loads it at start).
#include <string>
#include <vector>

namespace novarel::render {

// Loads the first of the places that holds the font; false when none does.
bool LoadGlyphFontFile(const std::vector<std::string>& places);

// "the glyph font A cannot be loaded, nor B, nor C."
std::string GlyphFontMissing(const std::vector<std::string>& places);

}  // namespace novarel::render
