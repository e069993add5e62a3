#pragma once

#include "engine/Digit.h"
#include "engine/KivoMathOperation.h"
#include "engine/KivoStringOutput.h"
#include "platform/foundation/NumberFormatter.h"

#include <cstdint>
#include <memory>
#include <string>

// Chart data belongs to the charts layer above, which the engine may not include: the record refers to
// it but cannot make one, so the field starts empty.
class UnitCircleChartData;

// Record shape of a calculator of the product family: angles on the unit circle. Created with its initial
// values only.
class KivoUnitCircle {
  public:
    const std::shared_ptr<KivoMathOperation> operation = KivoMathOperation::shared();
    const std::shared_ptr<KivoStringOutput> output = KivoStringOutput::shared();
    std::string inputStringAlpha;
    std::string inputStringB;
    NumberFormatter numberFormatter;
    std::int64_t solutionStepCounter = 0;
    bool withFraction = false;
    std::shared_ptr<Digit> alpha = std::make_shared<Digit>();
    std::shared_ptr<Digit> b = std::make_shared<Digit>();
    std::shared_ptr<UnitCircleChartData> unitCircleChartData;
};
