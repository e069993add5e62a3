#pragma once

#include "engine/Digit.h"
#include "engine/KivoMathOperation.h"
#include "engine/KivoStringOutput.h"
#include "platform/foundation/NumberFormatter.h"

#include <cstdint>
#include <memory>
#include <string>

// Record shape of a calculator of the product family: arithmetic of two fractions. Created with its initial
// values only.
class KivoSimpleFractionCalculator {
  public:
    const std::shared_ptr<KivoMathOperation> operation = KivoMathOperation::shared();
    const std::shared_ptr<KivoStringOutput> output = KivoStringOutput::shared();
    std::string inputStringA;
    std::string inputStringB;
    std::string inputStringC;
    std::string inputStringD;
    NumberFormatter numberFormatter;
    std::int64_t solutionStepCounter = 0;
    bool withFraction = false;
    std::shared_ptr<Digit> a = std::make_shared<Digit>();
    std::shared_ptr<Digit> b = std::make_shared<Digit>();
    std::shared_ptr<Digit> c = std::make_shared<Digit>();
    std::shared_ptr<Digit> d = std::make_shared<Digit>();
    std::shared_ptr<Digit> ab = std::make_shared<Digit>();
    std::shared_ptr<Digit> cd = std::make_shared<Digit>();
};
