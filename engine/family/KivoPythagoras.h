#pragma once

#include "engine/Fraction.h"
#include "engine/KivoStringOutput.h"

#include <cstdint>
#include <memory>
#include <optional>

// Record shape of a calculator of the product family: the Pythagorean theorem. Created with its initial
// values only.
class KivoPythagoras {
  public:
    std::optional<std::int64_t> tagA;
    std::optional<std::int64_t> tagB;
    std::optional<std::int64_t> tagC;
    Fraction a{};
    Fraction b{};
    Fraction c{};
    bool negativeSqrt = false;
    std::optional<double> divisor;
    bool isAnyNumberChanged = false;
    const std::shared_ptr<KivoStringOutput> outputHelper = KivoStringOutput::shared();
    bool withFraction = false;
};
