#pragma once

#include <string_view>

// Counts decimal places of numbers written with "%g", to expand decimals into fractions.
class KivoDigitAnalyser {
  public:
    // The larger count of digits after the last "." of a and b; a part that is not a plain
    // integer (such as "5e-05") does not count. A whole count held in a double.
    static double analyseDigits(std::string_view a, std::string_view b);
};
