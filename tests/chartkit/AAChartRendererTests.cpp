#include "platform/chartkit/AAChartModel.h"
#include "platform/chartkit/AAChartRenderer.h"
#include "platform/chartkit/AAOptionsConstructor.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphicsImageRenderer.h"
#include "platform/graphics/UIImage.h"
#include "tests/support/Pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr CGSize chartSize{300, 220};
const UIColor::RGBA green{0, 0.8, 0.4, 1};
const UIColor::RGBA white{1, 1, 1, 1};

testing::AssertionResult near(std::optional<UIColor::RGBA> actual, const UIColor::RGBA& expected,
                              double tolerance = 0.1) {
    return pixels::near(actual, expected, tolerance);
}

AAOptions chartOptions(AAChartType type, const std::vector<AASeriesElement>& series,
                       const AAXAxis& x = AAXAxis(), const AAYAxis& y = AAYAxis()) {
    AAChartModel model;
    model.chartType(type).colorsTheme({"#00cc66"}).markerRadius(0).legendEnabled(false).series(series);
    return AAOptionsConstructor::configureChartOptions(model).xAxis(x).yAxis(y);
}

// Unit axes without grid, so that only the series shows inside the plot.
AAXAxis plainX(double min, double max) {
    return AAXAxis().min(min).max(max).tickPositions({min, max}).gridLineWidth(0);
}
AAYAxis plainY(double min, double max) {
    return AAYAxis().min(min).max(max).tickPositions({min, max}).gridLineWidth(0);
}

struct Drawn {
    std::unique_ptr<AAChartRenderer> chart;
    std::shared_ptr<UIImage> image;

    std::optional<UIColor::RGBA> at(double x, double y) const {
        return image->colorAtPoint(chart->frame().location(x, y));
    }
};

Drawn draw(const AAOptions& options, std::optional<CGPoint> pointer = std::nullopt) {
    Drawn drawn{std::make_unique<AAChartRenderer>(options, chartSize), nullptr};
    UIGraphicsImageRendererFormat format;
    format.scale = 3;
    drawn.image =
        UIGraphicsImageRenderer(chartSize, format).image([&](UIGraphicsImageRendererContext& context) {
            drawn.chart->draw(context.cgContext());
            if (pointer)
                drawn.chart->drawPointer(context.cgContext(), *pointer);
        });
    return drawn;
}

} // namespace

TEST(AAChartRenderer, LineChartHasTheSeriesColourAlongItsSegment) {
    const auto drawn =
        draw(chartOptions(AAChartType::line, {AASeriesElement().name("f").data({{-2, -1}, {2, 1.5}})},
                          plainX(-3, 3), plainY(-3, 3)));
    for (double t = 0.05; t < 1; t += 0.15) {
        const double x = -2 + 4 * t;
        const double y = -1 + 2.5 * t;
        EXPECT_TRUE(near(drawn.at(x, y), green)) << "t = " << t;
        EXPECT_TRUE(near(drawn.at(x, y + 0.5), white)) << "above the line at t = " << t;
    }
    // Beyond the segment's ends nothing is drawn.
    EXPECT_TRUE(near(drawn.at(-2.5, -1.3), white));
    EXPECT_TRUE(near(drawn.at(2.5, 1.8), white));
}

TEST(AAChartRenderer, AxisBoundsAndTickPositionsPlaceTheGridLines) {
    const std::vector<double> ticks{-4, -3, -2, -1, 0, 1, 2, 3, 4};
    const auto x = AAXAxis().min(-4).max(4).tickPositions(ticks).gridLineColor("#0000ff").gridLineWidth(2);
    const auto drawn = draw(
        chartOptions(AAChartType::line, {AASeriesElement().data({{-10, 0}, {10, 0.5}})}, x, plainY(0, 1)));
    const CGRect plot = drawn.chart->frame().plot;
    EXPECT_DOUBLE_EQ(drawn.chart->frame().location(-4, 0).x, plot.minX());
    EXPECT_DOUBLE_EQ(drawn.chart->frame().location(4, 0).x, plot.maxX());
    const UIColor::RGBA blue{0, 0, 1, 1};
    for (const double tick : ticks) {
        EXPECT_TRUE(near(drawn.at(tick, 0.75), blue)) << "tick " << tick;
        if (tick < 4) {
            EXPECT_TRUE(near(drawn.at(tick + 0.5, 0.75), white)) << "between " << tick << " and " << tick + 1;
        }
    }
    EXPECT_EQ(drawn.chart->xLabels(),
              (std::vector<std::string>{"-4", "-3", "-2", "-1", "0", "1", "2", "3", "4"}));
}

