#include "cli/console_seams.h"

#include <cstdio>

#include "core/glyphs.h"
#include "output/data_buffer.h"

namespace novarel::cli {

void StderrMessages::showMessage(std::string_view text, std::string_view title, MessageIcon) {
    // Each run prints its whole page on stdout: there is no buffer to clear
    // and no menu to click.
    if (text == BufferNearlyFullMessage) return;
    ++count_;
    const std::string line =
        glyph::TextToUtf8("novarel: " + std::string(title) + ": " + std::string(text));
    std::fprintf(stderr, "%s\n", line.c_str());
}

void QuietProgress::showWaiting(std::string_view text) {
    if (text.empty()) return;  // stderr keeps the line that said it waited
    std::fprintf(stderr, "novarel: %.*s\n", static_cast<int>(text.size()), text.data());
}

}  // namespace novarel::cli
