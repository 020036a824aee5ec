#include "ui/save_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

#include "ui/qt_text.h"

namespace novarel::ui {

QString QtNameFilter(const std::string& filter) {
    const auto bar = filter.find('|');
    return Qs(filter.substr(0, bar)).trimmed();
}

std::optional<std::string> SaveDialog::askSaveFileName(const SaveDialogRequest& request) {
    QFileDialog dialog(parent_, Qs(request.title), Qs(request.initialDirectory));
    dialog.setObjectName("Dlog");
    dialog.setAccessibleName(Qs(request.title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // One dialog on every desktop, reachable by tests and screen readers alike.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.promptOverwrite);
    dialog.setNameFilter(QtNameFilter(request.filter));
    dialog.setDefaultSuffix(Qs(request.defaultExtension));
    if (!request.fileName.empty()) dialog.selectFile(Qs(request.fileName));
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    open_ = &dialog;
    const int answer = dialog.exec();
    open_ = nullptr;
    QApplication::restoreOverrideCursor();
    if (answer != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    if (request.pathMustExist && !QFileInfo(path).absoluteDir().exists()) return std::nullopt;
    return Std(QDir::toNativeSeparators(path));
}

}  // namespace novarel::ui
