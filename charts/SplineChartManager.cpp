#include "charts/SplineChartManager.h"

#include "charts/ChartOptionBuilder.h"
#include "engine/RoundToDecimalPlaces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct TrigonometricStyle {
    const char* title;
    const char* colorHex;
};

TrigonometricStyle styleOf(TrigonometricType type) {
    switch (type) {
    case TrigonometricType::sin:
        return {"sin", "#FF0000"};
    case TrigonometricType::cos:
        return {"cos", "#000CFF"};
    case TrigonometricType::tan:
        break;
    }
    return {"tan", "#00E13A"};
}

double evaluate(TrigonometricType type, double x) {
    switch (type) {
    case TrigonometricType::sin:
        return std::sin(x);
    case TrigonometricType::cos:
        return std::cos(x);
    case TrigonometricType::tan:
        break;
    }
    return std::tan(x);
}

// The first even count from 6 whose spacing is at most the largest allowed, found without
// stepping through every count below it.
long intervalCount(double length, double largestSpacing) {
    long n = std::max(6L, 2 * static_cast<long>(std::ceil(length / largestSpacing / 2)));
    while (n > 6 && length / static_cast<double>(n - 2) <= largestSpacing)
        n -= 2;
    while (length / static_cast<double>(n) > largestSpacing)
        n += 2;
    return n;
}

} // namespace

std::vector<std::vector<double>> SplineChartManager::samplePoints(const TrigonometricChartData& data) {
    if (!data.lengthOfGraph || !data.type || data.periodLength == 0)
        return {};
    const double pi = std::numbers::pi;
    const double g = *data.lengthOfGraph + std::fabs(data.offset);
    const double d = *data.type == TrigonometricType::tan ? g / pi * 200 : 32;
    const double s0 = pi / d;
    // A million points would take longer to draw than anyone waits; such a graph is not drawn.
    constexpr long maximumCount = 1'000'000;
    long n = 4;
    if (!std::isfinite(g))
        return {};
    if (!(s0 >= std::fabs(g) * 0.25)) {
        if (!(s0 > 0) || std::fabs(g) / s0 > maximumCount)
            return {};
        n = intervalCount(std::fabs(g), s0);
    }
    const double step = roundToDecimalPlaces(3, g / static_cast<double>(n)).rounded;
    const double omega = 2 * pi / data.periodLength;
    std::vector<std::vector<double>> points;
    points.reserve(static_cast<std::size_t>(n) + 1);
    for (long k = 0; k <= n; ++k) {
        const double x = data.offset + static_cast<double>(k) * step;
        points.push_back(
            {x, roundToDecimalPlaces(3, data.amplitude * evaluate(*data.type, omega * x)).rounded});
    }
    return points;
}

std::shared_ptr<SplineChartView>
SplineChartManager::makeTrigonometricChart(const TrigonometricChartData& data, const CGRect& frame) {
    if (!data.type)
        return nullptr;
    const TrigonometricStyle style = styleOf(*data.type);
    const std::string seriesName = functionLabel(*data.type);
    const auto points = samplePoints(data);
    auto view = SplineChartView::withFrame(frame);
    if (*data.type == TrigonometricType::tan) {
        view->drawTrigonometric(points, seriesName, style.title, style.colorHex, AAChartType::scatter,
                                2 * data.amplitude, -2 * data.amplitude, 1);
    } else {
        view->drawTrigonometric(points, seriesName, style.title, style.colorHex, AAChartType::spline,
                                std::nullopt, std::nullopt, 0);
    }
    return view;
}

std::shared_ptr<SplineChartView>
SplineChartManager::makeSplineChart(const std::vector<std::shared_ptr<CommonSplineChartData>>& data,
                                    const CGRect& frame) {
    if (data.empty())
        return nullptr;
    std::vector<std::string> colors;
    std::vector<SplineChartView::Series> series;
    for (const auto& entry : data) {
        colors.push_back(ChartOptionBuilder::seriesColor(entry->chartColorHexCode));
        series.push_back({entry->dataName, entry->dataSet});
    }
    auto view = SplineChartView::withFrame(frame);
    view->drawSplines(series, "y", data.front()->chartTitle, colors, AAChartType::spline, std::nullopt,
                      std::nullopt, 0);
    return view;
}
