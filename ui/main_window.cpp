#include "ui/main_window.h"

#include <QCloseEvent>
#include <QMenuBar>

#include "app/main_menu.h"
#include "app/program.h"
#include "ui/menu_builder.h"
#include "ui/qt_text.h"
#include "ui/window_host.h"

namespace novarel::ui {

MainWindow::MainWindow(WindowHost& host)
    : host_(host),
      place_(new WindowPlaceKeeper(
          this, [this](const WindowRect& r) { host_.program().MainWindowMoved(r); },
          [this] { return !closing_; })) {
    setObjectName("NOVAREL");
    setWindowTitle("NOVAREL_SE - ");
    setAccessibleName("NOVAREL");
    menuBar()->setObjectName("MainMenu");
    menuBar()->setAccessibleName("Main menu");
    // Not a native menu bar: the window is the menu strip.
    menuBar()->setNativeMenuBar(false);
    actions_ = BuildMenuBar<MainCommand>(menuBar(), MainMenu,
                                         [this](MainCommand c) { host_.runMainCommand(c); });
    clock_.setInterval(1000);
    QObject::connect(&clock_, &QTimer::timeout, this, [this] {
        if (!host_.ended()) host_.program().ClockTick();
    });
}

QAction* MainWindow::action(const std::string& name) const {
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::closeForGood() {
    closing_ = true;
    clock_.stop();
    close();
}

void MainWindow::placeWindow(const WindowRect& rect) { place_->place(rect); }

void MainWindow::show() {
    QMainWindow::show();
    clock_.start();
}

void MainWindow::setTitle(const std::string& title) {
    setWindowTitle(Qs(title));
    setAccessibleName(Qs(title));
}

void MainWindow::menuChanged(std::string_view name, const MenuItemState& state) {
    if (QAction* a = action(std::string(name))) {
        a->setVisible(state.visible);
        a->setEnabled(state.enabled);
        if (a->isCheckable()) a->setChecked(state.checked);
    }
}

void MainWindow::endProgram(int exitCode) { host_.endProgram(exitCode); }

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    // Closing the window is File > Exit: the settings are written first.
    event->ignore();
    host_.runMainCommand(MainCommand::Exit);
    if (host_.ended()) event->accept();
}

}  // namespace novarel::ui
