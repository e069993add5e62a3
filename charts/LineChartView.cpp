#include "charts/LineChartView.h"

#include "charts/ChartCard.h"
#include "charts/ChartOptionBuilder.h"
#include "engine/KivoColor.h"

std::shared_ptr<LineChartView> LineChartView::withFrame(const CGRect& frame) {
    std::shared_ptr<LineChartView> view(new LineChartView(frame));
    view->setupView();
    return view;
}

void LineChartView::setupView() {
    ChartCard::load(*this, "LineChartView");
}

void LineChartView::drawLine(const std::vector<std::vector<double>>& segment,
                             const std::vector<std::vector<double>>& markedPoints,
                             const std::string& seriesName, const std::string& title,
                             const std::string& colorHex, AAChartType chartType, float markerRadius,
                             double xMin, double xMax, double yMin, double yMax) {
    AAChartModel model = ChartOptionBuilder::makeChartModel();
    model.chartType(chartType).title(title).colorsTheme({colorHex});
    const auto line = AASeriesElement().name(seriesName).data(segment);
    const auto marks =
        AASeriesElement().name(seriesName).data(markedPoints).marker(AAMarker().radius(5).lineWidth(0));
    model.series({line, marks}).markerRadius(markerRadius);
    chartView->aa_drawChartWithChartOptions(
        ChartOptionBuilder::makeChartOptions(model, "x", xMin, xMax, seriesName, yMin, yMax, false));
}

void LineChartView::drawLines(const std::vector<LineRecord>& lines, const std::string& title,
                              AAChartType chartType, float markerRadius, double xMin, double xMax,
                              double yMin, double yMax) {
    const std::string labelColor = KivoColor::hexString(UIColor::labelColor()).value_or("#000000");
    std::vector<AASeriesElement> series;
    for (const LineRecord& line : lines) {
        const std::string name = ChartOptionBuilder::legendName(line.seriesName);
        series.push_back(AASeriesElement().name(name).data(line.segment).color(line.colorHex));
        series.push_back(AASeriesElement()
                             .name(name)
                             .data(line.markedPoints)
                             .color(line.colorHex)
                             .dataLabels(AADataLabels()
                                             .enabled(true)
                                             .format(line.dataLabelText)
                                             .style(AAStyle().color(labelColor).textOutline(0))));
    }
    AAChartModel model = ChartOptionBuilder::makeChartModel();
    model.chartType(chartType).title(title).series(series).markerRadius(markerRadius);
    chartView->aa_drawChartWithChartOptions(
        ChartOptionBuilder::makeChartOptions(model, "x", xMin, xMax, "y", yMin, yMax, false));
}

void LineChartView::drawDistributionFunction(const std::vector<std::vector<double>>& dataSet,
                                             const std::vector<std::vector<double>>& extendedDataSet,
                                             const std::string& seriesName, const std::string& title,
                                             const std::string& xAxisName, const std::string& colorHex,
                                             AAChartType chartType, std::optional<double> yMin,
                                             std::optional<double> yMax, float markerRadius) {
    AAChartModel model = ChartOptionBuilder::makeChartModel();
    model.chartType(chartType).title(title).colorsTheme({colorHex});
    const auto points =
        AASeriesElement().name(seriesName).data(dataSet).step("left").marker(AAMarker().radius(5));
    const auto steps = AASeriesElement().name(seriesName).data(extendedDataSet).step("left");
    model.series({points, steps}).markerRadius(markerRadius);
    chartView->aa_drawChartWithChartOptions(ChartOptionBuilder::makeChartOptions(
        model, xAxisName, std::nullopt, std::nullopt, seriesName, yMin, yMax, false));
}
