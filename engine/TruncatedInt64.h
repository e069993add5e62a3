#pragma once

#include <cstdint>
#include <optional>

// 2^63: the smallest magnitude that a signed 64-bit integer cannot hold as a positive number.
inline constexpr double twoToThe63 = 9223372036854775808.0;

// The value truncated toward zero, when the result is a signed 64-bit integer.
std::optional<std::int64_t> truncatedInt64(double value);
