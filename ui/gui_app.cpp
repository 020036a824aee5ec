#include "ui/gui_app.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QScreen>
#include <QStyle>
#include <QThread>

#include "app/export/window_exports.h"
#include "app/library_generators.h"
#include "app/program.h"
#include "core/locale_names.h"
#include "core/swe_library.h"
#include "render/qt_printer.h"
#include "ui/about_window.h"
#include "ui/data_window.h"
#include "ui/date_dialog.h"
#include "ui/graph_window.h"
#include "ui/input_window.h"
#include "ui/main_window.h"
#include "ui/message_boxes.h"
#include "ui/natal_charts_window.h"
#include "ui/notice_window.h"
#include "ui/options_window.h"
#include "ui/print_preview.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"
#include "ui/save_dialog.h"

namespace novarel::ui {

GuiApp::GuiApp(GuiOptions options)
    : guiOptions_(std::move(options)),
      messages_(std::make_unique<MessageBoxes>(guiOptions_.scripted)),
      progress_(std::make_unique<ProgressWindow>()),
      main_(std::make_unique<MainWindow>(*this)),
      input_(std::make_unique<InputWindow>(*this)),
      data_(std::make_unique<DataWindowWidget>(*this)),
      saveDialog_(std::make_unique<SaveDialog>()),
      dateDialog_(std::make_unique<DateDialog>(data_.get())),
      preview_(std::make_unique<PrintPreview>(*this)),
      printer_(std::make_unique<QtPrinter>(guiOptions_.programDirectory, *messages_)) {
    program_ = std::make_unique<Program>(
        guiOptions_.programDirectory, std::make_unique<SweLibrary>(),
        ProgramSeams{*messages_, *progress_, *data_, generatorWindows_},
        AppSeams{*main_, *input_, *data_, *saveDialog_, *preview_, *printer_, *this, clock_, *this},
        LocaleNames::FromCurrentLocale());
    generators_ = std::make_unique<LibraryGenerators>(*program_);
    program_->setGenerators(*generators_);
    input_->bind();
    // The main menu's keys work from the input window too: the menu strip is
    // a window of its own, which the keyboard does not otherwise reach.
    for (const char* name : {"mnuPrSetup", "mnuFileExit", "mnuMainMenuHelp"})
        input_->addAction(main_->action(name));
    saveDialog_->setParent(data_.get());
}

GuiApp::~GuiApp() {
    // The windows refer to the program; they go first.
    natalCharts_.reset();
    graph_.reset();
    about_.reset();
    options_.reset();
    preview_.reset();
    data_.reset();
    input_.reset();
    main_.reset();
}

void NameApplication() {
    QCoreApplication::setApplicationName("novarel-gui");
    QCoreApplication::setApplicationVersion("2.00");
}

void GuiApp::start() { program_->StartUp(StartupOptions{"", guiOptions_.dateOrder}); }

void GuiApp::runMainCommand(MainCommand command) {
    if (ended_) return;
    program_->RunMainMenu(command);
}

void GuiApp::runDataCommand(DataCommand command) {
    if (ended_) return;
    if (exports::IsWindowExport(command))
        exports::RunWindowExport(*program_, command);
    else
        program_->RunDataCommand(command);
}

void GuiApp::calculate(bool ephemeris) {
    if (ended_) return;
    if (ephemeris)
        program_->CalculateEphemeris();
    else
        program_->CalculateAspectarian();
}

QMainWindow& GuiApp::mainMenuWindow() { return *main_; }

bool GuiApp::ask(std::string_view question, std::string_view title) {
    return messages_->ask(question, title);
}

void GuiApp::endProgram(int code) {
    if (ended_) return;
    ended_ = true;
    exitCode_ = code;
    for (QWidget* w :
         {static_cast<QWidget*>(data_.get()), static_cast<QWidget*>(input_.get()),
          static_cast<QWidget*>(preview_.get()), static_cast<QWidget*>(options_.get()),
          static_cast<QWidget*>(about_.get()), static_cast<QWidget*>(natalCharts_.get()),
          static_cast<QWidget*>(graph_.get()), static_cast<QWidget*>(progress_.get())})
        if (w) w->hide();
    main_->closeForGood();
    // Only a running loop is told: exit() without one would make every
    // later modal dialog return at once.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(code);
}

void GuiApp::showNotice() {
    ++noticesShown_;
    NoticeWindow notice;
    if (guiOptions_.scripted) {
        notice.show();
        notice.accept();
        return;
    }
    notice.exec();
}

void GuiApp::showAbout() {
    if (!about_) about_ = std::make_unique<AboutWindow>(program_->library().version());
    about_->show();
    about_->raise();
}

void GuiApp::showGraphicEphemeris() {
    if (!graph_) graph_ = std::make_unique<GraphWindow>(*program_);
    // Open already: the user's choices stay, the window comes forward.
    if (!graph_->isVisible()) graph_->loadFromProgram();
    graph_->show();
    graph_->raise();
}

void GuiApp::showOptionsEditor() {
    if (!options_) options_ = std::make_unique<OptionsWindow>(*this);
    // Open already: the user's unsaved edits stay, the window comes forward.
    if (!options_->isVisible()) options_->load();
    options_->show();
    options_->raise();
}

void GuiApp::showNatalCharts() {
    if (!natalCharts_) {
        natalCharts_ = std::make_unique<NatalChartsWindow>(*this);
        // The first time in the middle of the screen, whole on a small one.
        if (const QScreen* s = input_->screen()) {
            const QRect area = s->availableGeometry();
            natalCharts_->move(area.center() - natalCharts_->rect().center());
        }
    }
    // Open already: the user's unsaved edits stay, the window comes forward.
    if (!natalCharts_->isVisible()) natalCharts_->load();
    natalCharts_->show();
    natalCharts_->raise();
    natalCharts_->activateWindow();
}

void GuiApp::printerSetup() { printer_->setup(main_.get()); }

std::optional<CivilDate> GuiApp::askDate(const CivilDate& initial) {
    return dateDialog_->ask(initial, program_->state.DateOrder);
}

double GuiApp::screenWidthTwips() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() * twipsPerPixelX() : 640 * 15.0;
}

double GuiApp::twipsPerPixelX() { return TwipsPerPixelX(main_.get()); }

double GuiApp::textWidthTwips(int characters, double points) {
    QFont font(GlyphFontName);
    font.setPointSizeF(points);
    const QFontMetricsF metrics(font);
    // The text area's document margin and frame on both sides, and its
    // vertical scroll bar.
    constexpr int Margins = 2 * (4 + 2) + 4;
    const int scrollBar = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const double pixels =
        metrics.horizontalAdvance(QString(characters, QChar('0'))) + Margins + scrollBar;
    return pixels * twipsPerPixelX();
}

}  // namespace novarel::ui
