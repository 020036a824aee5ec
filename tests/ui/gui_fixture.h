#pragma once
// A program folder in a temporary place holding the runtime files of the
// build folder, and the desktop program started on it with recorded
// message boxes.
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>

#include "core/text_file.h"
#include "ui/data_window.h"
#include "ui/gui_app.h"
#include "ui/input_window.h"
#include "ui/message_boxes.h"
#include "ui/save_dialog.h"

namespace novarel::ui::test {

namespace fs = std::filesystem;

inline const std::initializer_list<const char*> RuntimeFiles = {
    "OPTIONS.OPT", "OPTIONS.MAS", "EPHEMERI.TTF", "EPHEMERIB.TTF", "README.TXT",   "NOVAREL.HLP",
    "PHILO.HLP",   "INPUTD.HLP",  "OPTIONS.HLP",  "OUTPUTD1.HLP",  "PRNTFILE.HLP", "HOW_DO_I.HLP",
    "READING.HLP", "TIPS.HLP",    "SHORTCUT.HLP", "LICENSE.HLP",   "REVISION.HLP"};

class ProgramFolder {
public:
    ProgramFolder() {
        std::string pattern = (fs::temp_directory_path() / "novarel_gui_XXXXXX").string();
        path_ = mkdtemp(pattern.data());
        for (const char* f : RuntimeFiles)
            fs::copy_file(fs::path(NOVAREL_BUILD_DIR) / f, path_ / f);
    }
    ~ProgramFolder() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const fs::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string read(const std::string& name) const {
        return ReadWholeFile(file(name)).value_or("<none>");
    }

private:
    fs::path path_;
};

inline std::unique_ptr<GuiApp> StartProgram(const ProgramFolder& folder) {
    auto app = std::make_unique<GuiApp>(GuiOptions{folder.path().string(), true, std::int16_t{2}});
    app->start();
    return app;
}

// The start date typed into the input window's three boxes.
inline void SetStartDate(InputWindow& input, const char* month, const char* day, const char* year) {
    input.txtMonth()->setText(month);
    input.txtDay()->setText(day);
    input.txtYear()->setText(year);
}

// The input window active, as after a click on it.
inline bool ActivateInput(InputWindow& input) {
    input.activateWindow();
    return QTest::qWaitForWindowActive(&input);
}

// Lets posted events, timers and paints run.
inline void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// The last message shown, "title: text", or empty.
inline std::string LastMessage(GuiApp& app) {
    const auto& shown = app.messages().shown();
    return shown.empty() ? std::string() : shown.back().title + ": " + shown.back().text;
}

// The command-line program's output for the same request.
inline std::string CommandLineOutput(const QStringList& arguments) {
    QProcess process;
    process.start(QString(NOVAREL_BUILD_DIR) + "/novarel", arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput().toStdString();
}

// A File menu command of the Data window answered in its file dialog: the
// path chosen, or cancelled for an empty path; the dialog's question whether
// to replace an existing file is answered Yes. The name the dialog proposed;
// empty when no dialog opened.
inline QString SaveThroughDialog(GuiApp& app, const char* action, const QString& path) {
    QString proposed;
    QTimer replace;
    QObject::connect(&replace, &QTimer::timeout, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
                if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
    });
    replace.start(20);
    // Gone with the function when no dialog opened.
    QTimer answer;
    answer.setSingleShot(true);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QFileDialog* dialog = app.saveDialog().openDialog();
        if (!dialog) return;
        proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
        if (!path.isEmpty()) dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, path.isEmpty() ? "reject" : "accept",
                                  Qt::QueuedConnection);
    });
    answer.start(0);
    app.dataWindow().action(action)->trigger();
    return proposed;
}

// The line of a text that starts with the given bytes.
inline std::string LineStartingWith(const std::string& text, const std::string& start) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(start, 0) == 0) return line;
        pos = end + 1;
    }
    return {};
}

}  // namespace novarel::ui::test
