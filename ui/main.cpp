// novarel-gui: the desktop program.
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <clocale>
#include <cstdio>

#include "app/program_folder.h"
#include "ui/gui_app.h"
#include "ui/qt_text.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("novarel-gui");
    QApplication::setApplicationDisplayName("Novarel_SE");
    QApplication::setApplicationVersion("2.00");
    std::setlocale(LC_NUMERIC, "C");  // numbers are always written with "."

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Novarel_SE 2.00: daily ephemeris and aspectarian at Greenwich");
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption dir("dir",
                           "Program folder (default: the runtime files' folder beside the "
                           "program, or $XDG_DATA_HOME/novarel when that is not writable).",
                           "PATH");
    parser.addOption(dir);
    parser.process(qapp);

    const novarel::ProgramFolder folder =
        novarel::ChooseProgramFolder(novarel::ui::Std(parser.value(dir)));
    if (!folder.error.empty()) {
        std::fprintf(stderr, "Warning!: %s\n", folder.error.c_str());
        QMessageBox::critical(nullptr, "Warning!", novarel::ui::Qs(folder.error));
        return 1;
    }
    novarel::ui::GuiApp gui(novarel::ui::GuiOptions{folder.path, false, std::nullopt});
    gui.start();
    if (gui.ended()) return gui.exitCode();
    return QApplication::exec();
}