TEST(AAChartRenderer, AutomaticMinorTicksDrawFaintLinesAtFifthsOfTheInterval) {
    const auto x = AAXAxis()
                       .min(0)
                       .max(4)
                       .tickInterval(1)
                       .minorTickInterval("auto")
                       .gridLineColor("#ff0000")
                       .gridLineWidth(2);
    const auto drawn = draw(chartOptions(AAChartType::line, {}, x, plainY(0, 1)));
    const UIColor::RGBA halfRed{1, 0.5, 0.5, 1};
    for (const double minor : {0.2, 0.4, 0.6, 0.8, 2.2, 3.8}) {
        EXPECT_TRUE(near(drawn.at(minor, 0.5), halfRed)) << minor;
        EXPECT_TRUE(near(drawn.at(minor + 0.1, 0.5), white)) << minor + 0.1;
    }
    EXPECT_TRUE(near(drawn.at(1, 0.5), {1, 0, 0, 1})) << "a major tick is drawn in full";
    const auto dense =
        draw(chartOptions(AAChartType::line, {}, AAXAxis(x).minorTickInterval(0.02), plainY(0, 1)));
    EXPECT_TRUE(near(dense.at(0.5, 0.5), white)) << "minor lines closer than 3 points are left out";
}

TEST(AAChartRenderer, LabelFormattersRunInOneEnginePerChartAndFailingOrSilentOnesShowTheTickValue) {
    const char* counting = "function () { calls = (typeof calls === 'number') ? calls + 1 : 1; return calls "
                           "+ ':' + this.value; }";
    const auto y = AAYAxis().min(0).max(1).tickPositions({0, 0.5, 1}).labels(AALabels().formatter(counting));
    const auto x = AAXAxis().min(0).max(2).tickPositions({0, 1, 2}).labels(AALabels().formatter(counting));
    const AAOptions options = chartOptions(AAChartType::line, {}, x, y);
    // Calls go on counting from the y labels to the x labels of the same chart, and start over
    // for a new chart.
    for (int chart = 0; chart < 2; ++chart) {
        const AAChartRenderer renderer(options, chartSize);
        EXPECT_EQ(renderer.yLabels(), (std::vector<std::string>{"1:0", "2:0.5", "3:1"}));
        EXPECT_EQ(renderer.xLabels(), (std::vector<std::string>{"4:0", "5:1", "6:2"}));
    }

    // Failing or silent formatters show the tick value.
    for (const char* formatter :
         {"function () { throw 'x'; }", "function () { }", "function ( {", "not a function"}) {
        const auto y =
            AAYAxis().min(0).max(1).tickPositions({0, 0.25, 0.5, 1}).labels(AALabels().formatter(formatter));
        const AAChartRenderer renderer(chartOptions(AAChartType::line, {}, AAXAxis(), y), chartSize);
        EXPECT_EQ(renderer.yLabels(), (std::vector<std::string>{"0", "0.25", "0.5", "1"})) << formatter;
    }
    const auto big = AAYAxis().min(0).max(20000).tickPositions({0, 12500.5, 20000});
    AAOptions separated = chartOptions(AAChartType::line, {}, AAXAxis(), big);
    separated.lang(AALang().thousandsSep(","));
    EXPECT_EQ(AAChartRenderer(separated, chartSize).yLabels(),
              (std::vector<std::string>{"0", "12,500.5", "20,000"}));
}

