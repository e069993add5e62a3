#pragma once

#include "platform/chartkit/AACrosshair.h"
#include "platform/chartkit/AALabels.h"
#include "platform/chartkit/AATitle.h"

#include <vector>

// Settings shared by both axes. Minimum, maximum and tick positions left unset are chosen from
// the data; tick positions take precedence over the tick interval.
template <class Self> class AAAxis : public AAObject<Self> {
  public:
    using AAObject<Self>::AAObject;

    Self& lineColor(const std::string& value) { return this->set("lineColor", value); }
    Self& lineWidth(double value) { return this->set("lineWidth", value); }
    Self& gridLineColor(const std::string& value) { return this->set("gridLineColor", value); }
    Self& gridLineWidth(double value) { return this->set("gridLineWidth", value); }
    Self& title(const AATitle& value) { return this->setObject("title", value); }
    Self& labels(const AALabels& value) { return this->setObject("labels", value); }
    Self& min(double value) { return this->set("min", value); }
    Self& max(double value) { return this->set("max", value); }
    Self& tickPositions(const std::vector<double>& values) { return this->set("tickPositions", values); }
    Self& tickInterval(double value) { return this->set("tickInterval", value); }
    Self& minorTickInterval(double value) { return this->set("minorTickInterval", value); }
    // "auto": a fifth of the tick interval.
    Self& minorTickInterval(const std::string& value) { return this->set("minorTickInterval", value); }
    Self& crosshair(const AACrosshair& value) { return this->setObject("crosshair", value); }
    // Runs the axis from its maximum to its minimum.
    Self& reversed(bool value) { return this->set("reversed", value); }
};
