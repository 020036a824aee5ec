#pragma once
// NOVAREL: the menu-only main window whose title is the running clock.
#include <QMainWindow>
#include <QTimer>
#include <map>
#include <string>

#include "app/app_seams.h"
#include "ui/window_place_keeper.h"

class QAction;

namespace novarel::ui {

class WindowHost;

class MainWindow final : public QMainWindow, public MainWindowSeam {
public:
    explicit MainWindow(WindowHost& host);

    QAction* action(const std::string& name) const;
    // After File > Exit: the close is no longer turned into File > Exit.
    void closeForGood();

    // MainWindowSeam
    void placeWindow(const WindowRect& rect) override;
    void show() override;
    void setTitle(const std::string& title) override;
    void menuChanged(std::string_view name, const MenuItemState& state) override;
    void endProgram(int exitCode) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    WindowHost& host_;
    QTimer clock_;
    std::map<std::string, QAction*> actions_;
    WindowPlaceKeeper* place_;
    bool closing_ = false;
};

}  // namespace novarel::ui
