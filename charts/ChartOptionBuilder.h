#pragma once

#include "platform/chartkit/AAChartModel.h"
#include "platform/chartkit/AAOptions.h"

#include <optional>
#include <string>
#include <vector>

// The shared look of the charts the chart library draws. Colours are read from the semantic
// system colours at build time, so a chart built in dark mode gets the dark variants.
class ChartOptionBuilder {
  public:
    // Label formatters: tick values rounded to two decimals, and multiples of π/2 ("π/2", "3π/2").
    static const std::string valueFormatter;
    static const std::string multiplesOfPiFormatter;

    static AAChartModel makeChartModel();
    // A trigonometric axis leaves range and ticks to the chart; otherwise both bounds together fix
    // them (ticks every quarter of max), and a missing bound leaves them to the chart.
    static AAXAxis makeXAxis(const std::string& title, std::optional<double> min, std::optional<double> max,
                             bool isTrigonometric);
    static AAYAxis makeYAxis(const std::string& title, std::optional<double> min, std::optional<double> max);
    static AACrosshair makeCrosshair();
    static AATooltip makeTooltip(const std::string& xName, const std::string& yName);
    static AAOptions makeChartOptions(const AAChartModel& model, const std::string& xTitle,
                                      std::optional<double> xMin, std::optional<double> xMax,
                                      const std::string& yTitle, std::optional<double> yMin,
                                      std::optional<double> yMax, bool isTrigonometric);
    // from, from + by, from + 2 by, ... up to through (included when hit exactly); empty unless by is
    // positive, all three are finite and there are at most 10001 values.
    static std::vector<double> tickValues(double from, double through, double by);

    // The colour of a series: its own, or the palette's green accent.
    static std::string seriesColor(const std::optional<std::string>& chartColorHexCode);
    // Series names in the legend write "function" short, as "func".
    static std::string legendName(const std::string& name);
};
