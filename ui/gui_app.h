#pragma once
// The desktop program: the Program of the logic, its windows and devices,
// and the glue between them. One exists per process.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/app_seams.h"
#include "app/system_clock.h"
#include "core/seams.h"
#include "ui/window_host.h"

class QWidget;

namespace novarel {
class Program;
class LibraryGenerators;
enum class MainCommand;
enum class DataCommand;
}  // namespace novarel

namespace novarel::render {
class QtPrinter;
}

namespace novarel::ui {

using render::QtPrinter;

class MainWindow;
class InputWindow;
class DataWindowWidget;
class ProgressWindow;
class MessageBoxes;
class SaveDialog;
class DateDialog;
class PrintPreview;
class OptionsWindow;
class AboutWindow;
class NatalChartsWindow;
class GraphWindow;

// The program's name and version for the toolkit. No display name: the
// toolkit would append it to every window and message title, and the titles
// are the program's own texts.
void NameApplication();

struct GuiOptions {
    std::string programDirectory;
    // Tests: message boxes and the notice window are recorded, not waited for.
    bool scripted = false;
    // A fixed date order instead of the one of the system's settings.
    std::optional<std::int16_t> dateOrder;
};

class GuiApp final : public ShellWindows, public ScreenMetrics, public WindowHost {
public:
    explicit GuiApp(GuiOptions options);
    ~GuiApp() override;

    // Start-up in its fixed order; the main and input windows show.
    void start();
    // The program has ended (File > Exit, or the glyph font could not be had).
    bool ended() const override { return ended_; }
    int exitCode() const { return exitCode_; }

    void runMainCommand(MainCommand command) override;
    void runDataCommand(DataCommand command) override;
    void calculate(bool ephemeris) override;
    // Ends the program: every window closes and the event loop stops.
    void endProgram(int code) override;

    Program& program() override { return *program_; }
    QMainWindow& mainMenuWindow() override;
    bool ask(std::string_view question, std::string_view title) override;
    MainWindow& mainWindow() { return *main_; }
    InputWindow& inputWindow() { return *input_; }
    DataWindowWidget& dataWindow() { return *data_; }
    ProgressWindow& progressWindow() { return *progress_; }
    MessageBoxes& messages() { return *messages_; }
    SaveDialog& saveDialog() { return *saveDialog_; }
    DateDialog& dateDialog() { return *dateDialog_; }
    PrintPreview& printPreview() { return *preview_; }
    QtPrinter& printer() { return *printer_; }
    OptionsWindow* optionsWindow() { return options_.get(); }
    AboutWindow* aboutWindow() { return about_.get(); }
    NatalChartsWindow* natalChartsWindow() { return natalCharts_.get(); }
    GraphWindow* graphWindow() { return graph_.get(); }
    int noticesShown() const { return noticesShown_; }
    const GuiOptions& options() const { return guiOptions_; }

    // ShellWindows
    void showNotice() override;
    void showAbout() override;
    void showGraphicEphemeris() override;
    void showOptionsEditor() override;
    void showNatalCharts() override;
    void printerSetup() override;
    std::optional<CivilDate> askDate(const CivilDate& initial) override;
    // ScreenMetrics
    double screenWidthTwips() override;
    double twipsPerPixelX() override;
    double textWidthTwips(int characters, double points) override;

private:
    GuiOptions guiOptions_;
    std::unique_ptr<MessageBoxes> messages_;
    std::unique_ptr<ProgressWindow> progress_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<InputWindow> input_;
    std::unique_ptr<DataWindowWidget> data_;
    std::unique_ptr<SaveDialog> saveDialog_;
    std::unique_ptr<DateDialog> dateDialog_;
    std::unique_ptr<PrintPreview> preview_;
    std::unique_ptr<QtPrinter> printer_;
    std::unique_ptr<OptionsWindow> options_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<NatalChartsWindow> natalCharts_;
    std::unique_ptr<GraphWindow> graph_;
    GeneratorWindows generatorWindows_;
    SystemClock clock_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<LibraryGenerators> generators_;
    bool ended_ = false;
    int exitCode_ = 0;
    int noticesShown_ = 0;
};

}  // namespace novarel::ui
