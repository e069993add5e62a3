#pragma once

#include "platform/chartkit/AAAxisScale.h"
#include "platform/graphics/CGGeometry.h"

// The plot area of a chart with the scales of its two axes: where a data point lies in the view.
struct AAPlotFrame {
    CGRect plot;
    AAAxisScale x;
    AAAxisScale y;

    CGPoint location(double xValue, double yValue) const {
        return {plot.minX() + x.fraction(xValue) * plot.width(),
                plot.maxY() - y.fraction(yValue) * plot.height()};
    }
    // Inside the plot or on its edge, where points at the axis bounds lie.
    bool shows(CGPoint p) const {
        return p.x >= plot.minX() && p.x <= plot.maxX() && p.y >= plot.minY() && p.y <= plot.maxY();
    }
};
