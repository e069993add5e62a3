#pragma once

#include "engine/NaturalConstant.h"

#include <optional>
#include <string>
#include <vector>

// One typed term: a numerator with optional constant factors and variable letter over a denominator
// of the same kind. Shared by reference (std::shared_ptr) between the parser and the calculators.
class Digit {
  public:
    explicit Digit(std::optional<double> z = std::nullopt, double n = 1.0) : z(z), n(n) {}

    std::optional<double> z;
    double n = 1.0;
    std::vector<NaturalConstant> zConstants;
    std::vector<NaturalConstant> nConstants;
    std::string zVariable;
    std::string nVariable;
    double powerOfZVariable = 0.0;
    double powerOfNVariable = 0.0;

    // z / n times the numerator constants, divided by the denominator constants; absent without z.
    std::optional<double> value() const;
    void copyValues(const Digit& from);
};
