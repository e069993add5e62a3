#include "charts/ChartDataType.h"

#include "charts/RawValueTable.h"

namespace {

constexpr RawValueTable<ChartDataType, 7> rawValues({"line", "unitCircle", "trigonometric", "commonSpline",
                                                     "histogram", "distributionFunction",
                                                     "bernoulliDistributionTree"});

} // namespace

std::string rawValue(ChartDataType type) {
    return rawValues.text(type);
}

std::optional<ChartDataType> chartDataTypeFromRawValue(std::string_view rawValue) {
    return rawValues.value(rawValue);
}
