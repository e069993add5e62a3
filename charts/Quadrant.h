#pragma once

#include <optional>
#include <string>
#include <string_view>

// A quadrant of the plane; the raw values are Roman numerals.
enum class Quadrant { first, second, third, fourth };

std::string rawValue(Quadrant quadrant);
std::optional<Quadrant> quadrantFromRawValue(std::string_view rawValue);
