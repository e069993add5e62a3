#include "charts/LineChartManager.h"

#include "charts/ChartOptionBuilder.h"
#include "platform/foundation/CLocaleNumbers.h"

#include <cmath>

std::shared_ptr<LineChartView> LineChartManager::makeLineChart(const LineChartData& data,
                                                               const CGRect& frame) {
    const double limit = std::fabs(data.axisLimit);
    auto view = LineChartView::withFrame(frame);
    view->drawLine({data.startPoint, data.endPoint}, data.markedPoints, data.dataName, data.chartTitle,
                   ChartOptionBuilder::seriesColor(data.chartColorHexCode), AAChartType::line, 0, -limit,
                   limit, -limit, limit);
    return view;
}

std::shared_ptr<LineChartView>
LineChartManager::makeDistributionFunctionChart(const DistributionFunctionChartData& data,
                                                const CGRect& frame) {
    auto view = LineChartView::withFrame(frame);
    view->drawDistributionFunction(data.dataSet, extendedDistributionData(data), data.dataName,
                                   data.chartTitle, data.xAxisName,
                                   ChartOptionBuilder::seriesColor(data.chartColorHexCode), AAChartType::line,
                                   std::nullopt, std::nullopt, 0);
    return view;
}

std::shared_ptr<LineChartView>
LineChartManager::makeCombinedLineChart(const std::vector<std::shared_ptr<LineChartData>>& data,
                                        const CGRect& frame) {
    if (data.empty())
        return nullptr;
    std::vector<LineChartView::LineRecord> records;
    for (const auto& line : data) {
        // A line without a length is labelled with its name alone.
        const std::string label = line->length
                                      ? line->dataName + " = " + CLocaleNumbers::description(*line->length)
                                      : line->dataName;
        records.push_back({line->dataName,
                           {line->startPoint, line->endPoint},
                           line->markedPoints,
                           ChartOptionBuilder::seriesColor(line->chartColorHexCode),
                           label});
    }
    const double limit = std::ceil(std::fabs(data.front()->axisLimit * 1.1));
    auto view = LineChartView::withFrame(frame);
    view->drawLines(records, data.front()->chartTitle, AAChartType::line, 0, 0, limit, 0, limit);
    return view;
}

std::vector<std::vector<double>>
LineChartManager::extendedDistributionData(const DistributionFunctionChartData& data) {
    const auto& pairs = data.dataSet;
    if (pairs.empty() || pairs.front().empty() || pairs.back().empty())
        return pairs;
    std::vector<std::vector<double>> extended;
    extended.reserve(pairs.size() + 2);
    extended.push_back({pairs.front().front() - 1.0, data.isConverse ? 1.0 : 0.0});
    extended.insert(extended.end(), pairs.begin(), pairs.end());
    extended.push_back({pairs.back().front() + 1.0, data.isConverse ? 0.0 : 1.0});
    return extended;
}
