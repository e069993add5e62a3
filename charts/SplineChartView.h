#pragma once

#include "platform/chartkit/AAChartEnums.h"
#include "platform/chartkit/AAChartView.h"
#include "platform/uikit/UIView.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Smooth curves drawn by the chart library on a card (nib "SplineChartView").
class SplineChartView : public UIView {
  public:
    struct Series {
        std::string name;
        std::vector<std::vector<double>> data;
    };

    // Loads the nib into the new view.
    static std::shared_ptr<SplineChartView> withFrame(const CGRect& frame);

    std::shared_ptr<UIView> contentView;
    std::shared_ptr<AAChartView> chartView;

    void setupView();
    // One function over an x axis labelled in multiples of π.
    void drawTrigonometric(const std::vector<std::vector<double>>& points, const std::string& seriesName,
                           const std::string& title, const std::string& colorHex, AAChartType chartType,
                           std::optional<double> yMax, std::optional<double> yMin, float markerRadius);
    // Series k takes colour k.
    void drawSplines(const std::vector<Series>& series, const std::string& yTitle, const std::string& title,
                     const std::vector<std::string>& colorHexes, AAChartType chartType,
                     std::optional<double> yMax, std::optional<double> yMin, float markerRadius);

  private:
    explicit SplineChartView(const CGRect& frame) : UIView(frame) {}
};
