#include "charts/SplineChartView.h"

#include "charts/ChartCard.h"
#include "charts/ChartOptionBuilder.h"

std::shared_ptr<SplineChartView> SplineChartView::withFrame(const CGRect& frame) {
    std::shared_ptr<SplineChartView> view(new SplineChartView(frame));
    view->setupView();
    return view;
}

void SplineChartView::setupView() {
    ChartCard::load(*this, "SplineChartView");
}

void SplineChartView::drawTrigonometric(const std::vector<std::vector<double>>& points,
                                        const std::string& seriesName, const std::string& title,
                                        const std::string& colorHex, AAChartType chartType,
                                        std::optional<double> yMax, std::optional<double> yMin,
                                        float markerRadius) {
    AAChartModel model = ChartOptionBuilder::makeChartModel();
    model.chartType(chartType).title(title).colorsTheme({colorHex});
    model.series({AASeriesElement().name(seriesName).data(points)}).markerRadius(markerRadius);
    chartView->aa_drawChartWithChartOptions(ChartOptionBuilder::makeChartOptions(
        model, "x", std::nullopt, std::nullopt, seriesName, yMin, yMax, true));
}

void SplineChartView::drawSplines(const std::vector<Series>& series, const std::string& yTitle,
                                  const std::string& title, const std::vector<std::string>& colorHexes,
                                  AAChartType chartType, std::optional<double> yMax,
                                  std::optional<double> yMin, float markerRadius) {
    AAChartModel model = ChartOptionBuilder::makeChartModel();
    model.chartType(chartType).title(title).colorsTheme(colorHexes);
    std::vector<AASeriesElement> elements;
    for (const Series& entry : series)
        elements.push_back(
            AASeriesElement().name(ChartOptionBuilder::legendName(entry.name)).data(entry.data));
    model.series(elements).markerRadius(markerRadius);
    chartView->aa_drawChartWithChartOptions(ChartOptionBuilder::makeChartOptions(
        model, "x", std::nullopt, std::nullopt, yTitle, yMin, yMax, false));
}
