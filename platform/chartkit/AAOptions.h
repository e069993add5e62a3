#pragma once

#include "platform/chartkit/AAChart.h"
#include "platform/chartkit/AALang.h"
#include "platform/chartkit/AALegend.h"
#include "platform/chartkit/AAPlotOptions.h"
#include "platform/chartkit/AASeriesElement.h"
#include "platform/chartkit/AATooltip.h"
#include "platform/chartkit/AAXAxis.h"
#include "platform/chartkit/AAYAxis.h"

#include <optional>

// The whole description a chart view draws. Getters return a copy of the part, absent when the
// options have none; change it and set it back.
class AAOptions : public AAObject<AAOptions> {
  public:
    using AAObject::AAObject;

    AAOptions& chart(const AAChart& value) { return setObject("chart", value); }
    AAOptions& title(const AATitle& value) { return setObject("title", value); }
    AAOptions& colors(const std::vector<std::string>& values) { return set("colors", values); }
    AAOptions& series(const std::vector<AASeriesElement>& values);
    AAOptions& plotOptions(const AAPlotOptions& value) { return setObject("plotOptions", value); }
    AAOptions& xAxis(const AAXAxis& value) { return setObject("xAxis", value); }
    AAOptions& yAxis(const AAYAxis& value) { return setObject("yAxis", value); }
    AAOptions& tooltip(const AATooltip& value) { return setObject("tooltip", value); }
    AAOptions& legend(const AALegend& value) { return setObject("legend", value); }
    AAOptions& lang(const AALang& value) { return setObject("lang", value); }

    std::optional<AAPlotOptions> plotOptions() const { return part<AAPlotOptions>("plotOptions"); }
    std::optional<AALegend> legend() const { return part<AALegend>("legend"); }

  private:
    template <class Part> std::optional<Part> part(const char* key) const {
        if (!toJSON().contains(key))
            return std::nullopt;
        return Part(toJSON()[key]);
    }
};
