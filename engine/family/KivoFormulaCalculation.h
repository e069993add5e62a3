#pragma once

#include "engine/KivoMathOperation.h"
#include "engine/KivoStringOutput.h"

#include <memory>

// Record shape of a calculator of the product family: evaluation of catalogue formulas. Created with its
// initial values only.
class KivoFormulaCalculation {
  public:
    const std::shared_ptr<KivoMathOperation> operation = KivoMathOperation::shared();
    const std::shared_ptr<KivoStringOutput> output = KivoStringOutput::shared();
    const int decimalPlaces = 12;
};
