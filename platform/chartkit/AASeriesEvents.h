#pragma once

#include "platform/chartkit/AAObject.h"

class AASeriesEvents : public AAObject<AASeriesEvents> {
  public:
    using AAObject::AAObject;

    // Text of a JavaScript function run when a series is tapped.
    AASeriesEvents& click(const std::string& javaScriptFunction) { return set("click", javaScriptFunction); }
};
