#include "app/program.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/date_order.h"
#include "app/font_step.h"
#include "app/natal_charts_form.h"
#include "app/null_seams.h"
#include "app/program_folder.h"
#include "app/title_clock.h"
#include "core/swe_library.h"
#include "output/help_viewer.h"

namespace novarel {

void ShellGeneratorWindows::runStarted() {
    program_.lastRun.reset();
    program_.input.Hide();
    program_.SetMainMenuVisible("mnuInputData", true);
    program_.seams_.windows.runStarted();
}

void ShellGeneratorWindows::runFinished() {
    program_.lastRun = Program::FinishedRun{program_.request, program_.options};
    program_.dataWindow.ShowMoreMenu();
    program_.seams_.windows.runFinished();
}

AppSeams Program::SeamsOf(NullAppSeams& n) {
    return AppSeams{n.main,    n.input,  n.dataWindow, n.saveDialog, n.preview,
                    n.printer, n.screen, n.clock,      n.shell};
}

Program::Program(std::string programDirectory, std::unique_ptr<EphemerisLibrary> library,
                 ProgramSeams seams, LocaleNames names_)
    : Program(std::move(programDirectory), std::move(library), seams,
              std::make_unique<NullAppSeams>(), std::move(names_)) {}

Program::Program(std::string programDirectory, std::unique_ptr<EphemerisLibrary> library,
                 ProgramSeams seams, std::unique_ptr<NullAppSeams> nulls, LocaleNames names_)
    : Program(std::move(programDirectory), std::move(library), seams, SeamsOf(*nulls),
              std::move(names_)) {
    nulls_ = std::move(nulls);
}

Program::Program(std::string programDirectory, std::unique_ptr<EphemerisLibrary> library,
                 ProgramSeams seams, AppSeams app, LocaleNames names_)
    : programDirectory_(std::move(programDirectory)),
      library_(std::move(library)),
      seams_(seams),
      app_(app),
      generators_(&noGenerators_),
      generatorWindows_(*this),
      names(std::move(names_)),
      dataWindow(DataWindowLinks{buffer, request, state, options, dataSettings, seams.messages,
                                 seams.progress, seams.view, app.dataWindow, app.saveDialog,
                                 app.preview, app.printer, programDirectory_,
                                 RuntimeFilePlaces(programDirectory_, GlyphFontFile)}),
      loadingView(dataWindow, seams.view),
      buffer(seams.messages, loadingView),
      input(InputFormLinks{request, state, buffer, app.input, app.clock}) {
    for (std::size_t i = 0; i < MainMenu.size(); ++i)
        mainMenu_[i].visible = MainMenu[i].visibleAtStart;
}

Program::~Program() = default;

void Program::InitialiseLibraryAndOptions() {
    InitialiseLibrary();
    LoadOptionsAtStartup(programDirectory_, options, seams_.messages);
}

void Program::InitialiseLibrary() { library_->set_ephe_path(EphemerisPathFor(programDirectory_)); }

void Program::StartUp(const StartupOptions& startup) {
    // The program folder is fixed at construction; the library and the
    // options file come first.
    InitialiseLibraryAndOptions();
    // Before any window asks for a date: without the glyph font no table
    // could be shown, and the user would learn it only after typing one.
    if (!dataWindow.AddGlyphFont()) return;
    if (options.NoticeAtStartup()) app_.shell.showNotice();
    seams_.progress.setBusy(true);
    const bool firstStart = !std::filesystem::exists(settingsPath());
    ReadSettings(settingsPath(), settingsLinks(), &seams_.messages);
    app_.printer.setLandscape(dataSettings.PrintLandscape);
    ReportIniTooLarge(startup.dateOrderIni, seams_.messages);
    state.DateOrder =
        startup.dateOrder ? *startup.dateOrder : DetectDateOrder(startup.dateOrderIni);
    const double twipsPerPixel = app_.screen.twipsPerPixelX();
    const int widthPixels = ScreenWidthPixels(app_.screen.screenWidthTwips(), twipsPerPixel);
    buffer.EmptyData();
    state.OutputKind = OutputKind::Ephemeris;
    dataSettings.FontStep = FontStepFor(widthPixels, twipsPerPixel);
    if (firstStart) FitDataWindowToTables();
    dataWindow.saver.SaveFileName.clear();
    app_.main.placeWindow(mainPlace.rect());
    app_.main.show();
    app_.main.setTitle(TitleText());
    input.Show();
    input.DaysTextChanged(std::to_string(request.NumberOfDays));
    input.Refresh();
    seams_.progress.setBusy(false);
}

void Program::FitDataWindowToTables() {
    // The widest line of any table: the right ascension view in hours.
    constexpr int WidestTableCharacters = 134;
    const double wanted = app_.screen.textWidthTwips(WidestTableCharacters, dataSettings.FontSize);
    if (wanted <= 0) return;
    const double room =
        app_.screen.screenWidthTwips() - std::max(static_cast<double>(dataSettings.DataLeft), 0.0);
    const double width = std::min({wanted, room, 32767.0});  // the field's range
    if (width > dataSettings.DataWidth)
        dataSettings.DataWidth = static_cast<std::int16_t>(std::lround(width));
}

void Program::Exit() {
    // A settings file that cannot be written is said with a message; the
    // exit goes on, and its status says that something was lost.
    dataSettings.PrintLandscape = app_.printer.landscape();
    const bool kept = WriteSettings(settingsPath(), settingsLinks(), seams_.messages);
    app_.main.endProgram(kept ? 0 : 1);
}

std::string Program::TitleText() { return TitleClockText(app_.clock.now(), names); }

void Program::ClockTick() { app_.main.setTitle(TitleText()); }

void Program::RunMainMenu(MainCommand command) {
    switch (command) {
        case MainCommand::None: return;
        case MainCommand::PrinterSetup: app_.shell.printerSetup(); return;
        case MainCommand::Exit: Exit(); return;
        case MainCommand::Input: ShowInputAgain(); return;
        case MainCommand::Options:
            if (optionsEditor().Open()) app_.shell.showOptionsEditor();
            return;
        case MainCommand::About: app_.shell.showAbout(); return;
        case MainCommand::NatalCharts: app_.shell.showNatalCharts(); return;
        case MainCommand::Transits: CalculateTransits(); return;
        case MainCommand::GraphicEphemeris: app_.shell.showGraphicEphemeris(); return;
        default: ShowHelp(HelpFileOf(command)); return;
    }
}

void Program::RunDataCommand(DataCommand command) {
    if (command == DataCommand::Today) {
        const std::tm today = app_.clock.now();
        dataWindow.GoToDate(CivilDate{today.tm_year + 1900, today.tm_mon + 1, today.tm_mday});
    } else if (command == DataCommand::GoToDate) {
        const std::optional<CivilDate> date = app_.shell.askDate(JulianDayToCivil(state.StartJD));
        if (!date) return;
        dataWindow.GoToDate(*date);
    } else {
        dataWindow.Run(command);
    }
    if (command == DataCommand::MoreForward || command == DataCommand::MoreBackward ||
        command == DataCommand::Today || command == DataCommand::GoToDate)
        input.Refresh();
}

RunOutcome Program::CalculateEphemeris() {
    const RunOutcome outcome = input.CalculateEphemeris(*generators_);
    input.Refresh();
    return outcome;
}

RunOutcome Program::CalculateAspectarian() {
    const RunOutcome outcome = input.CalculateAspectarian(*generators_);
    input.Refresh();
    return outcome;
}

RunOutcome Program::CalculateTransits() {
    // Without a chosen chart there is nothing to measure against: the user
    // is told so, and the window where one is chosen opens.
    if (request.natalChart.empty()) {
        seams_.messages.showMessage(ChooseChartForTransits, NatalChartsTitle,
                                    MessageIcon::Information);
        app_.shell.showNatalCharts();
        return RunOutcome::InvalidInput;
    }
    const RunOutcome outcome = input.CalculateTransits(*generators_);
    input.Refresh();
    return outcome;
}

void Program::InputClosed() {
    input.Hide();
    SetMainMenuVisible("mnuInputData", true);
}

void Program::ShowInputAgain() {
    buffer.EmptyData();
    dataWindow.saver.SaveFileName.clear();
    dataWindow.Close();
    input.Show();
}

bool Program::ShowHelp(std::string_view fileName) {
    return ShowHelpText(buffer, seams_.messages, programDirectory_, std::string(fileName));
}

void Program::MainWindowMoved(const WindowRect& rect) {
    mainPlace = MainWindowPlace{static_cast<float>(rect.top), static_cast<float>(rect.left),
                                static_cast<float>(rect.height), static_cast<float>(rect.width)};
}

void Program::setGenerators(Generators& generators) {
    generators_ = &generators;
    dataWindow.setGenerators(generators);
}

RunContext Program::context() {
    return RunContext{request,
                      state,
                      options,
                      *library_,
                      seams_.messages,
                      seams_.progress,
                      generatorWindows_,
                      buffer,
                      names,
                      dataFolder.empty() ? programDirectory_ : dataFolder};
}

OptionsEditor Program::optionsEditor() {
    return OptionsEditor(programDirectory_, options, seams_.messages);
}

const MenuItemState& Program::mainMenuItem(std::string_view name) const {
    const int i = MainMenuIndex(name);
    return mainMenu_[i < 0 ? 0 : static_cast<std::size_t>(i)];
}

void Program::SetMainMenuVisible(std::string_view name, bool visible) {
    const int i = MainMenuIndex(name);
    if (i < 0) return;
    mainMenu_[static_cast<std::size_t>(i)].visible = visible;
    app_.main.menuChanged(name, mainMenu_[static_cast<std::size_t>(i)]);
}

}  // namespace novarel
