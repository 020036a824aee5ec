#include "ui/message_boxes.h"

#include <QApplication>

#include "ui/qt_text.h"

namespace novarel::ui {

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Exclamation: return QMessageBox::Warning;
        case MessageIcon::Critical: return QMessageBox::Critical;
    }
    return QMessageBox::Information;
}

void MessageBoxes::showMessage(std::string_view text, std::string_view title, MessageIcon icon) {
    QMessageBox box(IconOf(icon), Qs(title), Qs(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName("MessageBox");
    box.setAccessibleName(Qs(title));
    box.setAccessibleDescription(Qs(text));
    shown_.push_back({std::string(text), std::string(title), box.icon()});
    if (scripted_) return;
    // Whatever the busy pointer says, the user must be able to answer.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    QApplication::restoreOverrideCursor();
}

bool MessageBoxes::ask(std::string_view text, std::string_view title) {
    QMessageBox box(QMessageBox::Question, Qs(title), Qs(text), QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setObjectName("QuestionBox");
    box.setAccessibleName(Qs(title));
    box.setAccessibleDescription(Qs(text));
    box.setDefaultButton(QMessageBox::No);
    shown_.push_back({std::string(text), std::string(title), box.icon()});
    if (scripted_) return scriptedAnswer;
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    QApplication::restoreOverrideCursor();
    return answer == QMessageBox::Yes;
}

}  // namespace novarel::ui