TEST(AAChartRenderer, CrowdedLabelsKeepBothEndsAndEveryNthFromTheFirst) {
    std::vector<double> ticks;
    for (int k = 0; k <= 40; ++k)
        ticks.push_back(k);
    const AAChartRenderer chart(chartOptions(AAChartType::line, {},
                                             AAXAxis().min(0).max(40).tickPositions(ticks),
                                             AAYAxis().min(0).max(40).tickPositions(ticks)),
                                chartSize);
    const CGRect plot = chart.frame().plot;
    const auto& labels = chart.drawnLabels();
    for (const bool xAxis : {true, false}) {
        std::vector<int> shown;
        for (const auto& label : labels)
            if (xAxis ? label.frame.minY() >= plot.maxY() : label.frame.maxX() <= plot.minX())
                shown.push_back(std::stoi(label.text));
        std::sort(shown.begin(), shown.end());
        ASSERT_GE(shown.size(), 3u);
        EXPECT_EQ(shown.front(), 0);
        EXPECT_EQ(shown.back(), 40);
        const int stride = shown[1];
        EXPECT_GT(stride, 1) << "thinned";
        for (std::size_t i = 1; i + 1 < shown.size(); ++i)
            EXPECT_EQ(shown[i], static_cast<int>(i) * stride) << (xAxis ? "x" : "y");
        EXPECT_LE(40 - shown[shown.size() - 2], 2 * stride) << "only the label before the last gives way";
    }
    for (std::size_t i = 0; i < labels.size(); ++i)
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            EXPECT_FALSE(labels[i].frame.intersects(labels[j].frame))
                << labels[i].text << " and " << labels[j].text;
}

TEST(AAChartRenderer, LeftStepsHoldEachValueUntilTheNextX) {
    const auto drawn = draw(chartOptions(
        AAChartType::line, {AASeriesElement().data({{0, 0}, {1, 0.2}, {2, 0.7}, {3, 1}}).step("left")},
        plainX(0, 3), plainY(-0.5, 1.5)));
    EXPECT_TRUE(near(drawn.at(0.5, 0), green));
    EXPECT_TRUE(near(drawn.at(1.5, 0.2), green));
    EXPECT_TRUE(near(drawn.at(2, 0.45), green)) << "the rise at x = 2";
    EXPECT_TRUE(near(drawn.at(1.5, 0.45), white)) << "no straight line between the points";
}

TEST(AAChartRenderer, CentredStepAreaFillsBarsAroundEachX) {
    const auto drawn = draw(chartOptions(AAChartType::area,
                                         {AASeriesElement()
                                              .data({{0, 0}, {1, 0.2}, {2, 0.5}, {3, 0.3}, {4, 0}})
                                              .step("center")
                                              .color("#0000ff")},
                                         plainX(0, 4), plainY(0, 1)));
    // The area is blue at three quarters over white.
    const UIColor::RGBA fill{0.25, 0.25, 1, 1};
    EXPECT_TRUE(near(drawn.at(1.2, 0.1), fill));
    EXPECT_TRUE(near(drawn.at(2.4, 0.4), fill));
    EXPECT_TRUE(near(drawn.at(2.4, 0.6), white)) << "above the bar";
    EXPECT_TRUE(near(drawn.at(0.3, 0.1), white)) << "before the first step at 0.5";
    EXPECT_TRUE(near(drawn.at(3.7, 0.1), white)) << "after the last step at 3.5";
}

TEST(AAChartRenderer, SplineBendsThroughItsPoints) {
    const auto drawn =
        draw(chartOptions(AAChartType::spline, {AASeriesElement().data({{0, 0}, {1, 1}, {2, 0}})},
                          plainX(0, 2), plainY(0, 1.5)));
    EXPECT_TRUE(near(drawn.at(1, 1), green));
    // Halfway along the first piece the curve lies at (0.4375, 0.5625), above the chord.
    EXPECT_TRUE(near(drawn.at(0.4375, 0.5625), green));
    EXPECT_TRUE(near(drawn.at(0.4375, 0.4375), white)) << "a straight line would pass here";
}

