#include "engine/ProbabilitySum.h"

#include "engine/EnglishDecimalText.h"

#include <boost/multiprecision/cpp_int.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <span>

namespace {

using boost::multiprecision::cpp_int;

// numerator / denominator · 10^exponent. The power of ten is kept apart: decimals typed with many
// places would otherwise multiply hundreds of digits per row into the common denominator.
struct ScaledFraction {
    cpp_int numerator;
    cpp_int denominator;
    int exponent = 0;
};

cpp_int powerOfTen(unsigned exponent) {
    if (exponent > 19) // beyond 64 bits
        return pow(cpp_int(10), exponent);
    std::uint64_t power = 1;
    for (unsigned i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

// The shortest decimal of a finite double: its digits times a power of ten.
ScaledFraction typedNumber(double value) {
    if (value == 0)
        return {0, 1};
    const ShortestDecimal decimal = shortestDecimal(std::fabs(value));
    std::uint64_t digits = 0;
    std::from_chars(decimal.digits.data(), decimal.digits.data() + decimal.digits.size(), digits);
    return {value < 0 ? -cpp_int(digits) : cpp_int(digits), 1,
            decimal.exponent + 1 - static_cast<int>(decimal.digits.size())};
}

ScaledFraction typedTerm(const Digit& term) {
    ScaledFraction z = typedNumber(*term.z);
    if (term.n == 1.0)
        return z;
    ScaledFraction n = typedNumber(term.n);
    return {std::move(z.numerator), std::move(n.numerator), z.exponent - n.exponent};
}

// Halves summed on their own, then joined; fractions are not reduced, and equal denominators (every
// decimal has 1) are kept as they are. Reducing on the way would cost a greatest common divisor of
// ever longer numbers for every term.
ScaledFraction sum(std::span<const ScaledFraction> terms) {
    if (terms.empty())
        return {0, 1};
    if (terms.size() == 1)
        return terms.front();
    ScaledFraction left = sum(terms.first(terms.size() / 2));
    ScaledFraction right = sum(terms.subspan(terms.size() / 2));
    const int exponent = std::min(left.exponent, right.exponent);
    const cpp_int leftNumerator =
        left.numerator * powerOfTen(static_cast<unsigned>(left.exponent - exponent));
    const cpp_int rightNumerator =
        right.numerator * powerOfTen(static_cast<unsigned>(right.exponent - exponent));
    if (left.denominator == right.denominator)
        return {leftNumerator + rightNumerator, std::move(left.denominator), exponent};
    return {leftNumerator * right.denominator + rightNumerator * left.denominator,
            left.denominator * right.denominator, exponent};
}

bool hasTypedReading(const Digit* term) {
    return term->zConstants.empty() && term->nConstants.empty() && std::isfinite(*term->z) &&
           std::isfinite(term->n);
}

} // namespace

bool probabilitiesAddUpToOne(const std::vector<const Digit*>& probabilities) {
    if (!std::all_of(probabilities.begin(), probabilities.end(), hasTypedReading)) {
        double total = 0.0;
        for (const Digit* term : probabilities)
            total += term->value().value_or(0.0);
        return total == 1.0;
    }
    std::vector<ScaledFraction> terms;
    terms.reserve(probabilities.size());
    for (const Digit* term : probabilities)
        terms.push_back(typedTerm(*term));
    const ScaledFraction total = sum(terms);
    if (total.exponent >= 0)
        return total.numerator * powerOfTen(static_cast<unsigned>(total.exponent)) == total.denominator;
    return total.numerator == total.denominator * powerOfTen(static_cast<unsigned>(-total.exponent));
}
