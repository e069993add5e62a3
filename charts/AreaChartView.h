#pragma once

#include "platform/chartkit/AAChartView.h"
#include "platform/uikit/UIView.h"

#include <memory>

// Holds the chart library's view for area charts, on its own card.
class AreaChartView : public UIView {
  public:
    explicit AreaChartView(const CGRect& frame);

    std::shared_ptr<AAChartView> chartView;

    void setupView();
};
