#pragma once

#include "platform/chartkit/AAChartEnums.h"
#include "platform/graphics/UIColor.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

// One series of the options with every setting resolved: its own, else the plot-option defaults,
// else the chart's.
struct AAChartSeries {
    enum class Step { none, left, center };
    struct Point {
        double x = 0;
        double y = 0;
    };

    std::string name;
    AAChartType type = AAChartType::line;
    UIColor color;
    // Runs of drawable points; an entry that is not an x/y pair of finite numbers breaks the line.
    std::vector<std::vector<Point>> runs;
    Step step = Step::none;
    double markerRadius = 0;
    double markerLineWidth = 0;
    bool dataLabelsEnabled = false;
    std::string dataLabelFormat;
    std::optional<UIColor> dataLabelColor;
    double dataLabelOutline = 1;

    static std::vector<AAChartSeries> fromOptions(const nlohmann::json& options);
    // Smallest and largest x and y over all series; nothing without a point.
    static std::optional<std::pair<double, double>> xExtent(const std::vector<AAChartSeries>& series);
    static std::optional<std::pair<double, double>> yExtent(const std::vector<AAChartSeries>& series);
};
