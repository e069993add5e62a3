#pragma once

#include "charts/AreaChartView.h"
#include "charts/ChartData.h"
#include "charts/HistogramChartData.h"
#include "platform/chartkit/AASeriesElement.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Draws histograms as stepped area charts.
// Derives from ChartData as in the family's other apps, and uses nothing of it.
class AreaChartManager : public ChartData {
  public:
    static std::shared_ptr<AreaChartView> makeHistogramChart(const HistogramChartData& data,
                                                             const CGRect& frame);
    // One filled step series of the values, closed to 0 one unit beyond the smallest and the largest
    // x; a data set without pairs adds no series.
    static void appendHistogramSeries(const std::optional<std::string>& hexColor,
                                      const std::vector<std::vector<double>>& dataValues,
                                      const HistogramChartData& data, std::vector<AASeriesElement>& series);
};
