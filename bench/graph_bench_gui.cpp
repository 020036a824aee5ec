// Drawing the graphic ephemeris: ten years of the ten planets on the 45°
// dial, positions computed once beforehand, drawn into an image of a large
// window's size (as the window paints it) and of the command line's default
// size. Runs without a display (QT_QPA_PLATFORM=offscreen when none is given).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "core/swe_library.h"
#include "graph/graph_data.h"
#include "render/graph_drawing.h"

namespace {
using namespace novarel;

// Ten years of the ten planets on the 45-degree dial.
graph::GraphRequest TenYearsRequest() {
    graph::GraphRequest request;
    request.dial = graph::Dial::Eighth;
    request.first = {2020, 1, 1};
    request.last = {2029, 12, 31};
    request.bodies = graph::DefaultGraphBodies();
    return request;
}

const graph::GraphData& TenYears() {
    static const graph::GraphData data = [] {
        SweLibrary library;
        library.set_ephe_path(EphemerisPathFor(NOVAREL_BUILD_DIR));
        return graph::ComputeGraph(TenYearsRequest(), {}, library);
    }();
    return data;
}

void DrawInto(benchmark::State& st, int width, int height) {
    const graph::GraphData& data = TenYears();
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : st) {
        QPainter painter(&image);
        render::DrawGraph(painter, data, graph::LayoutGraph(data, width, height));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    std::size_t points = 0;
    for (const auto& s : data.series) points += s.samples.size();
    st.counters["samples"] = static_cast<double>(points);
}

void BM_TenYears45DegreesTenPlanets1280x800(benchmark::State& st) { DrawInto(st, 1280, 800); }
void BM_TenYears45DegreesTenPlanets1600x1000(benchmark::State& st) { DrawInto(st, 1600, 1000); }

void BM_ComputeTenYears45DegreesTenPlanets(benchmark::State& st) {
    SweLibrary library;
    library.set_ephe_path(EphemerisPathFor(NOVAREL_BUILD_DIR));
    const graph::GraphRequest request = TenYearsRequest();
    for (auto _ : st)
        benchmark::DoNotOptimize(graph::ComputeGraph(request, {}, library).markers.size());
}

BENCHMARK(BM_TenYears45DegreesTenPlanets1280x800)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenYears45DegreesTenPlanets1600x1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComputeTenYears45DegreesTenPlanets)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
