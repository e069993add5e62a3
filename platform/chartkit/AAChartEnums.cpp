#include "platform/chartkit/AAChartEnums.h"

#include <array>

namespace {

template <class Enum, std::size_t N> std::string textOf(Enum value, const std::array<const char*, N>& texts) {
    return texts.at(static_cast<std::size_t>(value));
}

} // namespace

std::string aa_jsonText(AAChartType value) {
    return textOf(value, std::array{"area", "line", "spline", "scatter"});
}

std::string aa_jsonText(AAChartZoomType value) {
    return textOf(value, std::array{"none", "x", "y", "xy"});
}

std::string aa_jsonText(AAChartFontWeightType value) {
    return textOf(value, std::array{"thin", "regular", "bold"});
}

std::string aa_jsonText(AAChartAlignType value) {
    return textOf(value, std::array{"left", "center", "right"});
}

std::string aa_jsonText(AAChartVerticalAlignType value) {
    return textOf(value, std::array{"top", "middle", "bottom"});
}

std::string aa_jsonText(AAChartLayoutType value) {
    return textOf(value, std::array{"horizontal", "vertical"});
}

std::string aa_jsonText(AAChartLineDashStyleType value) {
    return textOf(value,
                  std::array{"solid", "dash", "dot", "dashDot", "longDash", "longDashDot", "longDashDotDot"});
}
