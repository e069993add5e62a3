#pragma once

#include "platform/chartkit/AAItemStyle.h"

// One entry per named series: its symbol and name. Sizes are in points.
class AALegend : public AAObject<AALegend> {
  public:
    using AAObject::AAObject;

    AALegend& enabled(bool value) { return set("enabled", value); }
    AALegend& itemMarginTop(double value) { return set("itemMarginTop", value); }
    AALegend& itemMarginBottom(double value) { return set("itemMarginBottom", value); }
    // Space between two items of a row.
    AALegend& itemDistance(double value) { return set("itemDistance", value); }
    AALegend& symbolWidth(double value) { return set("symbolWidth", value); }
    AALegend& verticalAlign(AAChartVerticalAlignType value) {
        return set("verticalAlign", aa_jsonText(value));
    }
    AALegend& align(AAChartAlignType value) { return set("align", aa_jsonText(value)); }
    AALegend& layout(AAChartLayoutType value) { return set("layout", aa_jsonText(value)); }
    AALegend& itemStyle(const AAItemStyle& value) { return setObject("itemStyle", value); }
};
