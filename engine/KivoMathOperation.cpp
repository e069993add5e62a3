#include "engine/KivoMathOperation.h"

#include "engine/TruncatedInt64.h"
#include "engine/TypedNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

std::shared_ptr<KivoMathOperation> KivoMathOperation::shared() {
    static const std::shared_ptr<KivoMathOperation> instance = std::make_shared<KivoMathOperation>();
    return instance;
}

namespace {

// Euclid with the remainder taking the dividend's sign; nothing when a step would overflow.
std::optional<std::int64_t> greatestCommonDivisor(std::int64_t a, std::int64_t b) {
    constexpr std::int64_t smallest = std::numeric_limits<std::int64_t>::min();
    while (b != 0) {
        if (a == smallest && b == -1)
            return std::nullopt;
        const std::int64_t remainder = a % b;
        a = b;
        b = remainder;
    }
    if (a == smallest)
        return std::nullopt;
    return a < 0 ? -a : a;
}

// Whether the quotient, written with all the digits of its shortest decimal, is the number so written
// divided by k. A whole number up to 2^53 is its own shortest decimal, and k divides it.
bool isExactQuotient(double number, double quotient, std::int64_t k) {
    if (std::fabs(number) <= twoToThe53 && number == std::trunc(number))
        return true;
    return ExactNumber(k) * shortestDecimalValue(quotient) == shortestDecimalValue(number);
}

} // namespace

std::optional<CancelledTerm> KivoMathOperation::cancelDown(const Digit& d) const {
    if (!d.z || !std::isfinite(*d.z) || std::fabs(*d.z) >= twoToThe63)
        return std::nullopt;
    const std::optional<std::int64_t> a = truncatedInt64(d.n);
    const std::optional<std::int64_t> b = truncatedInt64(*d.z);
    if (!a || !b)
        return std::nullopt;
    const std::optional<std::int64_t> divisor = greatestCommonDivisor(*a, *b);
    if (!divisor)
        return std::nullopt;
    const std::int64_t g = *divisor;
    const double q = d.n / static_cast<double>(g);
    const std::int64_t s = q >= 0 ? 1 : -1;
    const std::int64_t k = g * s;

    std::vector<NaturalConstant> common;
    if (!d.zConstants.empty() && d.zConstants == d.nConstants)
        common.push_back(d.zConstants.front());
    if (std::llabs(k) <= 1 && common.empty())
        return std::nullopt;
    if (g == 0)
        return std::nullopt;

    auto reduced = std::make_shared<Digit>();
    reduced->copyValues(d);
    reduced->z = (*d.z / static_cast<double>(g)) * static_cast<double>(s);
    reduced->zConstants = removeConstants(d.zConstants, common);
    reduced->n = q * static_cast<double>(s);
    reduced->nConstants = removeConstants(d.nConstants, common);
    if (!isExactQuotient(*d.z, *reduced->z, k) || !isExactQuotient(d.n, reduced->n, k))
        return std::nullopt;

    std::string latex = KivoStringOutput::cancelledFractionLatex(d, common, static_cast<double>(k)) + " =  " +
                        KivoStringOutput::termLatexInFull(*reduced, std::nullopt, false);
    return CancelledTerm{std::move(reduced), std::move(latex)};
}

std::vector<NaturalConstant> KivoMathOperation::removeConstants(const std::vector<NaturalConstant>& list,
                                                                const std::vector<NaturalConstant>& common) {
    std::vector<NaturalConstant> kept;
    for (const NaturalConstant& constant : list)
        if (std::find(common.begin(), common.end(), constant) == common.end())
            kept.push_back(constant);
    return kept;
}
