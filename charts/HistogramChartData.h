#pragma once

#include "charts/ChartData.h"
#include "charts/ChartDataType.h"

#include <optional>
#include <string>
#include <vector>

// One data set of a histogram with its colour ("#rrggbb"; the palette's green accent when absent).
struct HistogramDataSet {
    std::optional<std::string> hexColor;
    // x/y pairs.
    std::vector<std::vector<double>> dataValues;
};

// Data sets drawn as filled steps centred on their x values.
class HistogramChartData : public ChartData {
  public:
    ChartDataType chartDataType = ChartDataType::histogram;
    std::string chartTitle;
    std::string dataName;
    std::string xAxisName;
    std::vector<HistogramDataSet> dataSetWithColorTheme;
};
