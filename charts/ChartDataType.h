#pragma once

#include <optional>
#include <string>
#include <string_view>

// The kind a chart description names; the raw values are the case names.
enum class ChartDataType {
    line,
    unitCircle,
    trigonometric,
    commonSpline,
    histogram,
    distributionFunction,
    bernoulliDistributionTree
};

std::string rawValue(ChartDataType type);
std::optional<ChartDataType> chartDataTypeFromRawValue(std::string_view rawValue);
