#pragma once
// Recording fakes of the window, dialog, printer, screen and clock seams.
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/app_seams.h"
#include "app/input_form.h"
#include "output/data_window.h"
#include "output/output_seams.h"
#include "tests/support/temp_folder.h"

namespace novarel::test {

// One list of events shared by several fakes, to check the order of steps.
using EventLog = std::vector<std::string>;

class RecordingMainWindow final : public MainWindowSeam {
public:
    explicit RecordingMainWindow(EventLog& log) : log_(log) {}
    void placeWindow(const WindowRect& r) override {
        place = r;
        log_.push_back("main:place");
    }
    void show() override { log_.push_back("main:show"); }
    void setTitle(const std::string& t) override { title = t; }
    void endProgram(int code) override {
        ++ended;
        exitCode = code;
    }
    WindowRect place;
    std::string title;
    int ended = 0;
    int exitCode = -1;

private:
    EventLog& log_;
};

class RecordingInputWindow final : public InputWindowSeam {
public:
    explicit RecordingInputWindow(EventLog& log) : log_(log) {}
    // Stands for the toolkit reporting a resize while the window is placed.
    std::function<void(const WindowRect&)> onPlaced;
    void placeWindow(const WindowRect& r) override {
        places.push_back(r);
        log_.push_back("input:place");
        if (onPlaced) onPlaced(WindowRect{r.top + 1, r.left + 1, r.height + 1, r.width + 1});
    }
    void show() override {
        visible = true;
        log_.push_back("input:show");
    }
    void hide() override { visible = false; }
    // The date boxes as the window was told to show them, "day/month/year".
    void refresh(const InputForm& form) override {
        const CalcRequest& r = form.request();
        shownDates.push_back(r.txtDay + "/" + r.txtMonth + "/" + r.txtYear);
    }
    std::vector<WindowRect> places;
    std::vector<std::string> shownDates;
    bool visible = false;

private:
    EventLog& log_;
};

class RecordingDataWindow final : public DataWindowSeam {
public:
    std::function<void(const WindowRect&)> onPlaced;
    void placeWindow(const WindowRect& r) override {
        places.push_back(r);
        if (onPlaced) onPlaced(WindowRect{r.top + 7, r.left + 7, r.height + 7, r.width + 7});
    }
    bool hasFontFace(std::string_view) override { return fontInstalled; }
    bool addFontFile(const std::string& path) override {
        addedFiles.push_back(path);
        fontInstalled = addSucceeds && (fontFile.empty() || path == fontFile);
        return fontInstalled;
    }
    void applyState(const DataWindowState& s) override { last = s; }
    void activateMainWindow() override { ++activations; }
    void closeWindow() override { ++closed; }
    void endProgram() override { ++ended; }
    bool fontInstalled = true;
    bool addSucceeds = true;
    std::string fontFile;  // when set, the only file that adds the font
    std::vector<WindowRect> places;
    std::vector<std::string> addedFiles;
    DataWindowState last;
    int activations = 0, closed = 0, ended = 0;
};

class ScriptedSaveDialog final : public SaveFileDialog {
public:
    std::optional<std::string> askSaveFileName(const SaveDialogRequest& r) override {
        requests.push_back(r);
        return answer;
    }
    std::optional<std::string> answer;  // nullopt: the user cancels
    std::vector<SaveDialogRequest> requests;
};

class RecordingPreview final : public PrintPreviewSeam {
public:
    bool setContent(const std::string& t) override {
        offered.push_back(t.size());
        if (refuseAll || t.size() > capacity) return false;
        text = t;
        return true;
    }
    std::string content() override { return text; }
    void show() override { ++shown; }
    void close() override { ++closed; }
    std::size_t capacity = static_cast<std::size_t>(-1);
    bool refuseAll = false;
    std::string text;
    std::vector<std::size_t> offered;
    int shown = 0, closed = 0;
};

class RecordingPrinter final : public Printer {
public:
    void setFont(std::string_view f, int p) override { face = std::string(f), points = p; }
    void printLine(const std::string& line) override {
        if (pages.empty()) pages.emplace_back();
        pages.back().push_back(line);
    }
    void newPage() override { pages.emplace_back(); }
    bool endDocument() override {
        ++ended;
        return accepts;
    }
    std::string face;
    int points = 0;
    std::vector<std::vector<std::string>> pages;
    int ended = 0;
    bool accepts = true;
};

struct FakeScreen final : ScreenMetrics {
    FakeScreen(double widthPixels, double twipsPerPixel) : px(widthPixels), tpp(twipsPerPixel) {}
    double screenWidthTwips() override { return px * tpp; }
    double twipsPerPixelX() override { return tpp; }
    double px, tpp;
};

struct FixedClock final : Clock {
    FixedClock(int year, int month, int day, int hour, int minute, int second) {
        when.tm_year = year - 1900, when.tm_mon = month - 1, when.tm_mday = day;
        when.tm_hour = hour, when.tm_min = minute, when.tm_sec = second;
    }
    std::tm now() override { return when; }
    std::tm when{};
};

class RecordingShell final : public ShellWindows {
public:
    explicit RecordingShell(EventLog& log) : log_(log) {}
    void showNotice() override {
        ++notices;
        log_.push_back("notice");
    }
    void showAbout() override { ++abouts; }
    void showOptionsEditor() override { ++editors; }
    void printerSetup() override { ++setups; }
    void showNatalCharts() override { ++natalCharts; }
    int notices = 0, abouts = 0, editors = 0, setups = 0, natalCharts = 0;

private:
    EventLog& log_;
};

}  // namespace novarel::test
