#pragma once
// PrntFile, "Data To Be Printed": the print file's text, editable, in the
// glyph font; Print prints it, Cancel (or the close box) does not.
#include <QWidget>

#include "output/output_seams.h"

class QPlainTextEdit;
class QPushButton;
class QLabel;

namespace novarel::ui {

class WindowHost;

class PrintPreview final : public QWidget, public PrintPreviewSeam {
public:
    explicit PrintPreview(WindowHost& host);

    QPlainTextEdit* content_edit() const { return txtContent_; }
    QPushButton* printButton() const { return btnPrint_; }
    QPushButton* cancelButton() const { return btnCancel_; }

    bool setContent(const std::string& text) override;
    std::string content() override;
    void show() override;
    void close() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    WindowHost& host_;
    QPlainTextEdit* txtContent_;
    QPushButton* btnPrint_;
    QPushButton* btnCancel_;
    QLabel* label_;
    bool closingFromProgram_ = false;
};

}  // namespace novarel::ui