TEST(AAChartRenderer, ScatterDrawsMarkersOnlyAndSeriesMarkersOverrideTheModel) {
    const auto scatter = draw(chartOptions(
        AAChartType::scatter, {AASeriesElement().data({{0.5, 0.5}, {1.5, 1.5}}).marker(AAMarker().radius(4))},
        plainX(0, 2), plainY(0, 2)));
    EXPECT_TRUE(near(scatter.at(0.5, 0.5), green));
    EXPECT_TRUE(near(scatter.at(1.5, 1.5), green));
    EXPECT_TRUE(near(scatter.at(1, 1), white)) << "points are not joined";

    // The model's radius 0 hides the markers of a line that sets none itself.
    const auto line = draw(chartOptions(AAChartType::line, {AASeriesElement().data({{0.5, 0.5}, {1.5, 0.5}})},
                                        plainX(0, 2), plainY(0, 2)));
    const CGPoint first = line.chart->frame().location(0.5, 0.5);
    EXPECT_TRUE(near(line.image->colorAtPoint({first.x, first.y - 3}), white));
}

TEST(AAChartRenderer, DataLabelsAreWrittenAboveTheirPoints) {
    const auto labelled = AASeriesElement().data({{1, 1}}).dataLabels(
        AADataLabels().enabled(true).format("a = 5.0").style(AAStyle().color("#000000").textOutline(0)));
    const auto withLabel = draw(chartOptions(AAChartType::line, {labelled}, plainX(0, 2), plainY(0, 2)));
    const auto without =
        draw(chartOptions(AAChartType::line, {AASeriesElement().data({{1, 1}})}, plainX(0, 2), plainY(0, 2)));
    const CGPoint point = withLabel.chart->frame().location(1, 1);
    const auto darkPixels = [&](const Drawn& drawn, double top, double bottom) {
        int count = 0;
        for (double dx = -20; dx <= 20; dx += 0.5)
            for (double dy = top; dy <= bottom; dy += 0.5)
                if (near(drawn.image->colorAtPoint({point.x + dx, point.y + dy}), {0, 0, 0, 1}, 0.3))
                    ++count;
        return count;
    };
    EXPECT_GT(darkPixels(withLabel, -18, -3), 40);
    EXPECT_EQ(darkPixels(withLabel, 3, 18), 0) << "nothing below the point";
    EXPECT_EQ(darkPixels(without, -18, -3), 0);
}

TEST(AAChartRenderer, BackgroundTitleAndLegendFollowTheOptions) {
    AAChartModel model;
    model.chartType(AAChartType::line)
        .title("Title")
        .backgroundColor("#ffff00")
        .style(AAStyle().color("#0000ff"))
        .series({AASeriesElement().name("series").data({{0, 0}, {1, 1}})});
    AAOptions options = AAOptionsConstructor::configureChartOptions(model);
    options.legend(AALegend().itemStyle(AAItemStyle().color("red").fontSize(20)));
    const auto drawn = draw(options);
    const auto count = [&](double top, double bottom, const UIColor::RGBA& color) {
        int n = 0;
        for (double x = 0; x < chartSize.width; x += 0.5)
            for (double y = top; y < bottom; y += 0.5)
                n += near(drawn.image->colorAtPoint({x, y}), color, 0.25) ? 1 : 0;
        return n;
    };
    const CGRect plot = drawn.chart->frame().plot;
    EXPECT_GT(count(0, plot.minY(), {0, 0, 1, 1}), 20) << "the title in the chart's text colour";
    EXPECT_GT(count(plot.maxY() + 30, chartSize.height, {1, 0, 0, 1}), 20) << "the legend in its item colour";

    options.legend(AALegend().enabled(false).itemStyle(AAItemStyle().color("red")));
    const auto hidden = draw(options);
    EXPECT_GT(hidden.chart->frame().plot.height(), plot.height()) << "the plot takes the legend's room";
}

