#pragma once

#include "charts/ChartData.h"
#include "charts/ChartDataType.h"
#include "charts/Quadrant.h"

#include <optional>

// An angle on the unit circle: in degrees (alpha) and radians (b), its complete turns and its quadrant.
class UnitCircleChartData : public ChartData {
  public:
    UnitCircleChartData() = default;
    // Frame ratio 2, every value present.
    UnitCircleChartData(double alpha, double b, double angle, int fullCircles, Quadrant quadrant);

    ChartDataType chartDataType = ChartDataType::unitCircle;
    std::optional<double> alpha;
    std::optional<double> b;
    std::optional<double> angle;
    std::optional<int> fullCircles;
    std::optional<Quadrant> quadrant;
};
