#pragma once
// Dlog: the Save As file dialog, proposing the start date's .DOC name.
#include <QString>

#include "output/output_seams.h"

class QWidget;
class QFileDialog;

namespace novarel::ui {

class SaveDialog final : public SaveFileDialog {
public:
    void setParent(QWidget* parent) { parent_ = parent; }
    std::optional<std::string> askSaveFileName(const SaveDialogRequest& request) override;
    // The dialog while it is open (for keyboard and test access), else null.
    QFileDialog* openDialog() const { return open_; }

private:
    QWidget* parent_ = nullptr;
    QFileDialog* open_ = nullptr;
};

// "Data Files (*.DOC) | *.DOC" as a Qt name filter.
QString QtNameFilter(const std::string& filter);

}  // namespace novarel::ui
