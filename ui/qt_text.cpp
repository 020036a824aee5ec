#include "ui/qt_text.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace novarel::ui {
namespace {
constexpr double TwipsPerInch = 1440;

const QScreen* ScreenOf(const QWidget* widget) {
    if (widget && widget->screen()) return widget->screen();
    return QGuiApplication::primaryScreen();
}
}  // namespace

QString AccessibleName(std::string_view caption) {
    QString name;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;  // "&&" keeps one
        name += QChar(caption[i]);
    }
    return name;
}

double TwipsPerPixelX(const QWidget* widget) {
    const QScreen* s = ScreenOf(widget);
    return s ? TwipsPerInch / s->logicalDotsPerInchX() : 15.0;
}

double TwipsPerPixelY(const QWidget* widget) {
    const QScreen* s = ScreenOf(widget);
    return s ? TwipsPerInch / s->logicalDotsPerInchY() : 15.0;
}

int TwipsToPixelsX(double twips, const QWidget* widget) {
    return static_cast<int>(std::lround(twips / TwipsPerPixelX(widget)));
}

QRect PixelsFromTwips(const WindowRect& r, const QWidget* widget) {
    const double tx = TwipsPerPixelX(widget), ty = TwipsPerPixelY(widget);
    return QRect(
        static_cast<int>(std::lround(r.left / tx)), static_cast<int>(std::lround(r.top / ty)),
        static_cast<int>(std::lround(r.width / tx)), static_cast<int>(std::lround(r.height / ty)));
}

WindowRect TwipsFromPixels(const QRect& r, const QWidget* widget) {
    const double tx = TwipsPerPixelX(widget), ty = TwipsPerPixelY(widget);
    return WindowRect{r.top() * ty, r.left() * tx, r.height() * ty, r.width() * tx};
}

WindowRect SavedPlace(const QWidget* window) {
    return TwipsFromPixels(QRect(window->pos(), window->size()), window);
}

// A kept place pulled onto the screen's free area, and shrunk to fit it: the
// settings may come from a larger screen, or be edited by hand.
QRect OnScreen(QRect place, const QWidget* window) {
    const QScreen* screen = QGuiApplication::screenAt(place.center());
    if (screen == nullptr) screen = window->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return place;
    // A window manager may put a frame's edge a pixel or two past the
    // screen's: such a place is kept as it is.
    const QRect area = screen->availableGeometry().adjusted(-8, -8, 8, 8);
    // The frame around the inside, once the window manager has given one.
    const QRect frame = window->frameGeometry(), inner = window->geometry();
    const int dw = std::max(frame.width() - inner.width(), 0);
    const int dh = std::max(frame.height() - inner.height(), 0);
    place.setWidth(std::clamp(place.width(), 1, std::max(area.width() - dw, 1)));
    place.setHeight(std::clamp(place.height(), 1, std::max(area.height() - dh, 1)));
    place.moveLeft(std::clamp(place.left(), area.left(), area.right() + 1 - place.width() - dw));
    place.moveTop(std::clamp(place.top(), area.top(), area.bottom() + 1 - place.height() - dh));
    return place;
}

}  // namespace novarel::ui
