// Pictures of the windows as a user sees them, for the documentation and
// for looking at: gui_screenshots OUTPUT_FOLDER [PROGRAM_FOLDER]
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "app/options_file.h"
#include "app/program.h"
#include "core/text_file.h"
#include "render/qt_printer.h"
#include "ui/about_window.h"
#include "ui/data_window.h"
#include "ui/graph_window.h"
#include "ui/gui_app.h"
#include "ui/input_window.h"
#include "ui/main_window.h"
#include "ui/options_window.h"
#include "ui/print_preview.h"

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

bool Shot(QWidget* w, const QString& path) {
    Settle();
    const bool ok = w->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gui_screenshots OUTPUT_FOLDER [PROGRAM_FOLDER]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    namespace fs = std::filesystem;
    const fs::path build = NOVAREL_BUILD_DIR;
    const fs::path dir = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "novarel_shots";
    fs::create_directories(dir);
    for (const char* f : {"OPTIONS.OPT", "OPTIONS.MAS", "EPHEMERI.TTF", "OUTPUTD1.HLP"})
        fs::copy_file(build / f, dir / f, fs::copy_options::overwrite_existing);
    fs::remove(dir / "novarel_SE.ini");

    using namespace novarel;
    ui::GuiApp app(ui::GuiOptions{dir.string(), true, std::int16_t{2}});
    app.start();
    Program& p = app.program();
    ui::InputWindow& input = app.inputWindow();
    input.txtDay()->setText("10");
    input.txtMonth()->setText("3");
    input.txtYear()->setText("2018");
    bool ok = Shot(&input, out + "/input-window.png");

    static_cast<QPushButton*>(input.control("cmdEphemeris"))->click();
    ui::DataWindowWidget& data = app.dataWindow();
    data.resize(1000, 640);
    ok = Shot(&data, out + "/data-window-ephemeris.png") && ok;

    // The month's page through the print preview into a PDF file.
    app.printer().printToPdf((dir / "page.pdf").string());
    p.RunDataCommand(DataCommand::PrintPage);
    ok = Shot(&app.printPreview(), out + "/print-preview.png") && ok;
    app.printPreview().printButton()->click();
    fs::copy_file(dir / "page.pdf", fs::path(out.toStdString()) / "printed-page.pdf",
                  fs::copy_options::overwrite_existing);

    // The aspectarian in two columns.
    {
        // Option 5 (the fifth line) set to 1: two columns.
        std::string text = ReadWholeFile((dir / "OPTIONS.MAS").string()).value_or("");
        std::size_t pos = 0;
        for (int line = 1; line < 5; ++line) pos = text.find("\r\n", pos) + 2;
        text[pos] = '1';
        WriteWholeFile((dir / "OPTIONS.OPT").string(), text);
        ReadOptionsFile(dir.string(), p.options);
    }
    p.ShowInputAgain();
    input.control("chkFullMonth")->setProperty("checked", false);
    input.txtDays()->setText("7");
    static_cast<QPushButton*>(input.control("cmdAspectarian"))->click();
    data.resize(1180, 640);
    ok = Shot(&data, out + "/data-window-aspectarian.png") && ok;

    // On New York's clock, the day the clocks go back, with the
    // void-of-course Moon, Chiron and the asteroids.
    {
        std::string text = ReadWholeFile((dir / "OPTIONS.MAS").string()).value_or("");
        std::size_t pos = 0;
        for (int line = 1; line <= 20; ++line) {
            if (line == 19 || line == 20) text[pos] = '1';
            pos = text.find("\r\n", pos) + 2;
        }
        WriteWholeFile((dir / "OPTIONS.OPT").string(), text);
        ReadOptionsFile(dir.string(), p.options);
    }
    p.ShowInputAgain();
    input.cboTimeZone()->setCurrentText("America/New_York");
    input.txtDay()->setText("3");
    input.txtMonth()->setText("11");
    input.txtYear()->setText("2024");
    input.txtDays()->setText("2");
    ok = Shot(&input, out + "/input-window-time-zone.png") && ok;
    static_cast<QPushButton*>(input.control("cmdAspectarian"))->click();
    data.resize(1000, 640);
    ok = Shot(&data, out + "/data-window-local-clock.png") && ok;
    p.ShowInputAgain();
    static_cast<QPushButton*>(input.control("cmdEphemeris"))->click();
    data.resize(1180, 420);
    ok = Shot(&data, out + "/data-window-asteroids.png") && ok;

    // The graphic ephemeris of the year of the great conjunction.
    p.ShowInputAgain();
    input.txtDay()->setText("1");
    input.txtMonth()->setText("6");
    input.txtYear()->setText("2020");
    p.RunMainMenu(MainCommand::GraphicEphemeris);
    if (app.graphWindow()) {
        app.graphWindow()->resize(1000, 680);
        app.graphWindow()->moveCursor(204);
        ok = Shot(app.graphWindow(), out + "/graph-window.png") && ok;
    }

    p.RunMainMenu(MainCommand::Options);
    if (app.optionsWindow()) ok = Shot(app.optionsWindow(), out + "/options-editor.png") && ok;
    p.RunMainMenu(MainCommand::About);
    if (app.aboutWindow()) ok = Shot(app.aboutWindow(), out + "/about.png") && ok;
    ok = Shot(&app.mainWindow(), out + "/main-window.png") && ok;
    p.RunMainMenu(MainCommand::Exit);
    return ok ? 0 : 1;
}
