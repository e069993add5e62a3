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

struct ExactFraction {
    cpp_int numerator;
    cpp_int denominator;
};

cpp_int powerOfTen(unsigned exponent) {
    if (exponent > 19) // beyond 64 bits
        return pow(cpp_int(10), exponent);
    std::uint64_t power = 1;
    for (unsigned i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

// The fraction the shortest decimal of a finite double spells: its digits times a power of ten.
ExactFraction typedNumber(double value) {
    if (value == 0)
        return {0, 1};
    const ShortestDecimal decimal = shortestDecimal(std::fabs(value));
    std::uint64_t digits = 0;
    std::from_chars(decimal.digits.data(), decimal.digits.data() + decimal.digits.size(), digits);
    const cpp_int numerator = value < 0 ? -cpp_int(digits) : cpp_int(digits);
    const int shift = decimal.exponent + 1 - static_cast<int>(decimal.digits.size());
    if (shift >= 0)
        return {numerator * powerOfTen(static_cast<unsigned>(shift)), 1};
    return {numerator, powerOfTen(static_cast<unsigned>(-shift))};
}

ExactFraction typedTerm(const Digit& term) {
    ExactFraction z = typedNumber(*term.z);
    if (term.n == 1.0)
        return z;
    const ExactFraction n = typedNumber(term.n);
    return {z.numerator * n.denominator, z.denominator * n.numerator};
}

// Halves summed on their own, then joined; fractions are not reduced, and equal denominators (all
// decimals with as many digits) are kept as they are. Reducing on the way would cost a greatest
// common divisor of ever longer numbers for every term.
ExactFraction sum(std::span<const ExactFraction> terms) {
    if (terms.empty())
        return {0, 1};
    if (terms.size() == 1)
        return terms.front();
    ExactFraction left = sum(terms.first(terms.size() / 2));
    ExactFraction right = sum(terms.subspan(terms.size() / 2));
    if (left.denominator == right.denominator)
        return {left.numerator + right.numerator, std::move(left.denominator)};
    return {left.numerator * right.denominator + right.numerator * left.denominator,
            left.denominator * right.denominator};
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
    std::vector<ExactFraction> terms;
    terms.reserve(probabilities.size());
    for (const Digit* term : probabilities)
        terms.push_back(typedTerm(*term));
    const ExactFraction total = sum(terms);
    return total.numerator == total.denominator;
}
