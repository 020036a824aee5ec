#pragma once
// Options, "Edit: OPTIONS.OPT": the options file as text, Save, "Quit" and
// "Restore Default Settings".
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace novarel::ui {

class WindowHost;

class OptionsWindow final : public QWidget {
public:
    explicit OptionsWindow(WindowHost& host);
    // Editor Load: the file's lines into the text box.
    void load();
    QPlainTextEdit* content_edit() const { return txtContent_; }
    QPushButton* saveButton() const { return btnSave_; }
    QPushButton* quitButton() const { return btnQuit_; }
    QPushButton* restoreButton() const { return cmdRestoreDefault_; }

private:
    WindowHost& host_;
    QPlainTextEdit* txtContent_;
    QPushButton* btnSave_;
    QPushButton* btnQuit_;
    QPushButton* cmdRestoreDefault_;
};

}  // namespace novarel::ui
