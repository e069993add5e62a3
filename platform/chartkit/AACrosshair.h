#pragma once

#include "platform/chartkit/AAChartEnums.h"
#include "platform/chartkit/AAObject.h"

// The line drawn through the hovered point across the plot, perpendicular to its axis.
class AACrosshair : public AAObject<AACrosshair> {
  public:
    using AAObject::AAObject;

    AACrosshair& color(const std::string& value) { return set("color", value); }
    AACrosshair& dashStyle(AAChartLineDashStyleType value) { return set("dashStyle", aa_jsonText(value)); }
    AACrosshair& width(double value) { return set("width", value); }
};
