#pragma once
// The one object that owns the program's state: the calculation request, the
// run state, the data buffer, the option values, the window settings and the
// window logic. Front ends make one, hand it their seams, and drive it.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/app_seams.h"
#include "app/input_form.h"
#include "app/main_menu.h"
#include "app/options_file.h"
#include "app/settings_file.h"
#include "aspectarian/aspectarian_state.h"
#include "core/calc_request.h"
#include "core/ephemeris_library.h"
#include "core/locale_names.h"
#include "core/option_values.h"
#include "core/run_state.h"
#include "core/seams.h"
#include "output/data_buffer.h"
#include "output/data_window.h"
#include "output/generators.h"
#include "output/output_seams.h"
#include "output/run_context.h"
#include "transits/transits_state.h"

namespace novarel {

struct NullAppSeams;

struct ProgramSeams {
    MessageSink& messages;
    ProgressSink& progress;
    DataView& view;
    GeneratorWindows& windows;
};

// The windows and devices of a front end with a screen.
struct AppSeams {
    MainWindowSeam& main;
    InputWindowSeam& input;
    DataWindowSeam& dataWindow;
    SaveFileDialog& saveDialog;
    PrintPreviewSeam& preview;
    Printer& printer;
    ScreenMetrics& screen;
    Clock& clock;
    ShellWindows& shell;
};

struct StartupOptions {
    // An ini file with an "iDate=" line for the date order; else the locale's.
    std::string dateOrderIni;
    // A fixed date order instead of the detected one.
    std::optional<std::int16_t> dateOrder;
};

class Program;

// What a generator run does to the shell's windows besides the Data window:
// the input window hides and "&Input" appears; "&More" appears at the end.
class ShellGeneratorWindows final : public GeneratorWindows {
public:
    explicit ShellGeneratorWindows(Program& program) : program_(program) {}
    void runStarted() override;
    void runFinished() override;

private:
    Program& program_;
};

class Program {
public:
    // Without windows of its own (the command line).
    Program(std::string programDirectory, std::unique_ptr<EphemerisLibrary> library,
            ProgramSeams seams, LocaleNames names);
    Program(std::string programDirectory, std::unique_ptr<EphemerisLibrary> library,
            ProgramSeams seams, AppSeams app, LocaleNames names);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Library path and options file, as the first steps of start-up.
    void InitialiseLibraryAndOptions();
    // The library path alone, for a run whose options were read for it.
    void InitialiseLibrary();

    // The whole start-up in its fixed order, ending with the main window and
    // the input window shown.
    void StartUp(const StartupOptions& options = {});
    // File > Exit, and closing the main window: the settings are written
    // (a failure is reported and the exit goes on), then the program ends.
    void Exit();
    // The one-second timer of the main window's title.
    void ClockTick();
    std::string TitleText();

    void RunMainMenu(MainCommand command);
    // A Data window command; after a step of the period the input window
    // shows the date the new period starts on.
    void RunDataCommand(DataCommand command);
    // The main menu's "&Input": the data go, the Data window closes, the
    // input window shows.
    void ShowInputAgain();
    // The user closed the input window: the main menu's "Input" brings it
    // back, whether or not a run has hidden it before.
    void InputClosed();
    // A first start: the Data window as wide as the widest table at the
    // text size, as far as the screen allows.
    void FitDataWindowToTables();
    // A help text of the program folder as a page of the Data window.
    bool ShowHelp(std::string_view fileName);
    // The main window was moved or resized.
    void MainWindowMoved(const WindowRect& rect);

    // The input window's two buttons; a full-month run moves the day box to
    // the first, which the window then shows.
    RunOutcome CalculateEphemeris();
    RunOutcome CalculateAspectarian();
    // The transits to the chosen natal chart over the input window's period.
    RunOutcome CalculateTransits();

    void setGenerators(Generators& generators);
    Generators& generators() { return *generators_; }

    RunContext context();
    OptionsEditor optionsEditor();
    SettingsLinks settingsLinks() { return SettingsLinks{dataSettings, mainPlace, input}; }
    std::string settingsPath() const { return programDirectory_ + "/" + SettingsFileName; }

    const std::string& programDirectory() const { return programDirectory_; }
    EphemerisLibrary& library() { return *library_; }
    ProgramSeams& seams() { return seams_; }
    AppSeams& app() { return app_; }
    const MenuItemState& mainMenuItem(std::string_view name) const;

private:
    Program(std::string programDirectory, std::unique_ptr<EphemerisLibrary> library,
            ProgramSeams seams, std::unique_ptr<NullAppSeams> nulls, LocaleNames names);
    static AppSeams SeamsOf(NullAppSeams& nulls);
    void SetMainMenuVisible(std::string_view name, bool visible);
    friend class ShellGeneratorWindows;

    // Members are built in the order of declaration, so each group below
    // comes after everything it is built from.

    // What the program is given, and how it reaches the generators.
    std::unique_ptr<NullAppSeams> nulls_;
    std::string programDirectory_;
    std::unique_ptr<EphemerisLibrary> library_;
    ProgramSeams seams_;
    AppSeams app_;
    NoGenerators noGenerators_;
    Generators* generators_;
    ShellGeneratorWindows generatorWindows_;
    std::array<MenuItemState, MainMenu.size()> mainMenu_{};

public:
    // Where the generators write their data files; empty: the program folder.
    std::string dataFolder;

    // The choices of the last run that finished, which its records were made
    // with (the input window may have changed since); none while a run goes
    // on, and after one that stopped.
    struct FinishedRun {
        CalcRequest request;
        OptionValues options;
    };
    std::optional<FinishedRun> lastRun;

    // The state the generators and the windows share.
    CalcRequest request;
    RunState state;
    OptionValues options;
    AspectarianState aspectarian;
    TransitsState transits;
    LocaleNames names;
    DataWindowSettings dataSettings;
    MainWindowPlace mainPlace;

    // The window logic over that state. The Data window, the view that loads
    // it and the buffer refer to one another in a ring: each only keeps the
    // others' addresses while they are built.
    DataWindow dataWindow;
    LoadingDataView loadingView;
    DataBuffer buffer;
    InputForm input;
};

}  // namespace novarel
