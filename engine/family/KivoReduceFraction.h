#pragma once

#include "platform/foundation/NumberFormatter.h"

#include <cstdint>
#include <optional>
#include <string>

// Record shape of a calculator of the product family: reducing a fraction. Created with its initial values
// only.
class KivoReduceFraction {
  public:
    bool withFraction = false;
    std::optional<double> divisor;
    std::int64_t maximumFractionDigits = 10;
    std::optional<std::string> inputString;
    std::string inputStringA;
    std::string inputStringB;
    NumberFormatter numberFormatter;
    std::int64_t solutionStepCounter = 0;
};
