#pragma once

#include "platform/chartkit/AAChartSeries.h"
#include "platform/chartkit/AAPlotFrame.h"
#include "platform/graphics/UIColor.h"

#include <string>
#include <vector>

class CGContext;

// Draws series into a plot frame: lines, steps, splines and filled areas clipped to the plot,
// markers and data labels.
class AASeriesPainter {
public:
    AASeriesPainter(const AAPlotFrame& frame, const UIColor& background, std::string thousandsSeparator);

    void drawShape(CGContext& context, const AAChartSeries& series) const;
    void drawMarkers(CGContext& context, const AAChartSeries& series) const;
    void drawDataLabels(CGContext& context, const AAChartSeries& series, const UIColor& textColor) const;

    // The view points a run's line passes through, the corners of its steps included.
    std::vector<CGPoint> outline(const std::vector<AAChartSeries::Point>& run, AAChartSeries::Step step) const;

private:
    const AAPlotFrame& frame_;
    UIColor background_;
    std::string thousandsSeparator_;
};
