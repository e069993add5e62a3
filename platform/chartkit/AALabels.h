#pragma once

#include "platform/chartkit/AAStyle.h"

// Tick labels of an axis. The formatter is the text of a JavaScript function evaluated per label
// with this.value bound to the tick value.
class AALabels : public AAObject<AALabels> {
  public:
    using AAObject::AAObject;

    AALabels& formatter(const std::string& javaScriptFunction) {
        return set("formatter", javaScriptFunction);
    }
    AALabels& style(const AAStyle& value) { return setObject("style", value); }
};
