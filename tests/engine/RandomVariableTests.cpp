#include "EngineTestEnvironment.h"

#include "engine/KivoOmbrel.h"
#include "engine/TypedNumber.h"

namespace {

class RandomVariable : public EngineTest {
  protected:
    // Rows of values and typed probabilities.
    std::vector<SolutionStep> stepsFor(const std::vector<std::pair<std::int64_t, std::string>>& typedRows) {
        std::vector<EventRow> rows;
        for (const auto& [value, probability] : typedRows) {
            const ExactNumber p = *typedNumber(probability);
            rows.push_back(
                {value, p.numerator().convert_to<double>() / p.denominator().convert_to<double>(), p});
        }
        KivoOmbrel().randomVariableStatisticsSteps(rows);
        return collectedSteps();
    }
};

TEST_F(RandomVariable, WorkedExampleWritesAllTwentyOneSteps) {
    expectSteps(
        stepsFor({{4, "0.3"}, {5, "0.25"}, {3, "0.4"}, {7, "0.04"}, {4, "0.01"}}),
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

TEST_F(RandomVariable, OneCertainRowHasNoSpread) {
    const std::vector<SolutionStep> steps = stepsFor({{7, "1"}});
    ASSERT_EQ(steps.size(), 21u);
    EXPECT_EQ(steps[6].at("latexString"), "=7 ");
    EXPECT_EQ(steps[7].at("latexString"), "E(X) = 7");
    EXPECT_EQ(steps[13].at("latexString"), "=(0)^2 \\cdot 1 ");
    EXPECT_EQ(steps[15].at("latexString"), "=0 ");
    EXPECT_EQ(steps[16].at("latexString"), "\\sigma^2 = 0");
    EXPECT_EQ(steps[20].at("latexString"), "\\sigma = 0");
}

TEST_F(RandomVariable, ZeroProbabilityAndNegativeValues) {
    const std::vector<SolutionStep> steps = stepsFor({{-2, "0.5"}, {4, "0.5"}, {9, "0"}});
    EXPECT_EQ(steps[5].at("latexString"), "= (-2) \\cdot 0.5 +4 \\cdot 0.5 +9 \\cdot 0 ");
    EXPECT_EQ(steps[6].at("latexString"), "=-1 +2 +0 ");
    EXPECT_EQ(steps[7].at("latexString"), "E(X) = 1");
    EXPECT_EQ(steps[12].at("latexString"),
              "= ((-2) - 1)^2 \\cdot 0.5 +(4 - 1)^2 \\cdot 0.5 +(9 - 1)^2 \\cdot 0 ");
    EXPECT_EQ(steps[13].at("latexString"), "=(-3)^2 \\cdot 0.5 +(3)^2 \\cdot 0.5 +(8)^2 \\cdot 0 ");
    EXPECT_EQ(steps[15].at("latexString"), "=4.5 +4.5 +0 ");
    EXPECT_EQ(steps[20].at("latexString"), "\\sigma = 3");
}

TEST_F(RandomVariable, AnInexactProductTurnsEveryLaterSignApproximate) {
    const std::vector<SolutionStep> steps = stepsFor({{1, "1/3"}, {2, "1/3"}, {3, "1/3"}});
    EXPECT_EQ(steps[5].at("latexString"),
              "= 1 \\cdot 0.3333333333 +2 \\cdot 0.3333333333 +3 \\cdot 0.3333333333 ");
    EXPECT_EQ(steps[6].at("latexString"), "\\approx0.33333 +0.66667 +1 ");
    EXPECT_EQ(steps[7].at("latexString"), "E(X) \\approx 2");
    EXPECT_EQ(steps[13].at("latexString"),
              "\\approx(-1)^2 \\cdot 0.3333333333 +(0)^2 \\cdot 0.3333333333 +(1)^2 \\cdot 0.3333333333 ");
    EXPECT_EQ(steps[16].at("latexString"), "\\sigma^2 \\approx 0.66667");
}

} // namespace
