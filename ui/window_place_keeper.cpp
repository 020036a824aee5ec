#include "ui/window_place_keeper.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "ui/qt_text.h"

namespace novarel::ui {

WindowPlaceKeeper::WindowPlaceKeeper(QWidget* window, Placed placed,
                                     std::function<bool()> listening)
    : QObject(window),
      window_(window),
      placed_(std::move(placed)),
      listening_(std::move(listening)) {
    window->installEventFilter(this);
}

void WindowPlaceKeeper::moveTo(const QRect& place) {
    placing_ = true;
    window_->move(place.topLeft());
    window_->resize(std::max(place.width(), 1), std::max(place.height(), 1));
    placedAt_ = place.topLeft();
    placing_ = false;
}

void WindowPlaceKeeper::place(const WindowRect& rect) {
    const QRect place = OnScreen(PixelsFromTwips(rect, window_), window_);
    if (!window_->isVisible()) pending_ = place;
    moveTo(place);
}

WindowRect WindowPlaceKeeper::saved() const {
    QPoint at = window_->pos();
    if (placedAt_ && (at - *placedAt_).manhattanLength() <= 2) at = *placedAt_;
    return TwipsFromPixels(QRect(at, window_->size()), window_);
}

bool WindowPlaceKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) return false;
    switch (event->type()) {
        case QEvent::Show:
            if (pending_) {
                const QRect place = OnScreen(*pending_, window_);
                pending_.reset();
                moveTo(place);
            }
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (!placing_ && window_->isVisible() && (!listening_ || listening_()))
                placed_(saved());
            break;
        default: break;
    }
    return false;
}

}  // namespace novarel::ui
