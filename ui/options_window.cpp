#include "ui/options_window.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/options_file.h"
#include "app/program.h"
#include "ui/qt_text.h"
#include "ui/window_host.h"

namespace novarel::ui {

OptionsWindow::OptionsWindow(WindowHost& host) : host_(host) {
    setObjectName("Options");
    setWindowTitle(OptionsEditor::Title);
    setAccessibleName(OptionsEditor::Title);
    setWindowFlag(Qt::Window);
    txtContent_ = new QPlainTextEdit(this);
    txtContent_->setObjectName("txtContent");
    txtContent_->setAccessibleName(OptionsEditor::Title);
    txtContent_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtContent_->setTabChangesFocus(true);
    QFont mono("EPHEMERI");
    mono.setStyleHint(QFont::TypeWriter);
    mono.setFixedPitch(true);
    txtContent_->setFont(mono);
    auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAccessibleName(caption);
        return b;
    };
    btnSave_ = button("btnSave", "Save");
    btnQuit_ = button("btnQuit", "Quit");
    cmdRestoreDefault_ = button("cmdRestoreDefault", "Restore Default Settings");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSave_);
    buttons->addWidget(btnQuit_);
    buttons->addStretch(1);
    buttons->addWidget(cmdRestoreDefault_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtContent_, 1);
    layout->addLayout(buttons);
    resize(720, 380);

    QObject::connect(btnSave_, &QPushButton::clicked, this, [this] {
        if (host_.ended()) return;
        host_.program().optionsEditor().Save(ViewToPage(txtContent_->toPlainText()));
    });
    QObject::connect(btnQuit_, &QPushButton::clicked, this, [this] { close(); });
    QObject::connect(cmdRestoreDefault_, &QPushButton::clicked, this, [this] {
        if (host_.ended()) return;
        std::string restored;
        if (host_.program().optionsEditor().RestoreDefault(restored))
            txtContent_->setPlainText(PageToView(restored));
    });
}

void OptionsWindow::load() {
    txtContent_->setPlainText(PageToView(host_.program().optionsEditor().Load()));
    setWindowTitle(OptionsEditor::Title);
}

}  // namespace novarel::ui
