#pragma once

#include "engine/Digit.h"
#include "engine/KivoMathOperation.h"
#include "engine/KivoStringOutput.h"

#include <memory>
#include <optional>
#include <vector>

// Record shape of a calculator of the product family: sine, cosine and tangent curves. Created with its
// initial values only.
class KivoSineCosineTangent {
  public:
    const std::shared_ptr<KivoMathOperation> operation = KivoMathOperation::shared();
    const std::shared_ptr<KivoStringOutput> output = KivoStringOutput::shared();
    std::shared_ptr<Digit> a = std::make_shared<Digit>();
    std::shared_ptr<Digit> b = std::make_shared<Digit>();
    std::shared_ptr<Digit> k = std::make_shared<Digit>();
    std::shared_ptr<Digit> x = std::make_shared<Digit>();
    std::optional<std::vector<std::shared_ptr<Digit>>> allInputs;
};
