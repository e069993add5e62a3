#pragma once

#include <string>

// Enumerations of the option tree; each is written into the tree as the text returned by
// aa_jsonText.
enum class AAChartType { area, line, spline, scatter };
enum class AAChartZoomType { none, x, y, xy };
enum class AAChartFontWeightType { thin, regular, bold };
enum class AAChartAlignType { left, center, right };
enum class AAChartVerticalAlignType { top, middle, bottom };
enum class AAChartLayoutType { horizontal, vertical };
enum class AAChartLineDashStyleType { solid, dash, dot, dashDot, longDash, longDashDot, longDashDotDot };

std::string aa_jsonText(AAChartType value);
std::string aa_jsonText(AAChartZoomType value);
std::string aa_jsonText(AAChartFontWeightType value);
std::string aa_jsonText(AAChartAlignType value);
std::string aa_jsonText(AAChartVerticalAlignType value);
std::string aa_jsonText(AAChartLayoutType value);
std::string aa_jsonText(AAChartLineDashStyleType value);
