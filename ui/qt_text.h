#pragma once
// Text and places between the logic (UTF-8 messages, single-byte pages,
// twips) and the widgets.
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "output/window_place.h"
#include "render/page_text.h"

class QWidget;
class QAction;

namespace novarel::ui {

using render::PageToView;
using render::Qs;
using render::Std;
using render::ViewToPage;

// A caption without its access-letter marks, for screen readers.
QString AccessibleName(std::string_view caption);

// Window places: twips of the logic, pixels of the screen the widget is on.
double TwipsPerPixelX(const QWidget* widget);
double TwipsPerPixelY(const QWidget* widget);
QRect PixelsFromTwips(const WindowRect& rect, const QWidget* widget);
WindowRect TwipsFromPixels(const QRect& rect, const QWidget* widget);
int TwipsToPixelsX(double twips, const QWidget* widget);

// The place of a top-level window kept in the settings, in twips: the top
// left corner of its frame (where a move puts it) and the size inside the
// frame (what a resize sets). Read and restored the same way, it stays put
// from one start to the next, however wide the window manager's frame and
// whenever the manager tells its size.
WindowRect SavedPlace(const QWidget* window);
// A kept place pulled onto the screen's free area, and shrunk to fit it.
QRect OnScreen(QRect place, const QWidget* window);

}  // namespace novarel::ui
