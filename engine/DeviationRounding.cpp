#include "engine/DeviationRounding.h"

#include <utility>

namespace {

using Integer = ExactNumber::Integer;

// Beyond this many bits of E's denominator, squaring it per row costs more than bounding.
constexpr unsigned longDenominatorBits = 4096;
constexpr unsigned fractionBits = 256;

// floor(a / b) for b > 0.
Integer floorDivided(const Integer& a, const Integer& b, Integer& remainder) {
    Integer quotient;
    divide_qr(a, b, quotient, remainder);
    if (remainder < 0) {
        remainder += b;
        --quotient;
    }
    return quotient;
}

// value / scale rounded half away from zero, for value ≥ 0.
Integer roundedQuotient(const Integer& value, const Integer& scale) {
    return (2 * value + scale) / (2 * scale);
}

} // namespace

DeviationRounding::DeviationRounding(const ExactNumber& expected)
    : numerator_(expected.numerator()), denominator_(expected.denominator()),
      unit_(pow(Integer(2), fractionBits)) {
    if (msb(denominator_) >= longDenominatorBits) {
        // A d (and so a q) can have at most five decimals only when 10^5·E is whole; then so short a
        // denominator costs nothing to square.
        const Integer scale = ExactNumber::powerOfTen(5);
        scaledFloor_ = floorDivided(numerator_ * scale, denominator_, remainder_);
        if (remainder_ == 0) {
            numerator_ = scaledFloor_;
            denominator_ = scale;
        } else {
            isLong_ = true;
            fractionBits_ = remainder_ * unit_ / denominator_;
            const Integer twice = 2 * remainder_;
            remainderAgainstHalf_ = twice < denominator_ ? -1 : (twice == denominator_ ? 0 : 1);
            return;
        }
    }
    squaredDenominator_ = denominator_ * denominator_;
}

DeviationRounding::Row DeviationRounding::row(const Integer& x, const ExactNumber& p) const {
    Row bounded;
    if (isLong_ && boundedRow(x, p, bounded))
        return bounded;
    return exactRow(x, p);
}

DeviationRounding::Row DeviationRounding::exactRow(const Integer& x, const ExactNumber& p) const {
    // d = deviation / D with E = N / D, q = d^2 and r = q·p.
    const Integer deviation = x * denominator_ - numerator_;
    const Integer square = deviation * deviation;
    Integer longSquare;
    if (isLong_)
        longSquare = denominator_ * denominator_;
    const Integer& squaredDenominator = isLong_ ? longSquare : squaredDenominator_;
    Row row;
    row.deviation = ExactNumber(deviation, denominator_).roundedHalfAwayFromZero(5);
    row.square = ExactNumber(square, squaredDenominator).roundedHalfAwayFromZero(5);
    row.weightedSquare =
        ExactNumber(square * p.numerator(), squaredDenominator * p.denominator()).roundedHalfAwayFromZero(5);
    return row;
}

bool DeviationRounding::boundedRow(const Integer& x, const ExactNumber& p, Row& row) const {
    // d·10^5 = K - δ with δ = remainder_ / denominator_ in (0, 1), as 10^5·E is not whole.
    const Integer K = x * ExactNumber::powerOfTen(5) - scaledFloor_;
    const bool roundsDown = K > 0 ? remainderAgainstHalf_ > 0 : remainderAgainstHalf_ >= 0;
    row.deviation = {roundsDown ? Integer(K - 1) : K, false};

    // q·10^5 = (K·2^256 - δ·2^256)^2 / (2^512·10^5); δ·2^256 lies between two neighbours, and the square
    // is monotonic between them (K·2^256 is not inside).
    const Integer shiftedK = K * unit_;
    Integer low = shiftedK - fractionBits_, high = shiftedK - fractionBits_ - 1;
    low *= low;
    high *= high;
    if (high < low)
        std::swap(low, high);
    const Integer scale = ExactNumber::powerOfTen(5) * unit_ * unit_;
    const Integer square = roundedQuotient(low, scale);
    if (square != roundedQuotient(high, scale))
        return false;
    // q never has five decimals nor a half at the fifth here: its reduced denominator is that of E
    // squared, which does not divide 2·10^5, as that of E does not divide 10^5.
    row.square = {square, false};

    if (p.numerator() == 0) {
        row.weightedSquare = {0, true};
        return true;
    }
    const Integer weightedLow = low * p.numerator(), weightedHigh = high * p.numerator();
    const Integer weightedScale = scale * p.denominator();
    const Integer weighted = roundedQuotient(weightedLow, weightedScale);
    // Undecided when a half or a whole lies between the bounds: r might be exactly there.
    if (weighted != roundedQuotient(weightedHigh, weightedScale) ||
        weightedLow / weightedScale != weightedHigh / weightedScale || weightedLow % weightedScale == 0)
        return false;
    row.weightedSquare = {weighted, false};
    return true;
}
