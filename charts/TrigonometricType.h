#pragma once

#include <optional>
#include <string>
#include <string_view>

// The function a trigonometric chart shows; the raw values are the case names.
enum class TrigonometricType { sin, cos, tan };

std::string rawValue(TrigonometricType type);
std::optional<TrigonometricType> trigonometricTypeFromRawValue(std::string_view rawValue);
// "sin(x)", "cos(x)" or "tan(x)": the series name of the function's chart.
std::string functionLabel(TrigonometricType type);
