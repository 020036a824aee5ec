// Putting Data window text into the Qt view: a year's aspectarian beside
// the generator's own time for it, and a 30,000-line buffer. Runs without a
// display (QT_QPA_PLATFORM=offscreen is set when none is given).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <filesystem>

#include "app/program.h"
#include "bench/quiet_seams.h"
#include "ui/data_window.h"
#include "ui/gui_app.h"
#include "ui/qt_text.h"

namespace {
using namespace novarel;

constexpr int Days = 366;

// The desktop program on the build folder, with the Data window loaded.
struct Gui {
    Gui() : app(ui::GuiOptions{NOVAREL_BUILD_DIR, true, std::int16_t{2}}) {
        app.start();
        Program& p = app.program();
        p.request.txtYear = "2018";
        p.request.txtMonth = "1";
        p.request.txtDay = "1";
        p.input.SetFullMonth(false);
        p.input.DaysTextChanged(std::to_string(Days));
        p.ShowHelp("OUTPUTD1.HLP");
        app.dataWindow().resize(1000, 700);
    }
    ui::GuiApp app;
};

// Made on first use and kept to the end of the process: its windows must not
// outlive the application object in static destruction.
Gui& TheGui() {
    static Gui* gui = new Gui;
    return *gui;
}

// The Data window's text after a year's aspectarian, as ShowPage gives it.
std::string YearAspectarianText() {
    Gui& gui = TheGui();
    gui.app.program().CalculateAspectarian();
    return gui.app.dataWindow().pageText();
}

void BM_AspectarianGenerator366Days(benchmark::State& st) {
    Program& p = TheGui().app.program();
    for (auto _ : st) {
        p.input.CalculateAspectarian(p.generators());
        benchmark::DoNotOptimize(p.buffer.DataLineCount());
    }
}

void PutIntoView(benchmark::State& st, const std::string& text) {
    ui::DataWindowWidget& view = TheGui().app.dataWindow();
    for (auto _ : st) {
        view.setText(text);
        // The window lays out and paints what it shows.
        QApplication::processEvents();
        benchmark::DoNotOptimize(view.text()->document()->blockCount());
    }
    st.counters["paragraphs"] = view.text()->document()->blockCount();
    st.counters["bytes"] = static_cast<double>(text.size());
}

void BM_AspectarianTextOf366DaysIntoView(benchmark::State& st) {
    static const std::string text = YearAspectarianText();
    PutIntoView(st, text);
}

void BM_BufferOf30000LinesIntoView(benchmark::State& st) {
    static const std::string text = [] {
        std::string t;
        const std::string row =
            "  10 Mar  23 12 27.9  19\xC0\x35\x31.4 01\xCA\x30\x33.2 06\xC3\x35\x30.5 04\xC2"
            "22.0 25\xC8\x35\x30.3 23\xC7\x31\x33!2 07\xC9\x35\x37.0 26\xC0\x32\x31.6 14\xCB"
            "09.4 20\xC9\x35\x30.0 14\xC4\x32\x35.5";
        for (int i = 0; i < 30000; ++i) t += row + "\r\n";
        return t;
    }();
    PutIntoView(st, text);
}

void BM_ConversionOf30000Lines(benchmark::State& st) {
    std::string t;
    for (int i = 0; i < 30000; ++i) t += std::string(108, '\xC0') + "\r\n";
    for (auto _ : st) benchmark::DoNotOptimize(ui::PageToView(t).size());
}
BENCHMARK(BM_ConversionOf30000Lines)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_AspectarianGenerator366Days)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AspectarianTextOf366DaysIntoView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BufferOf30000LinesIntoView)->Unit(benchmark::kMillisecond);

}  // namespace
