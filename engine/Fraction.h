#pragma once

#include <optional>

// A bare numerator/denominator pair.
struct Fraction {
    std::optional<double> z;
    double n = 1.0;
};
