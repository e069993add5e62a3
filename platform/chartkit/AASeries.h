#pragma once

#include "platform/chartkit/AADataLabels.h"
#include "platform/chartkit/AAMarker.h"
#include "platform/chartkit/AASeriesEvents.h"

// Settings every series takes unless it sets its own.
class AASeries : public AAObject<AASeries> {
  public:
    using AAObject::AAObject;

    AASeries& marker(const AAMarker& value) { return setObject("marker", value); }
    AASeries& dataLabels(const AADataLabels& value) { return setObject("dataLabels", value); }
    AASeries& events(const AASeriesEvents& value) { return setObject("events", value); }
};
