#pragma once
// "Natal charts": the charts of the chart file in a list, the boxes of the
// chart being edited, and New, Save, Delete, Choose and Close.
#include <QWidget>
#include <map>
#include <string>

#include "app/natal_charts_form.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace novarel::ui {

class WindowHost;
class ZoneBox;

class NatalChartsWindow final : public QWidget {
public:
    explicit NatalChartsWindow(WindowHost& host);
    // The file read again into the list, the chosen chart selected.
    void load();

    NatalChartsForm& form() { return form_; }
    // A control by its caption ("Name", "Time zone", "Save", "Charts").
    QWidget* control(const std::string& caption) const;
    QListWidget* list() const { return list_; }
    QLabel* chosenLabel() const { return chosen_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* Box(ChartField field);
    QPushButton* Button(const char* caption);
    // The form's list and boxes into the widgets.
    void Refresh();
    void Save();
    void Delete();
    void FocusWrongField();

    WindowHost& host_;
    NatalChartsForm form_;
    std::map<std::string, QWidget*> controls_;
    std::map<ChartField, QWidget*> boxes_;
    QListWidget* list_;
    ZoneBox* zone_;
    QLabel* chosen_;
    bool updating_ = false;
};

}  // namespace novarel::ui
