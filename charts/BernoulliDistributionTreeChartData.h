#pragma once

#include "charts/ChartData.h"
#include "charts/ChartDataType.h"

#include <optional>
#include <string>

// A chain of trials with success probability p, whose paths with exactly `hits` successes are marked.
class BernoulliDistributionTreeChartData : public ChartData {
  public:
    ChartDataType chartDataType = ChartDataType::bernoulliDistributionTree;
    std::string chartTitle;
    std::optional<std::string> chartColorHexCode;
    double probabilityOfSuccess = 0;
    int hits = 0;
    int trials = 0;
};