TEST(AAChartRenderer, PointerShowsCrosshairsAndTheFormattedTooltip) {
    const auto crosshair = AACrosshair().color("#ff0000").width(2);
    AAOptions options =
        chartOptions(AAChartType::line, {AASeriesElement().name("f").data({{-2, -1}, {0, 0.25}, {2, 1.5}})},
                     plainX(-3, 3).crosshair(crosshair), plainY(-3, 3).crosshair(crosshair));
    options.tooltip(AATooltip().headerFormat("x: {point.key}<br/>").pointFormat("<b>f</b>: {point.y}<br/>"));
    const AAChartRenderer chart(options, chartSize);
    const CGPoint nearMiddle = chart.frame().location(0.3, -2);
    EXPECT_EQ(chart.tooltipLines(nearMiddle), (std::vector<std::string>{"x: 0", "f: 0.25"}));
    EXPECT_TRUE(chart.tooltipLines({1, 1}).empty()) << "outside the plot";

    const auto drawn = draw(options, nearMiddle);
    const UIColor::RGBA red{1, 0, 0, 1};
    EXPECT_TRUE(near(drawn.at(0, -2.5), red)) << "vertical crosshair through x = 0";
    EXPECT_TRUE(near(drawn.at(-2.5, 0.25), red)) << "horizontal crosshair through y = 0.25";
    EXPECT_FALSE(near(draw(options).at(0, -2.5), red)) << "no pointer, no crosshair";
}

// A long dash, then two dots, each after a gap: in units of the line width from the top of the plot.
TEST(AAChartRenderer, DashedCrosshairRepeatsItsPatternInLineWidths) {
    const auto crosshair =
        AACrosshair().color("#ff0000").dashStyle(AAChartLineDashStyleType::longDashDotDot).width(2);
    const AAOptions options = chartOptions(AAChartType::line, {AASeriesElement().data({{0, -2.5}})},
                                           plainX(-3, 3).crosshair(crosshair), plainY(-3, 3));
    const Drawn drawn = draw(options, AAChartRenderer(options, chartSize).frame().location(0.3, -2.5));
    const CGFloat x = drawn.chart->frame().location(0, 0).x;
    const CGFloat top = drawn.chart->frame().plot.minY();
    const UIColor::RGBA red{1, 0, 0, 1};
    for (const double unit : {1.0, 4.0, 7.0, 11.5, 15.5, 20.0})
        EXPECT_TRUE(near(drawn.image->colorAtPoint({x, top + 2 * unit}), red)) << unit << " widths down";
    for (const double unit : {9.5, 13.5, 17.5})
        EXPECT_TRUE(near(drawn.image->colorAtPoint({x, top + 2 * unit}), white)) << unit << " widths down";
}

TEST(AAChartRenderer, BrokenAndFarOutDataDoesNotDerailTheLine) {
    nlohmann::json series = AASeriesElement().data({{0, 0}, {1, 1}}).toJSON();
    series["data"].push_back({2});
    series["data"].push_back({3, 3});
    series["data"].push_back({4, 1e300});
    AAOptions options = chartOptions(AAChartType::line, {}, plainX(0, 4), plainY(0, 4));
    options.series({AASeriesElement(series)});
    const auto drawn = draw(options);
    EXPECT_TRUE(near(drawn.at(0.5, 0.5), green));
    EXPECT_TRUE(near(drawn.at(2, 2), white)) << "the entry without a y breaks the line";
    // From (3, 3) the line rises almost vertically towards the far point.
    EXPECT_TRUE(near(drawn.at(3, 3.5), green));
}

TEST(AAChartRenderer, MistypedSettingsFallBackToDefaults) {
    const auto tree = nlohmann::json::parse(R"J({
        "chart": {"type": 3, "backgroundColor": "not a colour"}, "colors": [1, null],
        "series": [{"name": 7, "data": [[0, 0], [1, "1"], "x", [2, 2]], "marker": {"radius": "5"}, "step": true},
                   "not a series"],
        "xAxis": {"reversed": "yes", "min": "a", "max": null, "tickPositions": "0,1", "minorTickInterval": "often",
                  "labels": {"formatter": 12}},
        "yAxis": [], "legend": {"enabled": "no", "itemStyle": {"fontSize": "big"}}, "tooltip": 5
    })J");
    std::unique_ptr<AAChartRenderer> chart;
    ASSERT_NO_THROW(chart = std::make_unique<AAChartRenderer>(AAOptions(tree), chartSize));
    EXPECT_EQ(chart->frame().x.min(), 0);
    EXPECT_EQ(chart->frame().x.max(), 2);
    EXPECT_DOUBLE_EQ(chart->frame().x.fraction(0), 0) << "not reversed";
    EXPECT_EQ(chart->tooltipLines(chart->frame().location(2, 2)), (std::vector<std::string>{"2", ": 2"}));
}
