#pragma once
// The small dialog that asks for a start date ("Go to date..." of the Data
// window).
#include <cstdint>
#include <optional>

#include "core/julian_day.h"

class QWidget;
class QDialog;
class QDateEdit;

namespace novarel::ui {

class DateDialog {
public:
    explicit DateDialog(QWidget* parent) : parent_(parent) {}

    // Modal; the date in the regional order of dateOrder, within the years
    // the input window takes. None when cancelled.
    std::optional<CivilDate> ask(const CivilDate& initial, std::int16_t dateOrder);

    // While ask() runs: the dialog and its date box, for tests.
    QDialog* openDialog() const { return open_; }
    QDateEdit* openDateEdit() const { return openEdit_; }

private:
    QWidget* parent_;
    QDialog* open_ = nullptr;
    QDateEdit* openEdit_ = nullptr;
};

}  // namespace novarel::ui
