#pragma once

#include "engine/Digit.h"
#include "engine/KivoMathOperation.h"
#include "engine/KivoStringOutput.h"

#include <memory>
#include <vector>

// The fields of the family's calculators that keep a list of parsed terms.
class TermsCalculatorRecord {
  public:
    const std::shared_ptr<KivoMathOperation> operation = KivoMathOperation::shared();
    const std::shared_ptr<KivoStringOutput> output = KivoStringOutput::shared();
    std::vector<std::shared_ptr<Digit>> allInputs;
};
