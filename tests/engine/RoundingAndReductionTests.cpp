#include "EngineTestEnvironment.h"

#include "engine/ExactNumber.h"
#include "engine/KivoDigitAnalyser.h"
#include "engine/KivoMathOperation.h"
#include "engine/RoundToDecimalPlaces.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

void expectRounding(int places, double value, double rounded, bool approximate) {
    SCOPED_TRACE(value);
    const RoundedValue result = roundToDecimalPlaces(places, value);
    EXPECT_EQ(result.rounded, rounded);
    EXPECT_EQ(result.isApproximate, approximate);
}

TEST(RoundToDecimalPlaces, NoiseCountsAsExactAndExponentTextsNotANumberAndInfinity) {
    expectRounding(5, 2.5, 2.5, false);
    expectRounding(5, 0.1 + 0.2, 0.3, false);
    expectRounding(5, 0.6999999999, 0.7, false);
    expectRounding(5, 1.0 / 3, 0.33333, true);
    expectRounding(5, 2.0 / 3, 0.66667, true);
    expectRounding(2, -1.005, -1.0, true);
    expectRounding(2, 2.675, 2.68, true);
    expectRounding(0, 0.5, 1.0, true);
    expectRounding(0, -0.5, -1.0, true);
    // 4.4e-16 is written in exponent form, whose digits after the kept places are not zeros.
    expectRounding(5, 4.440892098500626e-16, 0.0, true);
    expectRounding(5, 8.999999999999616e-06, 1e-05, false);
    const RoundedValue nan = roundToDecimalPlaces(5, std::nan(""));
    EXPECT_TRUE(std::isnan(nan.rounded));
    EXPECT_TRUE(nan.isApproximate);
    expectRounding(5, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
                   false);
}

// Exact numbers round, and are written, alike within 64 and 128 bits and beyond, across the chunks of 19
// digits their texts are written in, and at more places than 10^19 holds.
TEST(ExactNumber, RoundsAndWritesAtEveryLength) {
    using Integer = ExactNumber::Integer;
    const Integer twoTo130 = Integer(1) << 130;
    struct Case {
        ExactNumber value;
        unsigned places;
        std::string halfAwayFromZero, halfToEven;
        bool isExact;
    };
    const std::vector<Case> cases{
        {{5, 2}, 0, "3", "2", false},
        {{-5, 2}, 0, "-3", "-2", false},
        {{1, 8}, 2, "0.13", "0.12", false},
        {{-1, 100000000}, 5, "0", "0", false},
        {{3, 2}, 5, "1.5", "1.5", true},
        {{1, 3}, 25, "0.3333333333333333333333333", "0.3333333333333333333333333", false},
        {{Integer("10000000000000000005")}, 0, "10000000000000000005", "10000000000000000005", true},
        {{Integer("100000000000000000000000000000000000001"), 100},
         2,
         "1000000000000000000000000000000000000.01",
         "1000000000000000000000000000000000000.01",
         true},
        {{twoTo130 + 1, 2},
         0,
         "680564733841876926926749214863536422913",
         "680564733841876926926749214863536422912",
         false},
        {{5 * twoTo130, 2 * twoTo130}, 0, "3", "2", false},
        {{-(3 * twoTo130 + 1), 2 * twoTo130}, 0, "-2", "-2", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.halfAwayFromZero);
        const ExactNumber::Rounded away = c.value.roundedHalfAwayFromZero(c.places);
        const ExactNumber::Rounded even = c.value.roundedHalfToEven(c.places);
        EXPECT_EQ(ExactNumber::decimalText(away.scaled, c.places), c.halfAwayFromZero);
        EXPECT_EQ(ExactNumber::decimalText(even.scaled, c.places), c.halfToEven);
        EXPECT_EQ(away.isExact, c.isExact);
        EXPECT_EQ(even.isExact, c.isExact);
    }
    for (unsigned exponent : {0u, 19u, 20u, 38u, 39u, 60u})
        EXPECT_EQ(ExactNumber::powerOfTen(exponent).str(), "1" + std::string(exponent, '0'));
}

// Decimals of different lengths, decimals beside other denominators (one with factors ten), and terms
// over one denominator add up exactly.
TEST(ExactNumber, SumsOfDecimalsAndOtherFractions) {
    using Integer = ExactNumber::Integer;
    const Integer tenTo20 = ExactNumber::powerOfTen(20), tenTo21 = ExactNumber::powerOfTen(21);
    const std::vector<std::pair<std::vector<ExactNumber>, ExactNumber>> sums{
        {{{1, 10}, {25, 100}, {3, 1000}}, {353, 1000}},
        {{{1, tenTo20}, {1, tenTo21}, {7}}, {Integer("7000000000000000000011"), tenTo21}},
        {{{1, 10}, {1, 3}, {1, 30}}, {7, 15}},
        {{{1, 10}, {1, 3}}, {13, 30}},
        {{{1, 6 * ExactNumber::powerOfTen(25)}, {1, ExactNumber::powerOfTen(40)}},
         {500000000000003, 3 * ExactNumber::powerOfTen(40)}},
        {{{1, 7}, {-2, 7}, {4, 7}}, {3, 7}},
    };
    for (const auto& [terms, total] : sums) {
        SCOPED_TRACE(total.numerator().str() + "/" + total.denominator().str());
        EXPECT_TRUE(ExactNumber::sum(terms) == total);
    }
}

