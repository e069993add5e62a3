#pragma once

#include "engine/Formula.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Holder of the formula catalogue; this edition has no loader for it.
class KivoFormula {
  public:
    static std::shared_ptr<KivoFormula> shared();

    std::vector<Formula> formulas;
    std::optional<std::string> currentTopic;
};
