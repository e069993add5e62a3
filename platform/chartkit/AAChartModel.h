#pragma once

#include "platform/chartkit/AAChartEnums.h"
#include "platform/chartkit/AASeriesElement.h"
#include "platform/chartkit/AAStyle.h"

#include <optional>
#include <string>
#include <vector>

// The short description of a chart that AAOptionsConstructor turns into full options.
class AAChartModel {
  public:
    AAChartModel& chartType(AAChartType value);
    AAChartModel& title(const std::string& value);
    // Series without their own colour take these in turn ("#rrggbb" texts).
    AAChartModel& colorsTheme(const std::vector<std::string>& values);
    AAChartModel& series(const std::vector<AASeriesElement>& values);
    // Marker radius of every series that sets none itself.
    AAChartModel& markerRadius(double value);
    // Text style of the texts that set no style themselves.
    AAChartModel& style(const AAStyle& value);
    AAChartModel& backgroundColor(const std::string& value);
    AAChartModel& zoomType(AAChartZoomType value);
    AAChartModel& legendEnabled(bool value);
    AAChartModel& dataLabelsEnabled(bool value);

  private:
    friend class AAOptionsConstructor;

    std::optional<AAChartType> chartType_;
    std::optional<std::string> title_;
    std::optional<std::vector<std::string>> colorsTheme_;
    std::vector<AASeriesElement> series_;
    std::optional<double> markerRadius_;
    std::optional<AAStyle> style_;
    std::optional<std::string> backgroundColor_;
    std::optional<AAChartZoomType> zoomType_;
    std::optional<bool> legendEnabled_;
    std::optional<bool> dataLabelsEnabled_;
};
