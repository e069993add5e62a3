// Drawing speed of the chart library: layout, label formatters and cairo drawing at scale 3.
#include "charts/ChartOptionBuilder.h"
#include "platform/chartkit/AAChartModel.h"
#include "platform/chartkit/AAChartRenderer.h"
#include "platform/chartkit/AAOptionsConstructor.h"
#include "platform/graphics/CGContext.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cmath>
#include <numbers>

namespace {

constexpr CGSize chartSize{360, 180};
constexpr double scale = 3;

std::vector<double> ticks(double min, double max) {
    return ChartOptionBuilder::tickValues(min, max, max * 0.25);
}

AAOptions tangentScatter() {
    std::vector<std::vector<double>> points;
    for (int k = 0; k <= 200; ++k) {
        const double x = k * std::numbers::pi / 200;
        points.push_back({x, std::round(std::tan(x) * 1000) / 1000});
    }
    AAChartModel model;
    model.chartType(AAChartType::scatter)
        .title("tan")
        .colorsTheme({"#00E13A"})
        .markerRadius(1)
        .series({AASeriesElement().name("tan(x)").data(points)});
    auto options = AAOptionsConstructor::configureChartOptions(model);
    options.xAxis(AAXAxis()
                      .tickInterval(1.5705)
                      .labels(AALabels().formatter(ChartOptionBuilder::multiplesOfPiFormatter))
                      .title(AATitle().text("x")));
    options.yAxis(AAYAxis()
                      .min(-2)
                      .max(2)
                      .tickPositions(ticks(-2, 2))
                      .minorTickInterval(0.1f)
                      .labels(AALabels().formatter(ChartOptionBuilder::valueFormatter))
                      .title(AATitle().text("tan(x)")));
    return options;
}

AAOptions formattedLineChart() {
    AAChartModel model;
    model.chartType(AAChartType::line)
        .title("f")
        .colorsTheme({"#04d69f"})
        .markerRadius(0)
        .series({AASeriesElement().name("f").data({{-2.5, -1}, {3, 2}}),
                 AASeriesElement()
                     .name("f")
                     .data({{-2.5, -1}, {0, 0.36}, {3, 2}})
                     .marker(AAMarker().radius(5).lineWidth(0))
                     .dataLabels(AADataLabels().enabled(true).format("f = 2.0"))});
    auto options = AAOptionsConstructor::configureChartOptions(model);
    const auto crosshair =
        AACrosshair().color("#000000").dashStyle(AAChartLineDashStyleType::longDashDotDot).width(1.5);
    options.xAxis(AAXAxis()
                      .min(-4)
                      .max(4)
                      .tickPositions(ticks(-4, 4))
                      .minorTickInterval(0.2f)
                      .gridLineWidth(0.25)
                      .labels(AALabels().formatter(ChartOptionBuilder::valueFormatter))
                      .title(AATitle().text("x"))
                      .crosshair(crosshair));
    options.yAxis(AAYAxis()
                      .min(-4)
                      .max(4)
                      .tickPositions(ticks(-4, 4))
                      .minorTickInterval(0.2f)
                      .gridLineWidth(0.25)
                      .labels(AALabels().formatter(ChartOptionBuilder::valueFormatter))
                      .title(AATitle().text("f"))
                      .crosshair(crosshair));
    options.legend(
        AALegend().itemMarginTop(20).itemMarginBottom(10).itemDistance(20).symbolWidth(20).itemStyle(
            AAItemStyle().color("red").fontSize(20).fontWeight(AAChartFontWeightType::bold)));
    options.tooltip(AATooltip().headerFormat("x: {point.key}<br/>").pointFormat("f: {point.y}<br/>"));
    return options;
}

// Lays the chart out (label formatters included) and draws it into a scale-3 bitmap.
void drawChart(benchmark::State& state, const AAOptions& options) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(chartSize.width * scale),
                                   static_cast<int>(chartSize.height * scale));
    for (auto _ : state) {
        cairo_t* cr = cairo_create(surface);
        cairo_scale(cr, scale, scale);
        {
            CGContext context(cr);
            const AAChartRenderer chart(options, chartSize);
            chart.draw(context);
        }
        cairo_destroy(cr);
        cairo_surface_flush(surface);
    }
    cairo_surface_destroy(surface);
}

void BM_TangentScatter201Points(benchmark::State& state) {
    drawChart(state, tangentScatter());
}
void BM_LineChartWithFormattedLabels(benchmark::State& state) {
    drawChart(state, formattedLineChart());
}

} // namespace

BENCHMARK(BM_TangentScatter201Points)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineChartWithFormattedLabels)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
