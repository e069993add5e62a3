#pragma once

#include <optional>
#include <string>
#include <string_view>

// Number text as the C locale writes and reads it, whatever the process locale is.
class CLocaleNumbers {
  public:
    // printf's "%g": six significant digits, exponent form below 1e-4 and from 1e6 on.
    static std::string formatG(double value);

    // The platform's standard text of a double: the shortest digits that read back as the same
    // double; exponent form when the value is not zero and its magnitude is below 1e-4 or above 2^53,
    // else plain with at least one fraction digit ("5.0", "1e-05", "1.8014398509481984e+16",
    // "nan", "inf", "-inf").
    static std::string description(double value);

    // The whole text as a double: optional sign, decimal digits with an optional fraction and exponent,
    // or "inf"/"infinity"/"nan". No blanks, no hexadecimal. Out-of-range values give ±infinity or
    // zero as strtod does.
    static std::optional<double> parseDouble(std::string_view text);
};
