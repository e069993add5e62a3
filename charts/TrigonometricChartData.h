#pragma once

#include "charts/ChartData.h"
#include "charts/ChartDataType.h"
#include "charts/TrigonometricType.h"

#include <optional>

// amplitude × f(2π / periodLength × x) for x from offset over lengthOfGraph + |offset|.
class TrigonometricChartData : public ChartData {
  public:
    ChartDataType chartDataType = ChartDataType::trigonometric;
    std::optional<double> lengthOfGraph;
    double offset = 0;
    double periodLength = 0;
    double amplitude = 0;
    std::optional<TrigonometricType> type;
};
