#pragma once

#include "platform/chartkit/AASeries.h"

#include <optional>

class AAPlotOptions : public AAObject<AAPlotOptions> {
  public:
    using AAObject::AAObject;

    AAPlotOptions& series(const AASeries& value) { return setObject("series", value); }
    std::optional<AASeries> series() const {
        if (!toJSON().contains("series"))
            return std::nullopt;
        return AASeries(toJSON()["series"]);
    }
};