std::optional<CancelledTerm> cancel(const Digit& d) {
    return KivoMathOperation::shared()->cancelDown(d);
}

TEST(CancelDown, ReducesByTheGreatestCommonDivisorAndCommonConstants) {
    const Digit quarter(25, 100);
    auto reduced = cancel(quarter);
    ASSERT_TRUE(reduced);
    EXPECT_EQ(reduced->term->z, 1.0);
    EXPECT_EQ(reduced->term->n, 4.0);
    EXPECT_EQ(reduced->latex, "\\frac{25 : 25}{100 : 25} =  \\frac{1}{4}");
    EXPECT_EQ(quarter.z, 25.0);

    auto negative = cancel(Digit(6, -8));
    ASSERT_TRUE(negative);
    EXPECT_EQ(negative->term->z, -3.0);
    EXPECT_EQ(negative->term->n, 4.0);
    EXPECT_EQ(negative->latex, "\\frac{6 : (-2)}{(-8) : (-2)} =  \\left(-\\frac{3}{4}\\right)");

    EXPECT_FALSE(cancel(Digit(1, 2)));
    EXPECT_FALSE(cancel(Digit(1, -2)));
    EXPECT_FALSE(cancel(Digit(7)));
    EXPECT_FALSE(cancel(Digit()));

    // A common constant cancels too.
    auto piReduced = cancel(termWithConstants(2, 4, {NaturalConstant::pi}, {NaturalConstant::pi}));
    ASSERT_TRUE(piReduced);
    EXPECT_EQ(piReduced->term->z, 1.0);
    EXPECT_EQ(piReduced->term->n, 2.0);
    EXPECT_TRUE(piReduced->term->zConstants.empty());
    EXPECT_TRUE(piReduced->term->nConstants.empty());
    EXPECT_EQ(piReduced->latex, "\\frac{2\\pi : 2\\pi}{4\\pi : 2\\pi} =  \\frac{1}{2}");

    auto constantOnly = cancel(termWithConstants(3, 5, {NaturalConstant::pi}, {NaturalConstant::pi}));
    ASSERT_TRUE(constantOnly);
    EXPECT_EQ(constantOnly->latex, "\\frac{3\\pi : \\pi}{5\\pi : \\pi} =  \\frac{3}{5}");

    auto kept = cancel(termWithConstants(2, 4, {NaturalConstant::pi}, {NaturalConstant::e}));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->term->zConstants, std::vector<NaturalConstant>{NaturalConstant::pi});
    EXPECT_EQ(kept->term->nConstants, std::vector<NaturalConstant>{NaturalConstant::e});
    EXPECT_EQ(KivoMathOperation::removeConstants(
                  {NaturalConstant::e, NaturalConstant::pi, NaturalConstant::e}, {NaturalConstant::pi}),
              (std::vector<NaturalConstant>{NaturalConstant::e, NaturalConstant::e}));

    // Terms beyond the 64-bit range stay unreduced.
    EXPECT_FALSE(cancel(Digit(2, 1e19)));
    EXPECT_FALSE(cancel(Digit(2, std::numeric_limits<double>::infinity())));
    EXPECT_FALSE(cancel(Digit(9.3e18, 2)));
    EXPECT_FALSE(cancel(Digit(std::nan(""), 2)));
    // The smallest 64-bit integer has no positive counterpart.
    EXPECT_FALSE(cancel(Digit(0, -9223372036854775808.0)));
    EXPECT_TRUE(cancel(Digit(4, -9223372036854775808.0)));
    // A zero divisor with a common constant.
    EXPECT_FALSE(cancel(termWithConstants(0.5, 0.5, {NaturalConstant::pi}, {NaturalConstant::pi})));
}

TEST(AnalyseDigits, CountsDecimalsOfGeneralFormatTexts) {
    EXPECT_EQ(KivoDigitAnalyser::analyseDigits("0.25", "1"), 2.0);
    EXPECT_EQ(KivoDigitAnalyser::analyseDigits("3", "4"), 0.0);
    EXPECT_EQ(KivoDigitAnalyser::analyseDigits("-0.5", "2.25"), 2.0);
    EXPECT_EQ(KivoDigitAnalyser::analyseDigits("0.000123", "1"), 6.0);
    EXPECT_EQ(KivoDigitAnalyser::analyseDigits("1.5e-05", "1"), 0.0);
    EXPECT_EQ(KivoDigitAnalyser::analyseDigits("1", "1.5e-05"), 0.0);
    EXPECT_EQ(KivoDigitAnalyser::analyseDigits("inf", "nan"), 0.0);
}

} // namespace
