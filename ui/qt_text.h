#pragma once
// Text between the logic (UTF-8 messages, single-byte pages, twips) and Qt.
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "output/window_place.h"

class QWidget;
class QAction;

namespace novarel::ui {

// UTF-8 text of the logic (captions, messages, paths).
QString Qs(std::string_view utf8);
std::string Std(const QString& text);

// A single-byte page as the glyph-font view shows it, and back.
QString PageToView(std::string_view page);
std::string ViewToPage(const QString& view);

// A caption without its access-letter marks, for screen readers.
QString AccessibleName(std::string_view caption);

// Window places: twips of the logic, pixels of the screen the widget is on.
double TwipsPerPixelX(const QWidget* widget);
double TwipsPerPixelY(const QWidget* widget);
QRect PixelsFromTwips(const WindowRect& rect, const QWidget* widget);
WindowRect TwipsFromPixels(const QRect& rect, const QWidget* widget);
int TwipsToPixelsX(double twips, const QWidget* widget);

// The outer place of a top-level window, in twips.
WindowRect OuterPlace(const QWidget* window);
// Places a top-level window by its outer edges. A window not yet shown has
// no frame yet: it is placed again from its showEvent by PlaceOnShow.
void PlaceWindow(QWidget* window, const WindowRect& rect);
void PlaceOnShow(QWidget* window);

}  // namespace novarel::ui
