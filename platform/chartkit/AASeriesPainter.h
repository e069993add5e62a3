#pragma once

#include "platform/chartkit/AAChartSeries.h"
#include "platform/chartkit/AAPlotFrame.h"
#include "platform/graphics/UIColor.h"

#include <memory>
#include <string>
#include <vector>

class CGContext;
class TextLayout;

// Draws series into a plot frame: lines, steps, splines and filled areas clipped to the plot,
// markers and data labels.
class AASeriesPainter {
  public:
    AASeriesPainter(const AAPlotFrame& frame, const UIColor& background, std::string thousandsSeparator);

    void drawShape(CGContext& context, const AAChartSeries& series) const;
    void drawMarkers(CGContext& context, const AAChartSeries& series) const;

    struct DataLabel {
        std::string text;
        CGRect frame;
        std::unique_ptr<TextLayout> layout;
        CGFloat outline;
    };
    // The labels of the series' points inside the plot, each above its point.
    std::vector<DataLabel> dataLabels(const AAChartSeries& series, const UIColor& textColor) const;
    void drawDataLabel(CGContext& context, const DataLabel& label) const;

    // The view points a run's line passes through, the corners of its steps included.
    std::vector<CGPoint> outline(const std::vector<AAChartSeries::Point>& run,
                                 AAChartSeries::Step step) const;

  private:
    const AAPlotFrame& frame_;
    UIColor background_;
    std::string thousandsSeparator_;
};
