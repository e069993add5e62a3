#pragma once

#include "platform/chartkit/AAChartEnums.h"
#include "platform/chartkit/AAStyle.h"

// Chart-wide settings: how series are drawn, the background, and the text style every text
// without its own colour takes.
class AAChart : public AAObject<AAChart> {
  public:
    using AAObject::AAObject;

    AAChart& type(AAChartType value) { return set("type", aa_jsonText(value)); }
    AAChart& backgroundColor(const std::string& value) { return set("backgroundColor", value); }
    AAChart& zoomType(AAChartZoomType value) { return set("zoomType", aa_jsonText(value)); }
    AAChart& style(const AAStyle& value) { return setObject("style", value); }
};
