#pragma once

#include "platform/chartkit/AADataLabels.h"
#include "platform/chartkit/AAMarker.h"

#include <vector>

// One series of the chart. Data entries are x/y pairs; an entry with fewer than two numbers is
// not drawn.
class AASeriesElement : public AAObject<AASeriesElement> {
  public:
    using AAObject::AAObject;

    AASeriesElement& name(const std::string& value) { return set("name", value); }
    AASeriesElement& data(const std::vector<std::vector<double>>& points) { return set("data", points); }
    AASeriesElement& color(const std::string& value) { return set("color", value); }
    // "left": each value holds until the next x; "center": the step falls halfway between two x.
    AASeriesElement& step(const std::string& value) { return set("step", value); }
    AASeriesElement& marker(const AAMarker& value) { return setObject("marker", value); }
    AASeriesElement& dataLabels(const AADataLabels& value) { return setObject("dataLabels", value); }
};
