#pragma once

#include "charts/DistributionFunctionChartData.h"
#include "charts/LineChartData.h"
#include "charts/LineChartView.h"

#include <memory>
#include <vector>

// Turns line and distribution-function descriptions into line chart views.
class LineChartManager {
  public:
    // A segment with its marked points in the square window of ±|axisLimit|.
    static std::shared_ptr<LineChartView> makeLineChart(const LineChartData& data, const CGRect& frame);
    static std::shared_ptr<LineChartView>
    makeDistributionFunctionChart(const DistributionFunctionChartData& data, const CGRect& frame);
    // Several lines in one window from 0 to the first line's limit plus a tenth, rounded up; each
    // line's marks are labelled with its name and length. An empty list gives nothing.
    static std::shared_ptr<LineChartView>
    makeCombinedLineChart(const std::vector<std::shared_ptr<LineChartData>>& data, const CGRect& frame);
    // The pairs, led in from one unit to the left and led out one unit to the right at the levels
    // where the function starts and ends; the pairs alone when the first or last has no x.
    static std::vector<std::vector<double>>
    extendedDistributionData(const DistributionFunctionChartData& data);
};
