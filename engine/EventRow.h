#pragma once

#include "engine/ExactNumber.h"

#include <cstdint>
#include <optional>

// One row of the stochastics calculator's table: a whole-number value and its probability, as a double
// and, unless the table's probabilities hold π or e, as the exact number typed.
struct EventRow {
    std::int64_t value = 0;
    std::optional<double> probability;
    std::optional<ExactNumber> exactProbability;
};
