#pragma once

#include "platform/chartkit/AAChartModel.h"
#include "platform/chartkit/AAOptions.h"

class AAOptionsConstructor {
  public:
    // Full options of the model: its settings, empty axes, tooltip and legend to style further,
    // and series defaults under plot options.
    static AAOptions configureChartOptions(const AAChartModel& model);
};
