#include "ui/print_preview.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/program.h"
#include "output/printing.h"
#include "ui/qt_text.h"
#include "ui/window_host.h"

namespace novarel::ui {

PrintPreview::PrintPreview(WindowHost& host) : host_(host) {
    setObjectName("PrntFile");
    setWindowTitle(Qs(PreviewCaption));
    setAccessibleName(Qs(PreviewCaption));
    setWindowFlag(Qt::Window);
    txtContent_ = new QPlainTextEdit(this);
    txtContent_->setObjectName("txtContent");
    txtContent_->setAccessibleName(Qs(PreviewCaption));
    txtContent_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtContent_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtContent_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtContent_->setTabChangesFocus(true);
    QFont font(Qs(PreviewFontFace));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    font.setPointSize(PreviewFontPoints);
    txtContent_->setFont(font);
    label_ = new QLabel(Qs(PreviewHint), this);
    label_->setObjectName("Label1");
    btnPrint_ = new QPushButton("Print", this);
    btnPrint_->setObjectName("btnPrint");
    btnPrint_->setAccessibleName("Print");
    btnCancel_ = new QPushButton("Cancel", this);
    btnCancel_->setObjectName("btnCancel");
    btnCancel_->setAccessibleName("Cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(label_, 1);
    buttons->addWidget(btnPrint_);
    buttons->addWidget(btnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtContent_, 1);
    layout->addLayout(buttons);
    setTabOrder(txtContent_, btnPrint_);
    setTabOrder(btnPrint_, btnCancel_);
    resize(760, 520);
    QObject::connect(btnPrint_, &QPushButton::clicked, this, [this] {
        if (!host_.ended()) host_.program().dataWindow.printing.PrintButton();
    });
    QObject::connect(btnCancel_, &QPushButton::clicked, this, [this] {
        if (!host_.ended()) host_.program().dataWindow.printing.CancelButton();
    });
}

bool PrintPreview::setContent(const std::string& text) {
    txtContent_->setPlainText(PageToView(text));
    return true;
}

std::string PrintPreview::content() { return ViewToPage(txtContent_->toPlainText()); }

void PrintPreview::show() {
    QWidget::show();
    raise();
    activateWindow();
}

void PrintPreview::close() {
    closingFromProgram_ = true;
    QWidget::close();
    closingFromProgram_ = false;
}

void PrintPreview::closeEvent(QCloseEvent* event) {
    event->accept();
    // The close box is Cancel.
    if (!closingFromProgram_ && !host_.ended()) host_.program().dataWindow.printing.CancelButton();
}

}  // namespace novarel::ui
