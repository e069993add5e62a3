#pragma once

#include "charts/ChartData.h"
#include "charts/ChartTableViewCell.h"
#include "platform/uikit/UIView.h"

#include <memory>
#include <vector>

// Picks the chart view for chart descriptions by their class and builds it ready-drawn, with a
// frame of 0.9 of the parent view's width centred in a row of the description's frame ratio.
class ChartManager {
  public:
    // One description to one view; nothing for a class without a view of its own (a spline list),
    // for a presentation without a value, or without a description.
    static std::shared_ptr<UIView> makeChartView(const std::shared_ptr<ChartData>& data,
                                                 const std::shared_ptr<UIView>& parentView);
    // Spline lists or line descriptions, all of one kind, in one chart; nothing for any other mix.
    static std::shared_ptr<UIView> makeCombinedChartView(const std::vector<std::shared_ptr<ChartData>>& data,
                                                         const std::shared_ptr<UIView>& parentView);
    // Replays the animation of a unit-circle cell.
    static void animateChartCell(const std::shared_ptr<ChartTableViewCell>& cell);
    // The chart's frame for a row width w.
    static CGRect chartFrame(double frameRatio, CGFloat w);
};
