#pragma once

#include "platform/chartkit/AAAxis.h"

// The vertical axis, left of the plot.
class AAYAxis : public AAAxis<AAYAxis> {
  public:
    using AAAxis::AAAxis;
};
