#pragma once

#include "platform/chartkit/AAObject.h"

// Texts of the chart's own user interface and number writing.
class AALang : public AAObject<AALang> {
  public:
    using AAObject::AAObject;

    AALang& resetZoom(const std::string& value) { return set("resetZoom", value); }
    // Groups the thousands of numbers the chart writes itself (values of 10000 and more).
    AALang& thousandsSep(const std::string& value) { return set("thousandsSep", value); }
};
