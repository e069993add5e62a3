#include "charts/Quadrant.h"

#include "charts/RawValueTable.h"

namespace {

constexpr RawValueTable<Quadrant, 4> rawValues({"I", "II", "III", "IV"});

} // namespace

std::string rawValue(Quadrant quadrant) {
    return rawValues.text(quadrant);
}

std::optional<Quadrant> quadrantFromRawValue(std::string_view rawValue) {
    return rawValues.value(rawValue);
}
