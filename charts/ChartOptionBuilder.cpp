#include "charts/ChartOptionBuilder.h"

#include "engine/KivoColor.h"
#include "engine/TextUtilities.h"
#include "platform/chartkit/AAOptionsConstructor.h"
#include "platform/chartkit/AAPureJSString.h"

#include <charconv>
#include <cmath>

// Duktape speaks ES5, so the formatters keep to var and plain functions.
const std::string ChartOptionBuilder::valueFormatter = R"(function () {
    var factor = 100;
    var rounded = Math.round(this.value * factor) / factor;
    return String(rounded);
})";

const std::string ChartOptionBuilder::multiplesOfPiFormatter = R"(function () {
    var halfMultiple = Math.round(2 * this.value / Math.PI);
    if (halfMultiple === 0) {
        return "0";
    }
    if (halfMultiple === 1) {
        return "π/2";
    }
    if (halfMultiple === -1) {
        return "-π/2";
    }
    if (halfMultiple === 2) {
        return "π";
    }
    if (halfMultiple === -2) {
        return "-π";
    }
    if (halfMultiple % 2 === 0) {
        return (halfMultiple / 2) + "π";
    }
    return halfMultiple + "π/2";
})";

namespace {

std::string hex(const UIColor& color) {
    return KivoColor::hexString(color).value_or("#000000");
}

// The value as a single-precision number writes itself (0.2, not 0.20000000298023224).
double singlePrecision(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, static_cast<float>(value)).ptr;
    double result = value;
    std::from_chars(text, end, result);
    return result;
}

template <class Axis>
Axis makeAxis(const std::string& title, std::optional<double> min, std::optional<double> max,
              bool isTrigonometric) {
    const std::string grey = hex(UIColor::systemGrayColor());
    Axis axis;
    axis.reversed(false);
    axis.lineColor(grey).lineWidth(0.5).gridLineColor(grey).gridLineWidth(0.25);
    axis.title(AATitle().text(title));
    AALabels labels;
    if (isTrigonometric) {
        labels.formatter(ChartOptionBuilder::multiplesOfPiFormatter);
        axis.tickInterval(1.5705);
    } else if (!min || !max) {
        axis.minorTickInterval("auto");
        labels.formatter(ChartOptionBuilder::valueFormatter);
    } else {
        const double step = *max * 0.25;
        axis.min(*min).max(*max);
        const std::vector<double> ticks = ChartOptionBuilder::tickValues(*min, *max, step);
        // A maximum of 0 or below gives no usable step: the chart then places its own ticks.
        if (ticks.empty()) {
            axis.minorTickInterval("auto");
        } else {
            axis.tickPositions(ticks).minorTickInterval(singlePrecision(step / 5));
        }
        labels.formatter(ChartOptionBuilder::valueFormatter);
    }
    axis.labels(labels.style(AAStyle().color(grey)));
    return axis;
}

} // namespace

AAChartModel ChartOptionBuilder::makeChartModel() {
    AAChartModel model;
    model.zoomType(AAChartZoomType::none);
    model.style(AAStyle().color(hex(UIColor::systemGrayColor())));
    model.legendEnabled(true).dataLabelsEnabled(false);
    model.backgroundColor(hex(UIColor::systemBackgroundColor()));
    return model;
}

AAXAxis ChartOptionBuilder::makeXAxis(const std::string& title, std::optional<double> min,
                                      std::optional<double> max, bool isTrigonometric) {
    return makeAxis<AAXAxis>(title, min, max, isTrigonometric);
}

AAYAxis ChartOptionBuilder::makeYAxis(const std::string& title, std::optional<double> min,
                                      std::optional<double> max) {
    return makeAxis<AAYAxis>(title, min, max, false);
}

AACrosshair ChartOptionBuilder::makeCrosshair() {
    return AACrosshair()
        .color(hex(UIColor::labelColor()))
        .dashStyle(AAChartLineDashStyleType::longDashDotDot)
        .width(1.5);
}

AATooltip ChartOptionBuilder::makeTooltip(const std::string& xName, const std::string& yName) {
    AATooltip tooltip;
    if (UITraitCollection::currentTraitCollection().isDark()) {
        const std::string label = hex(UIColor::labelColor());
        tooltip.backgroundColor(hex(UIColor::systemBackgroundColor()))
            .borderColor(label)
            .borderWidth(0.5)
            .style(AAStyle().color(label))
            .shadow(false);
    }
    tooltip.headerFormat(xName + ": {point.key}<br/>").pointFormat(yName + ": {point.y}<br/>");
    tooltip.followPointer(false);
    return tooltip;
}

AAOptions ChartOptionBuilder::makeChartOptions(const AAChartModel& model, const std::string& xTitle,
                                               std::optional<double> xMin, std::optional<double> xMax,
                                               const std::string& yTitle, std::optional<double> yMin,
                                               std::optional<double> yMax, bool isTrigonometric) {
    AAOptions options = AAOptionsConstructor::configureChartOptions(model);
    const AACrosshair crosshair = makeCrosshair();
    options.xAxis(makeXAxis(xTitle, xMin, xMax, isTrigonometric).crosshair(crosshair));
    options.yAxis(makeYAxis(yTitle, yMin, yMax).crosshair(crosshair));

    AALegend legend = options.legend().value_or(AALegend());
    legend.itemMarginTop(20)
        .itemMarginBottom(10)
        .itemDistance(20)
        .symbolWidth(20)
        .verticalAlign(AAChartVerticalAlignType::bottom)
        .align(AAChartAlignType::center)
        .layout(AAChartLayoutType::horizontal)
        .itemStyle(AAItemStyle().color("red").fontSize(20).fontWeight(AAChartFontWeightType::bold));
    options.legend(legend);

    if (auto plotOptions = options.plotOptions()) {
        if (auto series = plotOptions->series()) {
            // Tapping a series must not hide it.
            series->events(AASeriesEvents().click(aa_toPureJSString(R"(function() {
                return false;
            })")));
            plotOptions->series(*series);
            options.plotOptions(*plotOptions);
        }
    }

    options.lang(AALang().resetZoom("重置缩放比例").thousandsSep(","));
    options.tooltip(makeTooltip(xTitle, yTitle));
    return options;
}

std::vector<double> ChartOptionBuilder::tickValues(double from, double through, double by) {
    std::vector<double> values;
    // More ticks than an axis can show would only stall the caller (and no step would ever pass through).
    constexpr double maximumCount = 10000;
    if (!(by > 0) || !std::isfinite(from) || !std::isfinite(through) || !std::isfinite(by) ||
        (through - from) / by > maximumCount)
        return values;
    for (long k = 0;; ++k) {
        const double value = from + static_cast<double>(k) * by;
        if (value > through)
            break;
        values.push_back(value);
    }
    return values;
}

std::string ChartOptionBuilder::seriesColor(const std::optional<std::string>& chartColorHexCode) {
    return chartColorHexCode.value_or(hex(KivoColor::paletteGreenAccent()));
}

std::string ChartOptionBuilder::legendName(const std::string& name) {
    return replacingAll(name, "function", "func");
}
