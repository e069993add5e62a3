#pragma once

#include "engine/Digit.h"
#include "engine/KivoMathOperation.h"
#include "engine/KivoStringOutput.h"

#include <memory>
#include <optional>
#include <vector>

// The fields of the family's calculators whose parsed terms may still be missing.
class OptionalTermsCalculatorRecord {
  public:
    const std::shared_ptr<KivoMathOperation> operation = KivoMathOperation::shared();
    const std::shared_ptr<KivoStringOutput> output = KivoStringOutput::shared();
    std::optional<std::vector<std::shared_ptr<Digit>>> allInputs;
};
