#include "ui/qt_text.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>
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

namespace {
constexpr const char* PendingPlace = "novarelPendingPlace";
}

void PlaceWindow(QWidget* window, const WindowRect& rect) {
    const QRect place = PixelsFromTwips(rect, window);
    if (!window->isVisible()) window->setProperty(PendingPlace, place);
    window->move(place.topLeft());
    window->resize(std::max(place.width(), 1), std::max(place.height(), 1));
}

void PlaceOnShow(QWidget* window) {
    const QVariant pending = window->property(PendingPlace);
    if (!pending.isValid()) return;
    window->setProperty(PendingPlace, QVariant());
    const QRect place = pending.toRect();
    window->move(place.topLeft());
    window->resize(std::max(place.width(), 1), std::max(place.height(), 1));
}

}  // namespace novarel::ui
