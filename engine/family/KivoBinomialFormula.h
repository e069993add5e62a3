#pragma once

#include "engine/Digit.h"
#include "engine/KivoStringOutput.h"
#include "engine/SolutionStep.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Record shape of a calculator of the product family: the binomial formulas. Created with its initial values
// only.
class KivoBinomialFormula {
  public:
    std::shared_ptr<Digit> a = std::make_shared<Digit>();
    std::shared_ptr<Digit> b = std::make_shared<Digit>();
    std::shared_ptr<Digit> aHistory = std::make_shared<Digit>();
    std::shared_ptr<Digit> bHistory = std::make_shared<Digit>();
    std::string inputAText;
    std::string inputBText;
    std::int64_t inputATag = 0;
    std::int64_t inputBTag = 0;
    const std::shared_ptr<KivoStringOutput> outputHelper = KivoStringOutput::shared();
    bool withFraction = false;
    std::optional<float> divisor;
    bool isAnyNumberChanged = false;
    bool cancelDownDone = false;
    std::vector<SolutionStep> solutionSteps;
    std::optional<std::int64_t> solutionStepCounter;
    std::int64_t choosenFormula = 0;
};
