#pragma once

#include "platform/chartkit/AAStyle.h"

// Text drawn above each point of a series. The format may hold "{point.x}", "{point.y}",
// "{point.key}" and "{series.name}".
class AADataLabels : public AAObject<AADataLabels> {
  public:
    using AAObject::AAObject;

    AADataLabels& enabled(bool value) { return set("enabled", value); }
    AADataLabels& format(const std::string& value) { return set("format", value); }
    AADataLabels& style(const AAStyle& value) { return setObject("style", value); }
};
