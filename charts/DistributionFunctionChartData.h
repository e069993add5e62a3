#pragma once

#include "charts/ChartData.h"
#include "charts/ChartDataType.h"

#include <optional>
#include <string>
#include <vector>

// The distribution function of a discrete random variable: a step line through its pairs, or
// (isPresentationView) a case table of a 0/1 variable whose middle value is the last number of the
// first pair.
class DistributionFunctionChartData : public ChartData {
  public:
    ChartDataType chartDataType = ChartDataType::distributionFunction;
    std::string chartTitle;
    std::string dataName;
    std::string xAxisName;
    std::optional<std::string> chartColorHexCode;
    // x/y pairs in order of x.
    std::vector<std::vector<double>> dataSet;
    bool isPresentationView = false;
    // Falls from 1 to 0 instead of rising from 0 to 1.
    bool isConverse = false;
};
