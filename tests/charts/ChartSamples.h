#pragma once

#include "charts/BernoulliDistributionTreeChartData.h"
#include "charts/CommonSplineChartData.h"
#include "charts/DistributionFunctionChartData.h"
#include "charts/HistogramChartData.h"
#include "charts/LineChartData.h"
#include "charts/TrigonometricChartData.h"
#include "charts/UnitCircleChartData.h"

#include <memory>
#include <numbers>

// Hand-made chart descriptions, as a calculator would fill them (frame ratio 2 unless given).
namespace samples {

inline std::shared_ptr<LineChartData> line(const std::string& name, std::vector<double> from,
                                           std::vector<double> to, double axisLimit,
                                           std::optional<double> length = std::nullopt,
                                           std::optional<std::string> color = std::nullopt) {
    auto data = std::make_shared<LineChartData>();
    data->frameRatio = 2;
    data->chartTitle = "Segment";
    data->dataName = name;
    data->chartColorHexCode = std::move(color);
    data->markedPoints = {from, to};
    data->startPoint = std::move(from);
    data->endPoint = std::move(to);
    data->length = length;
    data->axisLimit = axisLimit;
    return data;
}

inline std::shared_ptr<TrigonometricChartData> trigonometric(TrigonometricType type, double length,
                                                             double offset = 0, double amplitude = 1,
                                                             double period = 2 * std::numbers::pi) {
    auto data = std::make_shared<TrigonometricChartData>();
    data->frameRatio = 2;
    data->lengthOfGraph = length;
    data->offset = offset;
    data->periodLength = period;
    data->amplitude = amplitude;
    data->type = type;
    return data;
}

inline std::shared_ptr<CommonSplineChartData> spline(const std::string& name,
                                                     std::vector<std::vector<double>> points,
                                                     std::optional<std::string> color = std::nullopt,
                                                     double frameRatio = 2) {
    auto data = std::make_shared<CommonSplineChartData>();
    data->frameRatio = frameRatio;
    data->chartTitle = "Curves";
    data->dataName = name;
    data->chartColorHexCode = std::move(color);
    data->dataSet = std::move(points);
    return data;
}

inline std::shared_ptr<HistogramChartData> histogram(std::vector<HistogramDataSet> sets) {
    auto data = std::make_shared<HistogramChartData>();
    data->frameRatio = 2;
    data->chartTitle = "Distribution of X";
    data->dataName = "P(X = x)";
    data->xAxisName = "x";
    data->dataSetWithColorTheme = std::move(sets);
    return data;
}

inline std::shared_ptr<DistributionFunctionChartData> distribution(std::vector<std::vector<double>> pairs,
                                                                   bool isPresentationView = false,
                                                                   bool isConverse = false) {
    auto data = std::make_shared<DistributionFunctionChartData>();
    data->frameRatio = 2;
    data->chartTitle = "Distribution function";
    data->dataName = "F(x)";
    data->xAxisName = "x";
    data->dataSet = std::move(pairs);
    data->isPresentationView = isPresentationView;
    data->isConverse = isConverse;
    return data;
}

inline std::shared_ptr<BernoulliDistributionTreeChartData> chain(double p, int trials, int hits) {
    auto data = std::make_shared<BernoulliDistributionTreeChartData>();
    data->frameRatio = 1.2;
    data->chartTitle = "Bernoulli chain";
    data->probabilityOfSuccess = p;
    data->trials = trials;
    data->hits = hits;
    return data;
}

// An angle in degrees with b the same angle in radians.
inline std::shared_ptr<UnitCircleChartData> angle(double degrees, int fullCircles, Quadrant quadrant) {
    return std::make_shared<UnitCircleChartData>(degrees, degrees * std::numbers::pi / 180, degrees,
                                                 fullCircles, quadrant);
}

} // namespace samples
