#include "ui/zone_box.h"

#include <QCompleter>
#include <QEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include "core/zone_names.h"
#include "ui/qt_text.h"

namespace novarel::ui {

ZoneBox::ZoneBox(const QString& accessibleName, QWidget* parent) : QComboBox(parent) {
    setAccessibleName(accessibleName);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(16);
    installEventFilter(this);
    completer()->setCompletionMode(QCompleter::PopupCompletion);
    completer()->setFilterMode(Qt::MatchContains);
    completer()->setCaseSensitivity(Qt::CaseInsensitive);
    lineEdit()->setAccessibleName(accessibleName);
    lineEdit()->installEventFilter(this);
}

std::string ZoneBox::zone() const {
    const QString name = currentText().trimmed();
    return name.isEmpty() ? "UT" : Std(name);
}

void ZoneBox::showZone(const std::string& zone) {
    if (currentText() != Qs(zone)) setCurrentText(Qs(zone));
}

bool ZoneBox::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == this || watched == lineEdit()) &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::KeyPress ||
         event->type() == QEvent::MouseButtonPress))
        ListZoneNames();
    return QComboBox::eventFilter(watched, event);
}

void ZoneBox::ListZoneNames() {
    // Reading the database's names costs milliseconds: only when the box is
    // first used. The box keeps the zone it shows, and tells no change.
    if (count() > 0) return;
    QLineEdit* edit = lineEdit();
    const QString shown = edit->text();
    const int cursor = edit->cursorPosition(), start = edit->selectionStart(),
              length = edit->selectionLength();
    const QSignalBlocker quiet(this);
    for (const std::string& name : ZoneNames()) addItem(Qs(name));
    edit->setText(shown);
    if (length > 0)
        edit->setSelection(start, length);
    else
        edit->setCursorPosition(cursor);
}

}  // namespace novarel::ui
