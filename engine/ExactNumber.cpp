#include "engine/ExactNumber.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

using Integer = ExactNumber::Integer;

// numerator / denominator · 10^exponent.
struct ScaledFraction {
    Integer numerator;
    Integer denominator;
    int exponent = 0;
};

// The term with the factors ten of its denominator moved into the exponent.
ScaledFraction scaledFraction(const ExactNumber& term) {
    ScaledFraction fraction{term.numerator(), term.denominator(), 0};
    const Integer tenToThe19 = ExactNumber::powerOfTen(19);
    Integer quotient, remainder;
    for (const auto& [divisor, digits] : {std::pair{tenToThe19, 19}, std::pair{Integer(10), 1}}) {
        for (;;) {
            divide_qr(fraction.denominator, divisor, quotient, remainder);
            if (remainder != 0)
                break;
            fraction.denominator = quotient;
            fraction.exponent -= digits;
        }
    }
    return fraction;
}

// Halves summed on their own, then joined; fractions are not reduced, and equal denominators (every
// decimal has 1 once its power of ten is apart) are kept as they are.
ScaledFraction sumOf(std::span<const ScaledFraction> terms) {
    if (terms.empty())
        return {0, 1};
    if (terms.size() == 1)
        return terms.front();
    ScaledFraction left = sumOf(terms.first(terms.size() / 2));
    ScaledFraction right = sumOf(terms.subspan(terms.size() / 2));
    const int exponent = std::min(left.exponent, right.exponent);
    const Integer leftNumerator =
        left.numerator * ExactNumber::powerOfTen(static_cast<unsigned>(left.exponent - exponent));
    const Integer rightNumerator =
        right.numerator * ExactNumber::powerOfTen(static_cast<unsigned>(right.exponent - exponent));
    if (left.denominator == right.denominator)
        return {leftNumerator + rightNumerator, std::move(left.denominator), exponent};
    return {leftNumerator * right.denominator + rightNumerator * left.denominator,
            left.denominator * right.denominator, exponent};
}

} // namespace

ExactNumber::ExactNumber(Integer numerator, Integer denominator)
    : numerator_(std::move(numerator)), denominator_(std::move(denominator)) {
    if (denominator_ < 0) {
        numerator_ = -numerator_;
        denominator_ = -denominator_;
    }
}

Integer ExactNumber::powerOfTen(unsigned exponent) {
    if (exponent > 19) // beyond 64 bits
        return pow(Integer(10), exponent);
    std::uint64_t power = 1;
    for (unsigned i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

ExactNumber ExactNumber::sum(std::span<const ExactNumber> terms) {
    std::vector<ScaledFraction> fractions;
    fractions.reserve(terms.size());
    for (const ExactNumber& term : terms)
        fractions.push_back(scaledFraction(term));
    ScaledFraction total = sumOf(fractions);
    if (total.exponent >= 0)
        return {total.numerator * powerOfTen(static_cast<unsigned>(total.exponent)),
                std::move(total.denominator)};
    return {std::move(total.numerator),
            total.denominator * powerOfTen(static_cast<unsigned>(-total.exponent))};
}

bool ExactNumber::isInteger() const {
    return numerator_ % denominator_ == 0;
}

Integer ExactNumber::truncated() const {
    return numerator_ / denominator_;
}

int ExactNumber::sign() const {
    return numerator_.sign();
}

bool ExactNumber::isBelow(const ExactNumber& other) const {
    return numerator_ * other.denominator_ < other.numerator_ * denominator_;
}

bool ExactNumber::operator==(const ExactNumber& other) const {
    if (denominator_ == other.denominator_)
        return numerator_ == other.numerator_;
    return numerator_ * other.denominator_ == other.numerator_ * denominator_;
}

ExactNumber operator-(const ExactNumber& a, const ExactNumber& b) {
    if (a.denominator_ == b.denominator_)
        return {a.numerator_ - b.numerator_, a.denominator_};
    return {a.numerator_ * b.denominator_ - b.numerator_ * a.denominator_, a.denominator_ * b.denominator_};
}

ExactNumber operator*(const ExactNumber& a, const ExactNumber& b) {
    return {a.numerator_ * b.numerator_, a.denominator_ * b.denominator_};
}

ExactNumber::Rounded ExactNumber::roundedHalfAwayFromZero(unsigned places) const {
    Integer quotient, remainder;
    divide_qr(abs(numerator_) * powerOfTen(places), denominator_, quotient, remainder);
    if (2 * remainder >= denominator_)
        ++quotient;
    return {numerator_ < 0 ? Integer(-quotient) : quotient, remainder == 0};
}

ExactNumber::Rounded ExactNumber::roundedHalfToEven(unsigned places) const {
    Integer quotient, remainder;
    divide_qr(abs(numerator_) * powerOfTen(places), denominator_, quotient, remainder);
    const Integer twice = 2 * remainder;
    if (twice > denominator_ || (twice == denominator_ && bit_test(quotient, 0)))
        ++quotient;
    return {numerator_ < 0 ? Integer(-quotient) : quotient, remainder == 0};
}

ExactNumber::Rounded ExactNumber::squareRootRoundedHalfAwayFromZero(unsigned places) const {
    // With y = 2·sqrt(value·10^(2·places)): the rounded root is floor((floor(y) + 1) / 2), and
    // floor(y) is the integer square root of floor(y²).
    const Integer scaledNumerator = numerator_ * powerOfTen(2 * places);
    const Integer twiceRoot = sqrt(Integer(4 * scaledNumerator / denominator_));
    Integer root = (twiceRoot + 1) / 2;
    const bool exact = root * root * denominator_ == scaledNumerator;
    return {std::move(root), exact};
}

std::string ExactNumber::decimalText(unsigned places) const {
    return decimalText(roundedHalfToEven(places).scaled, places);
}

std::string ExactNumber::decimalText(const Integer& scaled, unsigned places) {
    std::string digits = Integer(abs(scaled)).str();
    if (digits.size() <= places)
        digits.insert(0, places + 1 - digits.size(), '0');
    digits.insert(digits.size() - places, 1, '.');
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.back() == '.')
        digits.pop_back();
    return scaled < 0 ? "-" + digits : digits;
}
