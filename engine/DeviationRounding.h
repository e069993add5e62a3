#pragma once

#include "engine/ExactNumber.h"

// The rounded deviation d = x - E of a value from the expected value, its square q and the product
// r = q·p with the value's probability, each rounded half away from zero at five places with whether
// that is exact. A long denominator of E (probabilities over many different primes) is not squared per
// row: then E - floor(E) is known to 256 bits, which decides nearly every rounding; a row it cannot
// decide is computed exactly.
class DeviationRounding {
  public:
    struct Row {
        ExactNumber::Rounded deviation;
        ExactNumber::Rounded square;
        ExactNumber::Rounded weightedSquare;
    };

    explicit DeviationRounding(const ExactNumber& expected);
    Row row(const ExactNumber::Integer& x, const ExactNumber& p) const;

  private:
    using Integer = ExactNumber::Integer;

    Row exactRow(const Integer& x, const ExactNumber& p) const;
    // Both rounded at five places, when the bounds decide them.
    bool boundedRow(const Integer& x, const ExactNumber& p, Row& row) const;

    Integer numerator_, denominator_;
    Integer unit_;               // 2^256
    Integer squaredDenominator_; // short denominator only
    // Long denominator only: E·10^5 = scaledFloor_ + remainder_ / denominator_, and
    // remainder_ / denominator_ lies in [fractionBits_, fractionBits_ + 1] / 2^256.
    bool isLong_ = false;
    Integer scaledFloor_, remainder_, fractionBits_;
    int remainderAgainstHalf_ = 0; // the sign of 2·remainder_ - denominator_
};
