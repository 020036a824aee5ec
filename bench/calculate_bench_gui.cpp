// A year's aspectarian in the desktop program, from the press of Calculate
// Aspectarian to the Data window filled and painted, with the real progress
// and Data windows; beside it the command line's run of the same request as
// a whole process. Runs without a display (QT_QPA_PLATFORM=offscreen is set
// when none is given).
//
// The CPU column of the press is the whole process's; the command line's
// process is timed by hand (wall), its CPU time (user + system) is the
// counter child_cpu_ms.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCheckBox>
#include <QPushButton>
#include <chrono>

#include "app/program.h"
#include "tests/ui/gui_fixture.h"
#include "ui/data_window.h"
#include "ui/progress_window.h"

namespace {
using namespace novarel;
using namespace novarel::ui;
using namespace novarel::ui::test;

// The desktop program on a program folder of its own, the start date and
// the number of days typed in as a user types them.
struct Gui {
    Gui() : app(StartProgram(folder)) {
        InputWindow& input = app->inputWindow();
        SetStartDate(input, "1", "1", "2018");
        static_cast<QCheckBox*>(input.control("chkFullMonth"))->setChecked(false);
        input.txtDays()->setText("366");
        Settle();
    }
    // What the user's click does: the run, then the event loop paints.
    void pressCalculateAspectarian() {
        QTest::mouseClick(static_cast<QPushButton*>(app->inputWindow().control("cmdAspectarian")),
                          Qt::LeftButton);
        Settle();
    }

    ProgramFolder folder;
    std::unique_ptr<GuiApp> app;
};

// Made on first use and kept to the end of the process: its windows must not
// outlive the application object in static destruction.
Gui& TheGui() {
    static Gui* gui = new Gui;
    return *gui;
}

const QStringList& CommandLineArguments() {
    static const QStringList arguments = {
        "aspectarian", "--start", "2018-01-01",
        "--days",      "366",     "--encoding",
        "cp1252",      "--dir",   QString::fromStdString(TheGui().folder.path().string())};
    return arguments;
}

double ChildrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_CalculateAspectarian366DaysPress(benchmark::State& st) {
    Gui& gui = TheGui();
    for (auto _ : st) gui.pressCalculateAspectarian();
    const std::string page = gui.app->dataWindow().pageText();
    // The same request as the command line's: the same page.
    if (!gui.app->dataWindow().isVisible() || page != CommandLineOutput(CommandLineArguments()))
        st.SkipWithError("the Data window does not show the command line's page");
    st.counters["fills"] = static_cast<double>(gui.app->progressWindow().filled().size());
    st.counters["bytes"] = static_cast<double>(page.size());
}

// fork and exec, as a shell starts it; its output goes to /dev/null.
void BM_CommandLineAspectarian366Days(benchmark::State& st) {
    std::vector<std::string> arguments = {std::string(NOVAREL_BUILD_DIR) + "/novarel"};
    for (const QString& a : CommandLineArguments()) arguments.push_back(a.toStdString());
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    double cpu = 0;
    for (auto _ : st) {
        const double cpuBefore = ChildrenCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            const int sink = open("/dev/null", O_WRONLY);
            dup2(sink, 1);
            execv(argv[0], argv.data());
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        const auto end = std::chrono::steady_clock::now();
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            st.SkipWithError("the command line failed");
            break;
        }
        st.SetIterationTime(std::chrono::duration<double>(end - start).count());
        cpu += ChildrenCpuSeconds() - cpuBefore;
    }
    st.counters["child_cpu_ms"] = benchmark::Counter(
        cpu * 1e3 / static_cast<double>(std::max<benchmark::IterationCount>(st.iterations(), 1)));
}

BENCHMARK(BM_CalculateAspectarian366DaysPress)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_CommandLineAspectarian366Days)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

}  // namespace
