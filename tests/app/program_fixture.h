#pragma once
// A Program over recording fakes in a fresh folder holding the shipped options files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "app/program.h"
#include "core/text_file.h"
#include "output/printing.h"
#include "tests/support/app_fakes.h"
#include "tests/support/fakes.h"

namespace novarel::test {

namespace fs = std::filesystem;

class LoggingProgress final : public ProgressSink {
public:
    explicit LoggingProgress(EventLog& log) : log_(log) {}
    void setBusy(bool b) override { log_.push_back(b ? "busy" : "normal"); }

private:
    EventLog& log_;
};

class LoggingLibrary final : public NoEclipseLibrary {
public:
    explicit LoggingLibrary(EventLog& log) : log_(log) {}
    void set_ephe_path(const std::string& p) override { log_.push_back("library:path " + p); }
    void set_sid_mode(std::int32_t, double, double) override {}
    double deltat(double) override { return 0; }
    std::int32_t calc(double, int, std::int32_t flags, double* xx, char*) override {
        std::fill(xx, xx + 6, 0.0);
        return flags;
    }

private:
    EventLog& log_;
};

// The settings file as a program with its design state writes it.
inline const std::vector<std::string> DefaultSettingsLines{
    "[novarel_SE] - Do NOT change the order of these variables.",
    "FontSize= 10",
    "FontBold= 0",
    "FontItalic= 0",
    "NOVARELTop= 0",
    "NOVARELLeft= 0",
    "NOVARELHeight= 675",
    "NOVARELWidth= 6550",
    "DataTop= 660",
    "DataLeft= 0",
    "DataHeight= 6540",
    "DataWidth= 9600",
    "InputTop= 1260",
    "InputLeft= 0",
    "InputHeight= 5565",
    "InputWidth= 5865",
    "CalcFullMonth=Yes",
    "SaveData=No",
    "Type=Noon",
    "NumberOfDays=30",
    "Coordinates=Geo",
    "MoonNodes=True",
    "Zodiac=Tropical",
    "MoonChangeSign=Display"};

inline std::string JoinedLines(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

struct ProgramFixture : ::testing::Test {
    EventLog log;
    RecordingMessages messages;
    RecordingView view;
    LoggingProgress progress{log};
    GeneratorWindows noWindows;
    RecordingMainWindow main{log};
    RecordingInputWindow input{log};
    RecordingDataWindow dataWindow;
    ScriptedSaveDialog saveDialog;
    RecordingPreview preview;
    RecordingPrinter printer;
    FakeScreen screen{1024, 15};
    FixedClock clock{2026, 12, 5, 7, 8, 12};
    RecordingShell shell{log};
    TempFolder dir;
    std::unique_ptr<Program> program;

    ProgramFixture() {
        for (const char* f : {"OPTIONS.OPT", "OPTIONS.MAS"})
            fs::copy_file(fs::path(NOVAREL_BUILD_DIR) / f, dir / f);
    }
    Program& Make(DataView& pages, std::unique_ptr<EphemerisLibrary> library) {
        program = std::make_unique<Program>(
            dir.string(), std::move(library), ProgramSeams{messages, progress, pages, noWindows},
            AppSeams{main, input, dataWindow, saveDialog, preview, printer, screen, clock, shell},
            LocaleNames::English());
        return *program;
    }
    Program& Make() { return Make(view, std::make_unique<LoggingLibrary>(log)); }
    Program& Start() {
        Make().StartUp(StartupOptions{"", std::int16_t{2}});
        return *program;
    }
    void Write(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(WriteWholeFile((dir / name).string(), bytes));
    }
    std::string Read(const std::string& name) {
        return ReadWholeFile((dir / name).string()).value_or("<none>");
    }
};

}  // namespace novarel::test
