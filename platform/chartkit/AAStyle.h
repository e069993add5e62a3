#pragma once

#include "platform/chartkit/AAObject.h"

// Text style: colour and, for data labels, the width of the outline drawn around the text.
class AAStyle : public AAObject<AAStyle> {
  public:
    using AAObject::AAObject;

    AAStyle& color(const std::string& value) { return set("color", value); }
    // 0 draws no outline.
    AAStyle& textOutline(double width) { return set("textOutline", width); }
};
