// Building and drawing the app's charts at the phone's scale: description to options, layout with the
// label formatters, and the view tree rendered into a scale-3 bitmap.
#include "charts/LineChartManager.h"
#include "charts/SplineChartManager.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UIGraphicsImageRenderer.h"
#include "platform/graphics/UIImage.h"

#include <benchmark/benchmark.h>

#include <numbers>

namespace {

const CGRect frame{20, 10, 360, 180};

void render(UIView& view) {
    UIGraphicsImageRendererFormat format;
    format.scale = 3;
    auto image =
        UIGraphicsImageRenderer(view.bounds().size, format).image([&](UIGraphicsImageRendererContext&) {
            view.drawViewHierarchyInRect(view.bounds(), true);
        });
    benchmark::DoNotOptimize(image);
}

void BM_TangentScatterChart201Points(benchmark::State& state) {
    TrigonometricChartData data;
    data.frameRatio = 2;
    data.lengthOfGraph = std::numbers::pi;
    data.periodLength = 2 * std::numbers::pi;
    data.amplitude = 1;
    data.type = TrigonometricType::tan;
    for (auto _ : state) {
        const auto view = SplineChartManager::makeTrigonometricChart(data, frame);
        RunLoop::main()->runUntilIdle();
        render(*view);
    }
}

void BM_LineChartWithFormattedLabelsOnBothAxes(benchmark::State& state) {
    LineChartData data;
    data.frameRatio = 2;
    data.chartTitle = "Segment";
    data.dataName = "f";
    data.startPoint = {-2.5, -1};
    data.endPoint = {3, 2};
    data.markedPoints = {{-2.5, -1}, {3, 2}};
    data.axisLimit = 4;
    for (auto _ : state) {
        const auto view = LineChartManager::makeLineChart(data, frame);
        RunLoop::main()->runUntilIdle();
        render(*view);
    }
}

} // namespace

BENCHMARK(BM_TangentScatterChart201Points)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineChartWithFormattedLabelsOnBothAxes)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
