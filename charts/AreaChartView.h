#pragma once

#include "platform/chartkit/AAChartModel.h"
#include "platform/chartkit/AAChartView.h"
#include "platform/uikit/UIView.h"

#include <memory>
#include <optional>

// Holds the chart library's view for area charts, on its own card.
class AreaChartView : public UIView {
  public:
    explicit AreaChartView(const CGRect& frame);

    // Declared by the family's chart views and never set: chartView is the one that draws.
    std::shared_ptr<AAChartView> aaChartView;
    std::optional<AAChartModel> aaChartModel;
    std::shared_ptr<AAChartView> chartView;

    void setupView();
};
