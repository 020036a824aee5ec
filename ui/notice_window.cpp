#include "ui/notice_window.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/about_texts.h"
#include "ui/qt_text.h"

namespace novarel::ui {

NoticeWindow::NoticeWindow() {
    setObjectName("T_REG");
    setWindowTitle(Qs(ProgramTitle));
    setAccessibleName(Qs(ProgramTitle));
    setModal(true);
    auto* text = new QLabel(Qs(NoticeText), this);
    text->setObjectName("lblNotice");
    text->setWordWrap(true);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setAccessibleName("OK");
    ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    QObject::connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    resize(420, 180);
}

}  // namespace novarel::ui
