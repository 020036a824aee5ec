#pragma once
#include <string>
// About: the program's name drawn large with a shadow and in yellow on top,
// the version and the notice lines; a click anywhere closes it.
#include <QWidget>

namespace novarel::ui {

class AboutWindow final : public QWidget {
public:
    // libraryVersion: the ephemeris library's own version text.
    explicit AboutWindow(const std::string& libraryVersion);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace novarel::ui
