#pragma once

#include "engine/KivoInputManager.h"
#include "engine/KivoMathOperation.h"
#include "engine/KivoStringOutput.h"

#include <memory>

// The fields that the family's calculators which parse through the shared input parser begin with.
class ParsingCalculatorRecord {
  public:
    const std::shared_ptr<KivoStringOutput> outputHelper = KivoStringOutput::shared();
    const std::shared_ptr<KivoInputManager> inputManager = KivoInputManager::shared();
    const std::shared_ptr<KivoMathOperation> mathOperation = KivoMathOperation::shared();
    bool withFraction = false;
};
