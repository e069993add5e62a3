#include "EngineTestEnvironment.h"

#include "engine/DeviationRounding.h"
#include "engine/KivoOmbrel.h"

namespace {

class RandomVariable : public EngineTest {
  protected:
    // The statistics steps the calculator writes for typed rows (after its parser's steps and the echo).
    std::vector<SolutionStep> stepsFor(const std::vector<KivoOmbrel::Row>& rows) {
        collectedSteps().clear();
        const CalculatorResult result = KivoOmbrel().readEventsAndProbabilities(rows, 1);
        if (!result.solutionSteps || result.solutionSteps->size() < 21) {
            ADD_FAILURE() << result.error.value_or("too few steps");
            return {};
        }
        return {result.solutionSteps->end() - 21, result.solutionSteps->end()};
    }
};

TEST_F(RandomVariable, WorkedExampleWritesAllTwentyOneSteps) {
    expectSteps(
        stepsFor({{"4", "0.3"}, {"5", "0.25"}, {"3", "0.4"}, {"7", "0.04"}, {"4", "0.01"}}),
        {
            {"Sample Size", "n = 5"},
            {"", ""},
            {"Expected value", "E(X) = \\sum_{i=1}^{n} x_i \\cdot P(X = x_i)"},
            {"Insert", "= \\sum_{i=1}^{5} x_i \\cdot P(X = x_i)"},
            {"", "= x_1 \\cdot P(X = x_1) +x_2 \\cdot P(X = x_2) +x_3 \\cdot P(X = x_3) "
                 "+x_4 \\cdot P(X = x_4) +x_5 \\cdot P(X = x_5) "},
            {"", "= 4 \\cdot 0.3 +5 \\cdot 0.25 +3 \\cdot 0.4 +7 \\cdot 0.04 +4 \\cdot 0.01 "},
            {"Calculate", "=1.2 +1.25 +1.2 +0.28 +0.04 "},
            {"Result", "E(X) = 3.97"},
            {"", ""},
            {"Variance", "\\sigma^2 = \\sum_{i=1}^{n} (x_i - E(X))^2 \\cdot P(X=x_i)"},
            {"Insert", "= \\sum_{i=1}^{5} (x_i - 3.97)^2 \\cdot P(X=x_i)"},
            {"", "= (x_1 - 3.97)^2 \\cdot P(X=x_1) +(x_2 - 3.97)^2 \\cdot P(X=x_2) "
                 "+(x_3 - 3.97)^2 \\cdot P(X=x_3) +(x_4 - 3.97)^2 \\cdot P(X=x_4) "
                 "+(x_5 - 3.97)^2 \\cdot P(X=x_5) "},
            {"", "= (4 - 3.97)^2 \\cdot 0.3 +(5 - 3.97)^2 \\cdot 0.25 +(3 - 3.97)^2 \\cdot 0.4 "
                 "+(7 - 3.97)^2 \\cdot 0.04 +(4 - 3.97)^2 \\cdot 0.01 "},
            {"Calculate", "=(0.03)^2 \\cdot 0.3 +(1.03)^2 \\cdot 0.25 +(-0.97)^2 \\cdot 0.4 "
                          "+(3.03)^2 \\cdot 0.04 +(0.03)^2 \\cdot 0.01 "},
            {"", "=0.0009 \\cdot 0.3 +1.0609 \\cdot 0.25 +0.9409 \\cdot 0.4 +9.1809 \\cdot 0.04 "
                 "+0.0009 \\cdot 0.01 "},
            // r_2 = 0.265225 exactly, rounded half away from zero.
            {"", "\\approx0.00027 +0.26523 +0.37636 +0.36724 +0.00001 "},
            {"", "\\sigma^2 \\approx 1.0091"},
            {"", ""},
            {"Standard deviation", "\\sigma = \\sqrt{ \\sum_{i=1}^{n} (x_i - E(X))^2 \\cdot P(X=x_i) }"},
            {"Insert", "\\approx \\sqrt{ 1.0091 }"},
            {"Result", "\\sigma \\approx 1.00454"},
        });
}

// A certain row (no spread), a zero probability, negative values, an inexact product that turns every later
// sign approximate, numbers exact where doubles lose digits, exact deviations from an E(X) with a long
// unreduced denominator, and a table with π that keeps the doubles.
TEST_F(RandomVariable, StepsOfTables) {
    const ExactNumber::Integer twoTo4100 = ExactNumber::Integer(1) << 4100;
    const std::string longFraction =
        ExactNumber::Integer(999 * twoTo4100).str() + "/" + ExactNumber::Integer(1000 * twoTo4100).str();
    struct Case {
        std::vector<KivoOmbrel::Row> rows;
        std::vector<std::pair<std::size_t, std::string>> steps; // (index, latexString)
    };
    const std::vector<Case> cases{
        {{{"7", "1"}},
         {{6, "=7 "},
          {7, "E(X) = 7"},
          {13, "=(0)^2 \\cdot 1 "},
          {15, "=0 "},
          {16, "\\sigma^2 = 0"},
          {20, "\\sigma = 0"}}},
        {{{"-2", "0.5"}, {"4", "0.5"}, {"9", "0"}},
         {{5, "= (-2) \\cdot 0.5 +4 \\cdot 0.5 +9 \\cdot 0 "},
          {6, "=-1 +2 +0 "},
          {7, "E(X) = 1"},
          {12, "= ((-2) - 1)^2 \\cdot 0.5 +(4 - 1)^2 \\cdot 0.5 +(9 - 1)^2 \\cdot 0 "},
          {13, "=(-3)^2 \\cdot 0.5 +(3)^2 \\cdot 0.5 +(8)^2 \\cdot 0 "},
          {15, "=4.5 +4.5 +0 "},
          {20, "\\sigma = 3"}}},
        {{{"1", "1/3"}, {"2", "1/3"}, {"3", "1/3"}},
         {{5, "= 1 \\cdot 0.3333333333 +2 \\cdot 0.3333333333 +3 \\cdot 0.3333333333 "},
          {6, "\\approx0.33333 +0.66667 +1 "},
          {7, "E(X) \\approx 2"},
          {13, "\\approx(-1)^2 \\cdot 0.3333333333 +(0)^2 \\cdot 0.3333333333 +(1)^2 \\cdot 0.3333333333 "},
          {16, "\\sigma^2 \\approx 0.66667"}}},
        {{{"-317384", "0.9"}, {"-247024", "0.1"}},
         {{7, "E(X) = (-310348)"},
          {14, "=49505296 \\cdot 0.9 +4009928976 \\cdot 0.1 "},
          {16, "\\sigma^2 = 445547664"},
          {20, "\\sigma = 21108"}}},
        {{{"393221", "0.7"}, {"1", "0.3"}}, {{7, "E(X) = 275255"}}},
        // The shown 0.09 and 0.3 are not the exact results.
        {{{"1", "0.1000000001"}, {"2", "0.8999999999"}},
         {{16, "\\sigma^2 \\approx 0.09"}, {20, "\\sigma \\approx 0.3"}}},
        // A probability shown from its typed digits, rounded half to even at ten places, "0" below 10^-10.
        {{{"1", "0.87654321094999999"}, {"0", "0.12345678905000001"}},
         {{5, "= 1 \\cdot 0.8765432109 +0 \\cdot 0.1234567891 "}}},
        {{{"1", "0.00000000006"}, {"0", "0.99999999994"}}, {{5, "= 1 \\cdot 0 +0 \\cdot 0.9999999999 "}}},
        {{{"1", "0.001"}, {"0", longFraction}},
         {{7, "E(X) = 0.001"},
          {13, "=(0.999)^2 \\cdot 0.001 +(-0.001)^2 \\cdot 0.999 "},
          {14, "\\approx0.998 \\cdot 0.001 +0 \\cdot 0.999 "}}},
        {{{"0", "1/\u03c0"}, {"1", "0.1"}, {"1", "0.2"}, {"0", "0.3816901138162093"}}, {{7, "E(X) = 0.3"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows.front().first + " " + c.rows.front().second);
        const std::vector<SolutionStep> steps = stepsFor(c.rows);
        ASSERT_EQ(steps.size(), 21u);
        for (const auto& [index, latex] : c.steps)
            EXPECT_EQ(steps[index].at("latexString"), latex) << "step " << index + 1;
    }
}

// With probabilities over hundreds of different primes, the rows are rounded from bounds on E(X): they
// must round as the exact numbers do, for values near E(X) and far from it, and with a probability of 0.
// So must the rows of a long unreduced denominator whose E(X) has five decimals, or a half at the sixth.
TEST(DeviationRounding, LongDenominatorsRoundAsExactNumbers) {
    std::vector<ExactNumber::Integer> primes;
    for (std::int64_t candidate = 10001; primes.size() < 400; ++candidate) {
        bool prime = true;
        for (std::int64_t divisor = 2; divisor * divisor <= candidate && prime; ++divisor)
            prime = candidate % divisor != 0;
        if (prime)
            primes.emplace_back(candidate);
    }
    std::vector<ExactNumber> products;
    for (std::size_t i = 0; i < primes.size(); ++i)
        products.emplace_back(static_cast<std::int64_t>(i * i % 1000) - 300, primes[i]);
    const ExactNumber::Integer twoTo4100 = ExactNumber::Integer(1) << 4100;
    for (const ExactNumber& E : {ExactNumber::sum(products), ExactNumber(twoTo4100, 1000 * twoTo4100),
                                 ExactNumber(-3 * twoTo4100, 200000 * twoTo4100)}) {
        const DeviationRounding rounding(E);
        for (std::int64_t x : {-9007199254740992LL, -301LL, -1LL, 0LL, 1LL, 2LL, 997LL, 9007199254740992LL}) {
            for (const ExactNumber& p : {ExactNumber(0), ExactNumber(1, primes[7]), ExactNumber(3, 4)}) {
                SCOPED_TRACE(x);
                const ExactNumber d = ExactNumber(x) - E;
                const ExactNumber q = d * d;
                const DeviationRounding::Row row = rounding.row(x, p);
                for (const auto& [shown, exact] :
                     {std::pair{row.deviation, d.roundedHalfAwayFromZero(5)},
                      std::pair{row.square, q.roundedHalfAwayFromZero(5)},
                      std::pair{row.weightedSquare, (q * p).roundedHalfAwayFromZero(5)}}) {
                    EXPECT_EQ(shown.scaled, exact.scaled);
                    EXPECT_EQ(shown.isExact, exact.isExact);
                }
            }
        }
    }
}

} // namespace
