#pragma once

#include "engine/family/TermsCalculatorRecord.h"

// Calculators with a list of terms that round their results to five places.
class RoundingTermsCalculatorRecord : public TermsCalculatorRecord {
  public:
    const int decimalPlaces = 5;
};
