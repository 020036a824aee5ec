#include "ui/date_dialog.h"

#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

namespace novarel::ui {
namespace {

QString DisplayFormat(std::int16_t dateOrder) {
    if (dateOrder == 1) return "dd/MM/yyyy";
    if (dateOrder == 2) return "yyyy/MM/dd";
    return "MM/dd/yyyy";
}

}  // namespace

std::optional<CivilDate> DateDialog::ask(const CivilDate& initial, std::int16_t dateOrder) {
    QDialog dialog(parent_);
    dialog.setObjectName("GoToDate");
    dialog.setWindowTitle("Go to date");
    dialog.setAccessibleName("Go to date");
    auto* edit = new QDateEdit(&dialog);
    edit->setObjectName("dateStart");
    edit->setAccessibleName("Start date");
    edit->setDisplayFormat(DisplayFormat(dateOrder));
    // The years the input window's date boxes take.
    edit->setDateRange(QDate(1800, 1, 1), QDate(2100, 12, 31));
    edit->setDate(QDate(initial.year, initial.month, initial.day));
    edit->setCalendarPopup(true);
    auto* label = new QLabel("&Start date:", &dialog);
    label->setBuddy(edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    for (QAbstractButton* b : buttons->buttons()) b->setAccessibleName(b->text().remove('&'));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(label, edit);
    form->addRow(buttons);
    edit->setFocus();

    open_ = &dialog;
    openEdit_ = edit;
    const int answer = dialog.exec();
    open_ = nullptr;
    openEdit_ = nullptr;
    if (answer != QDialog::Accepted) return std::nullopt;
    const QDate d = edit->date();
    return CivilDate{d.year(), d.month(), d.day()};
}

}  // namespace novarel::ui
