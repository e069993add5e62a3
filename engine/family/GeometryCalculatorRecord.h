#pragma once

#include "engine/Digit.h"
#include "engine/KivoMathOperation.h"
#include "engine/KivoStringOutput.h"
#include "platform/foundation/NumberFormatter.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

// The fields that the geometry calculators of the product family share.
class GeometryCalculatorRecord {
  public:
    const std::shared_ptr<KivoMathOperation> operation = KivoMathOperation::shared();
    const std::shared_ptr<KivoStringOutput> output = KivoStringOutput::shared();
    NumberFormatter numberFormatter;
    std::int64_t solutionStepCounter = 0;
    bool someThingCalculated = false;
    std::map<std::string, std::shared_ptr<Digit>> inputParameters;
};
