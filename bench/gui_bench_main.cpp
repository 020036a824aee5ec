// The main of the benchmarks of the desktop program's drawing and windows:
// on the offscreen platform when there is no display, with the glyph font
// registered as the program registers it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontDatabase>
#include <cstdlib>

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QFontDatabase::addApplicationFont(QStringLiteral(NOVAREL_BUILD_DIR "/EPHEMERI.TTF"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
