#pragma once

#include "platform/chartkit/AAStyle.h"

// The box shown at the point nearest the pointer. Formats may hold "{point.key}" (the x value),
// "{point.x}", "{point.y}" and "{series.name}"; "<br/>" breaks the line.
class AATooltip : public AAObject<AATooltip> {
  public:
    using AAObject::AAObject;

    AATooltip& backgroundColor(const std::string& value) { return set("backgroundColor", value); }
    AATooltip& borderColor(const std::string& value) { return set("borderColor", value); }
    AATooltip& borderWidth(double value) { return set("borderWidth", value); }
    AATooltip& style(const AAStyle& value) { return setObject("style", value); }
    AATooltip& headerFormat(const std::string& value) { return set("headerFormat", value); }
    AATooltip& pointFormat(const std::string& value) { return set("pointFormat", value); }
    // Whether the box casts a shadow.
    AATooltip& shadow(bool value) { return set("shadow", value); }
    // Whether the box sits at the pointer rather than beside the hovered point.
    AATooltip& followPointer(bool value) { return set("followPointer", value); }
};
