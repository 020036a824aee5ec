#pragma once
// Text between the logic (UTF-8 captions and paths, single-byte pages) and Qt.
#include <QString>
#include <string>
#include <string_view>

namespace novarel::render {

// UTF-8 text of the logic (captions, messages, paths).
QString Qs(std::string_view utf8);
std::string Std(const QString& text);

// A single-byte page as the glyph-font view shows it, and back.
QString PageToView(std::string_view page);
std::string ViewToPage(const QString& view);

// A line of a page as it is printed: every glyph code as its symbol, the
// letters "D", "N", "S" and the degree sign included, so that the text of a
// PDF is the table's (the glyph font draws the byte and the symbol alike).
QString LineToPrint(std::string_view line);

}  // namespace novarel::render
