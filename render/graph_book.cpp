#include "render/graph_book.h"

#include "core/messages.h"
#include "render/glyph_font_file.h"
#include "render/graph_files.h"
#include "render/offscreen_application.h"

namespace novarel::render {

bool WriteGraphFileOffscreen(const GraphFileRequest& request) {
    const OffscreenApplication app;
    if (!LoadGlyphFontFile(request.fontFiles)) {
        request.messages->showMessage(GlyphFontMissing(request.fontFiles), msg::TitleWarning,
                                      MessageIcon::Exclamation);
        return false;
    }
    const std::string problem =
        WriteGraphFile(request.path, *request.data, request.format, request.width, request.height);
    if (problem.empty()) return true;
    request.messages->showMessage(problem, msg::TitleWarning, MessageIcon::Exclamation);
    return false;
}

}  // namespace novarel::render
