#include "cli/console_seams.h"

#include <cstdio>

#include "core/glyphs.h"

namespace novarel::cli {

void StderrMessages::showMessage(std::string_view text, std::string_view title, MessageIcon) {
    ++count_;
    const std::string line = glyph::TextToUtf8(std::string(title) + ": " + std::string(text));
    std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace novarel::cli
