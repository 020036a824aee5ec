#pragma once
// The saved place of a top-level window, kept in one spot for every window:
// the window goes to its kept place (pulled onto the screen), is placed again
// when first shown, once the window manager's frame is known, and each move
// or resize the user makes while it shows is handed to the logic.
#include <QObject>
#include <QPoint>
#include <QRect>
#include <functional>
#include <optional>

#include "output/output_seams.h"

class QWidget;

namespace novarel::ui {

class WindowPlaceKeeper final : public QObject {
public:
    using Placed = std::function<void(const WindowRect&)>;
    // `placed` hears of a move or resize; `listening`, when given, says
    // whether it should (not while the window closes for good, say).
    WindowPlaceKeeper(QWidget* window, Placed placed, std::function<bool()> listening = {});

    // Puts the window at a kept place; its own moves are not reported.
    void place(const WindowRect& rect);
    // The window's place as the settings keep it (SavedPlace), where a
    // window left where it was put reads as that place: at a fractional
    // scale the frame's corner read back can be a pixel off what was set.
    WindowRect saved() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveTo(const QRect& place);

    QWidget* window_;
    Placed placed_;
    std::function<bool()> listening_;
    bool placing_ = false;
    std::optional<QRect> pending_;  // placed before the first show
    std::optional<QPoint> placedAt_;
};

}  // namespace novarel::ui
