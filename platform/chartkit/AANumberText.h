#pragma once

#include <string>

// Numbers as the chart writes them where no formatter says otherwise: up to 15 significant
// digits (so 0.1 + 0.2 reads 0.3), no trailing zeros, never "-0", the thousands of values from
// 10000 on grouped with the separator. Independent of the process locale.
class AANumberText {
  public:
    static std::string text(double value, const std::string& thousandsSeparator = " ");
    // The value with the binary noise of repeated additions removed (15 significant digits).
    static double corrected(double value);
};
