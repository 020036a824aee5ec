#pragma once
// InputD, "Input Data": the date, the number of days and the options of a
// calculation, and the two buttons that start the generators.
#include <QWidget>
#include <map>
#include <string>
#include <string_view>

#include "app/app_seams.h"
#include "ui/window_place_keeper.h"
#include "ui/zone_box.h"

class QLineEdit;
class QScrollBar;
class QCheckBox;
class QRadioButton;
class QPushButton;
class QLabel;
class QComboBox;
class QKeyEvent;
class QGroupBox;

namespace novarel::ui {

class WindowHost;

class InputWindow final : public QWidget, public InputWindowSeam {
public:
    explicit InputWindow(WindowHost& host);
    // Connects the controls to the program's input form, once it exists.
    void bind();

    // A control by its control name ("txtDays", "optHelio", "cmdEphemeris").
    QWidget* control(std::string_view name) const;
    QLineEdit* txtDay() const { return txtDay_; }
    QLineEdit* txtMonth() const { return txtMonth_; }
    QLineEdit* txtYear() const { return txtYear_; }
    QLineEdit* txtDays() const { return txtDays_; }
    ZoneBox* cboTimeZone() const { return cboTimeZone_; }
    void focusDateBox(DateBox box) override;
    QScrollBar* spinBar() const { return vsDays_; }

    // InputWindowSeam
    void placeWindow(const WindowRect& rect) override;
    void show() override;
    void hide() override;
    void refresh(const InputForm& form) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Alt and a menu's access letter open that menu of the main window.
    bool OpenMainMenuByLetter(const QKeyEvent* key);
    QLineEdit* NumberBox(const char* name);
    QRadioButton* Option(const char* name, QGroupBox* frame);
    QGroupBox* Frame(const char* name);

    WindowHost& host_;
    std::map<std::string, QWidget*, std::less<>> controls_;
    QLineEdit* txtDay_;
    QLineEdit* txtMonth_;
    QLineEdit* txtYear_;
    QLineEdit* txtDays_;
    ZoneBox* cboTimeZone_ = nullptr;
    QScrollBar* vsDays_;
    bool updating_ = false;
    WindowPlaceKeeper* place_;
};

}  // namespace novarel::ui
