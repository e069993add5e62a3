#include "engine/Digit.h"

std::optional<double> Digit::value() const {
    if (!z)
        return std::nullopt;
    double result = *z / n;
    for (const NaturalConstant& constant : zConstants)
        result *= constant.value;
    for (const NaturalConstant& constant : nConstants)
        result /= constant.value;
    return result;
}

void Digit::copyValues(const Digit& from) {
    *this = from;
}
