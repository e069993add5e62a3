#pragma once

#include "platform/chartkit/AAAxis.h"

// The horizontal axis, below the plot.
class AAXAxis : public AAAxis<AAXAxis> {
  public:
    using AAAxis::AAAxis;
};
