#pragma once

#include "platform/chartkit/AAObject.h"

// The dot drawn at each point of a series; radius 0 hides it.
class AAMarker : public AAObject<AAMarker> {
  public:
    using AAObject::AAObject;

    AAMarker& radius(double value) { return set("radius", value); }
    // Width of the marker's outline; 0 draws none.
    AAMarker& lineWidth(double value) { return set("lineWidth", value); }
};
