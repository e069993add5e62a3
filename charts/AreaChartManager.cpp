#include "charts/AreaChartManager.h"

#include "charts/ChartOptionBuilder.h"

#include <algorithm>

std::shared_ptr<AreaChartView> AreaChartManager::makeHistogramChart(const HistogramChartData& data,
                                                                    const CGRect& frame) {
    std::vector<AASeriesElement> series;
    for (const HistogramDataSet& dataSet : data.dataSetWithColorTheme)
        appendHistogramSeries(dataSet.hexColor, dataSet.dataValues, data, series);
    auto view = std::make_shared<AreaChartView>(frame);
    AAChartModel model = ChartOptionBuilder::makeChartModel();
    model.chartType(AAChartType::area).title(data.chartTitle).series(series).markerRadius(0);
    view->chartView->aa_drawChartWithChartOptions(ChartOptionBuilder::makeChartOptions(
        model, data.xAxisName, std::nullopt, std::nullopt, data.dataName, std::nullopt, std::nullopt, false));
    return view;
}

void AreaChartManager::appendHistogramSeries(const std::optional<std::string>& hexColor,
                                             const std::vector<std::vector<double>>& dataValues,
                                             const HistogramChartData& data,
                                             std::vector<AASeriesElement>& series) {
    if (dataValues.empty())
        return;
    std::vector<double> xs;
    for (const auto& pair : dataValues)
        xs.push_back(pair.empty() ? 0 : pair.front());
    const auto [minX, maxX] = std::minmax_element(xs.begin(), xs.end());
    std::vector<std::vector<double>> points{{*minX - 1, 0}};
    points.insert(points.end(), dataValues.begin(), dataValues.end());
    points.push_back({*maxX + 1, 0});
    series.push_back(AASeriesElement()
                         .name(data.dataName)
                         .data(points)
                         .step("center")
                         .color(ChartOptionBuilder::seriesColor(hexColor)));
}
