#pragma once

#include "platform/chartkit/AAChartSeries.h"
#include "platform/chartkit/AAPlotFrame.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

class CGContext;

// What the chart shows at the pointer: crosshairs through the nearest point and the tooltip box
// with the header and point formats filled for it.
class AATooltipPainter {
  public:
    struct HoveredPoint {
        const AAChartSeries* series;
        AAChartSeries::Point point;
        CGPoint location;
    };

    AATooltipPainter(const nlohmann::json& options, const std::vector<AAChartSeries>& series,
                     const AAPlotFrame& frame, CGSize chartSize, std::string thousandsSeparator);

    // The point nearest the pointer inside the plot: by x first for lines and areas (the point
    // whose x the pointer is over), by distance for scatter charts.
    std::optional<HoveredPoint> hoveredPoint(CGPoint pointer) const;
    // The tooltip's text, one entry per line.
    std::vector<std::string> lines(const HoveredPoint& hovered) const;
    void draw(CGContext& context, const HoveredPoint& hovered, CGPoint pointer) const;

  private:
    void drawCrosshair(CGContext& context, const nlohmann::json& crosshair, CGPoint from, CGPoint to) const;
    void drawBox(CGContext& context, const HoveredPoint& hovered, CGPoint pointer) const;

    const nlohmann::json& options_;
    const std::vector<AAChartSeries>& series_;
    const AAPlotFrame& frame_;
    CGSize chartSize_;
    std::string thousandsSeparator_;
};
