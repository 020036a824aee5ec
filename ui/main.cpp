// novarel-gui: the desktop program.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QMessageBox>
#include <clocale>
#include <cstdio>
#include <string_view>
#include <vector>

#include "app/program_folder.h"
#include "ui/gui_app.h"
#include "ui/qt_text.h"

namespace {

const QCommandLineOption DirOption(
    "dir",
    "Program folder (default: the runtime files' folder beside the program, or "
    "$XDG_DATA_HOME/novarel when that is not writable).",
    "PATH");

void DescribeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        "Novarel_SE 2.00: daily ephemeris and aspectarian at Greenwich");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(DirOption);
}

// --help and --version need no display: they are answered before the
// toolkit opens one, under the program's name rather than the path it was
// started by.
bool AsksForHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--") return false;
        if (a == "-h" || a == "-?" || a == "--help" || a == "--help-all" || a == "-v" ||
            a == "--version")
            return true;
    }
    return false;
}

int AnswerHelpOrVersion(int argc, char** argv) {
    std::vector<char*> arguments(argv, argv + argc);
    char name[] = "novarel-gui";
    arguments[0] = name;
    int count = argc;
    QCoreApplication core(count, arguments.data());
    novarel::ui::NameApplication();
    QCommandLineParser parser;
    DescribeOptions(parser);
    parser.process(core);  // prints the text and ends the process
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (AsksForHelpOrVersion(argc, argv)) return AnswerHelpOrVersion(argc, argv);
    QApplication qapp(argc, argv);
    novarel::ui::NameApplication();
    std::setlocale(LC_NUMERIC, "C");  // numbers are always written with "."

    QCommandLineParser parser;
    DescribeOptions(parser);
    parser.process(qapp);

    const novarel::ProgramFolder folder =
        novarel::ChooseProgramFolder(novarel::ui::Std(parser.value(DirOption)));
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
