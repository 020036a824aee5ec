#include "render/page_text.h"

#include "core/glyphs.h"
#include "core/view_text.h"

namespace novarel::render {

QString Qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string Std(const QString& text) { return text.toStdString(); }

QString PageToView(std::string_view page) {
    QString view(static_cast<qsizetype>(page.size()), Qt::Uninitialized);
    const std::size_t n = glyph::PageToViewText(page, reinterpret_cast<char16_t*>(view.data()));
    view.truncate(static_cast<qsizetype>(n));
    return view;
}

std::string ViewToPage(const QString& view) {
    return glyph::ViewTextToPage(std::u16string_view(
        reinterpret_cast<const char16_t*>(view.utf16()), static_cast<std::size_t>(view.size())));
}

QString LineToPrint(std::string_view line) {
    QString text;
    text.reserve(static_cast<qsizetype>(line.size()));
    for (const char c : line)
        text.append(
            QChar(static_cast<char16_t>(glyph::ToCodePoint(static_cast<unsigned char>(c)))));
    return text;
}

}  // namespace novarel::render
