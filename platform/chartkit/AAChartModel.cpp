#include "platform/chartkit/AAChartModel.h"

AAChartModel& AAChartModel::chartType(AAChartType value) {
    chartType_ = value;
    return *this;
}

AAChartModel& AAChartModel::title(const std::string& value) {
    title_ = value;
    return *this;
}

AAChartModel& AAChartModel::colorsTheme(const std::vector<std::string>& values) {
    colorsTheme_ = values;
    return *this;
}

AAChartModel& AAChartModel::series(const std::vector<AASeriesElement>& values) {
    series_ = values;
    return *this;
}

AAChartModel& AAChartModel::markerRadius(double value) {
    markerRadius_ = value;
    return *this;
}

AAChartModel& AAChartModel::style(const AAStyle& value) {
    style_ = value;
    return *this;
}

AAChartModel& AAChartModel::backgroundColor(const std::string& value) {
    backgroundColor_ = value;
    return *this;
}

AAChartModel& AAChartModel::zoomType(AAChartZoomType value) {
    zoomType_ = value;
    return *this;
}

AAChartModel& AAChartModel::legendEnabled(bool value) {
    legendEnabled_ = value;
    return *this;
}

AAChartModel& AAChartModel::dataLabelsEnabled(bool value) {
    dataLabelsEnabled_ = value;
    return *this;
}
