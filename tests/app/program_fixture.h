#pragma once
// A Program over recording fakes in a fresh program folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/program.h"
#include "app/text_file.h"
#include "tests/support/app_fakes.h"
#include "tests/support/fakes.h"

namespace novarel::test {

namespace fs = std::filesystem;

class LoggingProgress final : public ProgressSink {
public:
    explicit LoggingProgress(EventLog& log) : log_(log) {}
    void loadProgress() override { log_.push_back("progress:load"); }
    void unloadProgress() override { log_.push_back("progress:unload"); }
    void setBusy(bool b) override { log_.push_back(b ? "busy" : "normal"); }

private:
    EventLog& log_;
};

class LoggingLibrary final : public EphemerisLibrary {
public:
    explicit LoggingLibrary(EventLog& log) : log_(log) {}
    void set_ephe_path(const std::string& p) override { log_.push_back("library:path " + p); }
    void set_sid_mode(std::int32_t, double, double) override {}
    double deltat(double) override { return 0; }
    std::int32_t calc(double, int, std::int32_t flags, double* xx, char*) override {
        for (int i = 0; i < 6; ++i) xx[i] = 0;
        return flags;
    }

private:
    EventLog& log_;
};

struct ProgramFixture : ::testing::Test {
    EventLog log;
    RecordingMessages messages;
    RecordingView view;
    LoggingProgress progress{log};
    GeneratorWindows noWindows;
    RecordingMainWindow main{&log};
    RecordingInputWindow input{&log};
    RecordingDataWindow dataWindow;
    ScriptedSaveDialog saveDialog;
    RecordingPreview preview;
    RecordingPrinter printer;
    FakeScreen screen{1024, 15};
    FixedClock clock{2026, 12, 5, 7, 8, 12};
    RecordingShell shell{&log};
    fs::path dir = MakeDir();
    std::unique_ptr<Program> program;

    static fs::path MakeDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        fs::path d = fs::temp_directory_path() /
                     ("novarel_prog_" + std::string(info->test_suite_name()) + "_" + info->name());
        fs::remove_all(d);
        fs::create_directories(d);
        // The shipped options files, as the build folder holds them.
        for (const char* f : {"OPTIONS.OPT", "OPTIONS.MAS"})
            fs::copy_file(fs::path(NOVAREL_BUILD_DIR) / f, d / f);
        return d;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }
    Program& Make() {
        program = std::make_unique<Program>(
            dir.string(), std::make_unique<LoggingLibrary>(log),
            ProgramSeams{messages, progress, view, noWindows},
            AppSeams{main, input, dataWindow, saveDialog, preview, printer, screen, clock, shell},
            LocaleNames::English());
        return *program;
    }
    Program& Start() {
        Make().StartUp(StartupOptions{"", std::int16_t{2}});
        return *program;
    }
    void Write(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(WriteWholeFile((dir / name).string(), bytes));
    }
    std::string Read(const std::string& name) { return ReadWholeFile((dir / name).string()).value_or("<none>"); }
    std::vector<std::string> SettingsLines() { return TextLinesOf(Read("novarel_SE.ini")); }
    static std::vector<std::string> TextLinesOf(const std::string& text) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t nl = text.find("\r\n", start);
            if (nl == std::string::npos) {
                lines.push_back(text.substr(start));
                break;
            }
            lines.push_back(text.substr(start, nl - start));
            start = nl + 2;
        }
        return lines;
    }
};

}  // namespace novarel::test
