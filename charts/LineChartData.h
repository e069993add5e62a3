#pragma once

#include "charts/ChartData.h"
#include "charts/ChartDataType.h"

#include <optional>
#include <string>
#include <vector>

// A segment with marked points on it, drawn in a square window of ±axisLimit.
class LineChartData : public ChartData {
  public:
    ChartDataType chartDataType = ChartDataType::line;
    std::string chartTitle;
    // The series name.
    std::string dataName;
    // "#rrggbb"; the palette's green accent when absent.
    std::optional<std::string> chartColorHexCode;
    // x/y pairs.
    std::vector<double> startPoint;
    std::vector<double> endPoint;
    std::vector<std::vector<double>> markedPoints;
    std::optional<double> length;
    double axisLimit = 0;
};
