#pragma once

#include "charts/ChartData.h"
#include "charts/CommonSplineChartData.h"
#include "charts/SplineChartView.h"
#include "charts/TrigonometricChartData.h"

#include <memory>
#include <vector>

// Samples trigonometric functions and turns them and given point lists into spline chart views.
// Derives from ChartData as in the family's other apps, and uses nothing of it.
class SplineChartManager : public ChartData {
  public:
    // Evenly spaced points from the offset, close enough for a smooth curve (a tangent much closer);
    // empty without a length or type, with a period of 0, with numbers that give no spacing or when
    // more than a million points would be needed.
    static std::vector<std::vector<double>> samplePoints(const TrigonometricChartData& data);
    // Nothing without a type.
    static std::shared_ptr<SplineChartView> makeTrigonometricChart(const TrigonometricChartData& data,
                                                                   const CGRect& frame);
    // All point lists in one chart, titled by the first; an empty list gives nothing.
    static std::shared_ptr<SplineChartView>
    makeSplineChart(const std::vector<std::shared_ptr<CommonSplineChartData>>& data, const CGRect& frame);
};
