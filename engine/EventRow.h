#pragma once

#include <cstdint>
#include <optional>

// One row of the stochastics calculator's table: a whole-number value and its probability.
struct EventRow {
    std::int64_t value = 0;
    std::optional<double> probability;
};
