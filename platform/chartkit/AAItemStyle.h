#pragma once

#include "platform/chartkit/AAChartEnums.h"
#include "platform/chartkit/AAObject.h"

// Text style of the legend's items.
class AAItemStyle : public AAObject<AAItemStyle> {
  public:
    using AAObject::AAObject;

    AAItemStyle& color(const std::string& value) { return set("color", value); }
    AAItemStyle& fontSize(double value) { return set("fontSize", value); }
    AAItemStyle& fontWeight(AAChartFontWeightType value) { return set("fontWeight", aa_jsonText(value)); }
};
