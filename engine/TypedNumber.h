#pragma once

#include "engine/ExactNumber.h"

#include <optional>
#include <string>
#include <string_view>

// 2^53: up to it a double holds every whole number.
inline constexpr double twoToThe53 = 9007199254740992.0;

// A number as typed: an optional sign, digits and at most one "." (at least one digit).
struct TypedDecimal {
    bool negative = false;
    // The significant digits, without leading or trailing zeros (empty for zero), and the power of ten
    // of the first one.
    std::string digits;
    int exponent = 0;
};
std::optional<TypedDecimal> typedDecimal(std::string_view text);

// Whether the typed number is the shortest decimal of the double: a double holds every digit typed.
bool isShortestDecimalOf(const TypedDecimal& typed, double value);

// The exact value of the shortest decimal of a finite double: the number a step shows when it writes the
// double with all its digits.
ExactNumber shortestDecimalValue(double value);

// The exact value of a field whose text, without parentheses, is a number or a fraction of two numbers;
// nothing for any other text (constants, letters) and for a zero denominator.
std::optional<ExactNumber> typedNumber(std::string_view fieldText);
