#pragma once

#include "engine/Fraction.h"
#include "engine/KivoMathOperation.h"
#include "engine/KivoStringOutput.h"
#include "engine/SolutionStep.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Record shape of a calculator of the product family: the pq formula. Created with its initial values only.
class KivoPQFormula {
  public:
    const std::shared_ptr<KivoStringOutput> outputHelper = KivoStringOutput::shared();
    const std::shared_ptr<KivoMathOperation> operation = KivoMathOperation::shared();
    bool withFraction = false;
    std::string inputPText;
    std::string inputQText;
    std::int64_t inputPTag = 0;
    std::int64_t inputQTag = 0;
    Fraction p{};
    Fraction q{};
    bool negativeSqrt = false;
    std::optional<double> divisor;
    bool isAnyNumberChanged = false;
    bool cancelDownDone = false;
    std::vector<SolutionStep> solutionSteps;
    std::optional<std::int64_t> solutionStepCounter;
};
