#include "render/glyph_font_file.h"

#include <QFontDatabase>

#include "render/page_text.h"

namespace novarel::render {

bool LoadGlyphFontFile(const std::vector<std::string>& places) {
    for (const std::string& font : places)
        if (QFontDatabase::addApplicationFont(Qs(font)) != -1) return true;
    return false;
}

std::string GlyphFontMissing(const std::vector<std::string>& places) {
    std::string text =
        "the glyph font " + (places.empty() ? std::string() : places.front()) + " cannot be loaded";
    for (std::size_t i = 1; i < places.size(); ++i) text += ", nor " + places[i];
    return text + ".";
}

}  // namespace novarel::render
