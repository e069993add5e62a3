#include "charts/TrigonometricType.h"

#include "charts/RawValueTable.h"

namespace {

constexpr RawValueTable<TrigonometricType, 3> rawValues({"sin", "cos", "tan"});
constexpr RawValueTable<TrigonometricType, 3> functionLabels({"sin(x)", "cos(x)", "tan(x)"});

} // namespace

std::string rawValue(TrigonometricType type) {
    return rawValues.text(type);
}

std::optional<TrigonometricType> trigonometricTypeFromRawValue(std::string_view rawValue) {
    return rawValues.value(rawValue);
}

std::string functionLabel(TrigonometricType type) {
    return functionLabels.text(type);
}
