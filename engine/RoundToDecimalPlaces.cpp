#include "engine/RoundToDecimalPlaces.h"

#include "platform/foundation/CLocaleNumbers.h"

#include <cmath>
#include <string>

RoundedValue roundToDecimalPlaces(int places, double value) {
    const double p = std::pow(10.0, places);
    const double rounded = std::round(value * p) / p;
    const std::string text = CLocaleNumbers::description(value);
    const std::size_t point = text.rfind('.');
    std::string tail = point == std::string::npos ? text : text.substr(point + 1);
    tail.erase(0, static_cast<std::size_t>(places));
    const bool exact = rounded == value || tail.starts_with("0000") || tail.starts_with("9999");
    return {rounded, !exact};
}
