#pragma once

#include "charts/ChartData.h"
#include "charts/ChartDataType.h"

#include <optional>
#include <string>
#include <vector>

// A given list of points, drawn as a smooth curve.
class CommonSplineChartData : public ChartData {
  public:
    ChartDataType chartDataType = ChartDataType::commonSpline;
    std::string chartTitle;
    std::string dataName;
    std::optional<std::string> chartColorHexCode;
    // x/y pairs.
    std::vector<std::vector<double>> dataSet;
    std::optional<double> lengthOfGraph;
};
