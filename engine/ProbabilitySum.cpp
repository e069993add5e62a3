#include "engine/ProbabilitySum.h"

#include "engine/EnglishDecimalText.h"

#include <boost/multiprecision/cpp_int.hpp>

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

namespace {

using boost::multiprecision::cpp_int;

struct ExactFraction {
    cpp_int numerator;
    cpp_int denominator;
};

// The fraction the shortest decimal text of a finite double spells: its digits over a power of ten.
ExactFraction typedNumber(double value) {
    std::string digits = shortestDecimalText(value);
    const bool negative = digits.starts_with('-');
    const std::size_t point = digits.find('.');
    const std::size_t fractionDigits = point == std::string::npos ? 0 : digits.size() - point - 1;
    std::erase_if(digits, [](char c) { return c == '-' || c == '.'; });
    // Leading zeros would make the text octal.
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    cpp_int numerator = digits.empty() ? cpp_int(0) : cpp_int(digits);
    if (negative)
        numerator = -numerator;
    return {std::move(numerator), pow(cpp_int(10), static_cast<unsigned>(fractionDigits))};
}

ExactFraction typedTerm(const Digit& term) {
    const ExactFraction z = typedNumber(*term.z);
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
