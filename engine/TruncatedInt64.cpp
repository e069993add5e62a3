#include "engine/TruncatedInt64.h"

#include <cmath>

std::optional<std::int64_t> truncatedInt64(double value) {
    if (!std::isfinite(value) || value >= twoToThe63 || value < -twoToThe63)
        return std::nullopt;
    return static_cast<std::int64_t>(value);
}
