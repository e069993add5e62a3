#include "platform/chartkit/AAOptionsConstructor.h"

AAOptions AAOptionsConstructor::configureChartOptions(const AAChartModel& model) {
    AAChart chart;
    chart.type(model.chartType_.value_or(AAChartType::line));
    if (model.backgroundColor_)
        chart.backgroundColor(*model.backgroundColor_);
    if (model.zoomType_)
        chart.zoomType(*model.zoomType_);
    if (model.style_)
        chart.style(*model.style_);

    AAOptions options;
    options.chart(chart);
    if (model.title_)
        options.title(AATitle().text(*model.title_));
    if (model.colorsTheme_)
        options.colors(*model.colorsTheme_);
    options.series(model.series_);

    AASeries seriesDefaults;
    if (model.markerRadius_)
        seriesDefaults.marker(AAMarker().radius(*model.markerRadius_));
    if (model.dataLabelsEnabled_)
        seriesDefaults.dataLabels(AADataLabels().enabled(*model.dataLabelsEnabled_));
    options.plotOptions(AAPlotOptions().series(seriesDefaults));

    AALegend legend;
    if (model.legendEnabled_)
        legend.enabled(*model.legendEnabled_);
    options.legend(legend);
    options.xAxis(AAXAxis()).yAxis(AAYAxis()).tooltip(AATooltip());
    return options;
}
