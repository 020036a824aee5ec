#pragma once
// Recording fakes of the window, dialog, printer, screen and clock seams, and
// a generator fake that moves the date fields as a real run does.
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/app_seams.h"
#include "core/julian_day.h"
#include "core/start_date.h"
#include "output/data_buffer.h"
#include "output/data_window.h"
#include "output/generators.h"
#include "output/output_seams.h"

namespace novarel::test {

// One list of events shared by several fakes, to check the order of steps.
using EventLog = std::vector<std::string>;

class RecordingMainWindow final : public MainWindowSeam {
public:
    explicit RecordingMainWindow(EventLog* log = nullptr) : log_(log) {}
    void placeWindow(const WindowRect& r) override { place = r; note("main:place"); }
    void show() override { ++shown; note("main:show"); }
    void setTitle(const std::string& t) override { title = t; }
    void menuChanged(std::string_view name, const MenuItemState& s) override {
        menu.push_back(std::string(name) + (s.visible ? ":visible" : ":hidden"));
    }
    void endProgram() override { ++ended; note("main:end"); }
    WindowRect place;
    int shown = 0;
    int ended = 0;
    std::string title;
    std::vector<std::string> menu;

private:
    void note(const char* e) { if (log_) log_->push_back(e); }
    EventLog* log_;
};

class RecordingInputWindow final : public InputWindowSeam {
public:
    explicit RecordingInputWindow(EventLog* log = nullptr) : log_(log) {}
    // The toolkit reports a resize while a window is placed; the form must
    // not record it.
    std::function<void(const WindowRect&)> onPlaced;
    void placeWindow(const WindowRect& r) override {
        places.push_back(r);
        if (log_) log_->push_back("input:place");
        if (onPlaced) onPlaced(WindowRect{r.top + 1, r.left + 1, r.height + 1, r.width + 1});
    }
    void show() override { ++shown; visible = true; if (log_) log_->push_back("input:show"); }
    void hide() override { visible = false; if (log_) log_->push_back("input:hide"); }
    void refresh(const InputForm&) override { ++refreshed; }
    std::vector<WindowRect> places;
    int shown = 0;
    bool visible = false;
    int refreshed = 0;

private:
    EventLog* log_;
};

class RecordingDataWindow final : public DataWindowSeam {
public:
    std::function<void(const WindowRect&)> onPlaced;
    void placeWindow(const WindowRect& r) override {
        places.push_back(r);
        if (onPlaced) onPlaced(WindowRect{r.top + 7, r.left + 7, r.height + 7, r.width + 7});
    }
    bool hasFontFace(std::string_view face) override {
        faceQueries.push_back(std::string(face));
        return fontInstalled;
    }
    bool addFontFile(const std::string& path) override {
        addedFiles.push_back(path);
        if (addSucceeds) fontInstalled = true;
        return addSucceeds;
    }
    void applyState(const DataWindowState& s) override { last = s; ++applied; }
    void activateMainWindow() override { ++activations; }
    void closeWindow() override { ++closed; }
    void endProgram() override { ++ended; }

    bool fontInstalled = true;
    bool addSucceeds = true;
    std::vector<WindowRect> places;
    std::vector<std::string> faceQueries;
    std::vector<std::string> addedFiles;
    DataWindowState last;
    int applied = 0;
    int activations = 0;
    int closed = 0;
    int ended = 0;
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
    int shown = 0;
    int closed = 0;
};

class RecordingPrinter final : public Printer {
public:
    void setFont(std::string_view f, int p) override {
        face = std::string(f);
        points = p;
    }
    void printLine(const std::string& line) override {
        if (pages.empty()) pages.emplace_back();
        pages.back().push_back(line);
    }
    void newPage() override { pages.emplace_back(); ++newPages; }
    bool endDocument() override { ++ended; return accepts; }
    std::string face;
    int points = 0;
    std::vector<std::vector<std::string>> pages;
    int newPages = 0;
    int ended = 0;
    bool accepts = true;
};

class FakeScreen final : public ScreenMetrics {
public:
    FakeScreen(double widthPixels, double twipsPerPixel) : px(widthPixels), tpp(twipsPerPixel) {}
    double screenWidthTwips() override { return px * tpp; }
    double twipsPerPixelX() override { return tpp; }
    double px, tpp;
};

class FixedClock final : public Clock {
public:
    FixedClock(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
        when.tm_year = year - 1900;
        when.tm_mon = month - 1;
        when.tm_mday = day;
        when.tm_hour = hour;
        when.tm_min = minute;
        when.tm_sec = second;
    }
    std::tm now() override { return when; }
    std::tm when{};
};

class RecordingShell final : public ShellWindows {
public:
    explicit RecordingShell(EventLog* log = nullptr) : log_(log) {}
    void showNotice() override { ++notices; if (log_) log_->push_back("notice"); }
    void showAbout() override { ++abouts; }
    void showOptionsEditor() override { ++editors; }
    void printerSetup() override { ++setups; }
    int notices = 0, abouts = 0, editors = 0, setups = 0;

private:
    EventLog* log_;
};

// A generator that reads the input boxes as a run does and leaves DayJD on
// the last day of the period, appending one line per day; it records calls.
class PeriodGenerators final : public Generators {
public:
    PeriodGenerators(CalcRequest& request, RunState& state, DataBuffer& buffer, MessageSink& messages,
                     GeneratorWindows* windows = nullptr)
        : request_(request), state_(state), buffer_(buffer), messages_(messages), windows_(windows) {}

    RunOutcome runEphemeris() override { return run("ephemeris"); }
    RunOutcome runAspectarian() override { return run("aspectarian"); }
    void showTable(DataOutput c) override {
        calls.push_back("table:" + std::to_string(static_cast<int>(c)));
        buffer_.ClearPage();
        buffer_.CurrentLine = "table " + std::to_string(static_cast<int>(c));
        buffer_.AppendLine();
        buffer_.ShowPage();
    }
    void listStations() override { calls.push_back("stations"); }

    std::vector<std::string> calls;
    std::vector<std::string> startDates;  // DateText of each run's first day

private:
    RunOutcome run(const std::string& kind) {
        calls.push_back(kind);
        state_.InputError = 0;
        ValidateDateInput(request_, state_, messages_);
        if (state_.InputError == 1) return RunOutcome::InvalidInput;
        if (windows_) windows_->runStarted();
        ReadStartDate(request_, state_);
        startDates.push_back(state_.DateText);
        buffer_.ClearPage();
        const double first = state_.DayJD;
        int last = request_.NumberOfDays - 1;
        if (request_.chkFullMonth) last = 31;
        for (int d = 0; d <= last; ++d) {
            state_.DayJD = first + d;
            if (request_.chkFullMonth && d > 27 && JulianDayToCivil(state_.DayJD).day == 1) break;
            const CivilDate c = JulianDayToCivil(state_.DayJD);
            buffer_.CurrentLine = kind + " " + CivilToDateText(c, 2);
            buffer_.AppendLine();
        }
        buffer_.ShowPage();
        if (windows_) windows_->runFinished();
        return RunOutcome::Completed;
    }
    CalcRequest& request_;
    RunState& state_;
    DataBuffer& buffer_;
    MessageSink& messages_;
    GeneratorWindows* windows_;
};

}  // namespace novarel::test
