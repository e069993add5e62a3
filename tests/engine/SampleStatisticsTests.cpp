#include "EngineTestEnvironment.h"

#include "engine/KivoOmbrel.h"

namespace {

class SampleStatistics : public EngineTest {
  protected:
    std::vector<SolutionStep> stepsFor(const std::vector<std::int64_t>& values) {
        KivoOmbrel().sampleStatisticsSteps(values);
        return collectedSteps();
    }
};

TEST_F(SampleStatistics, WorkedExampleWritesAllTwentyThreeSteps) {
    expectSteps(
        stepsFor({4, 5, 3, 7, 4}),
        {
            {"Sample Size", "n = 5"},
            {"", ""},
            {"Mean", "\\bar{x} = \\frac{1}{n} \\cdot \\sum_{i=1}^{n} x_i"},
            {"Insert", "= \\frac{1}{5} \\cdot \\sum_{i=1}^{5} x_i"},
            {"", "= \\frac{1}{5} \\cdot (x_1 +x_2 +x_3 +x_4 +x_5 )"},
            {"", "= \\frac{1}{5} \\cdot (4 +5 +3 +7 +4 )"},
            {"Calculate", "= \\frac{1}{5} \\cdot (23)"},
            {"", "= \\frac{1}{5} \\cdot 23"},
            {"Result", "\\bar{x} = 4.6"},
            {"", ""},
            {"Empirical Variance", "s^2 = \\frac{1}{n - 1} \\cdot \\sum_{i=1}^{n} (x_i - \\bar{x})^2"},
            {"Insert", "= \\frac{1}{5 - 1} \\cdot \\sum_{i=1}^{5} (x_i - 4.6)^2"},
            {"", "= \\frac{1}{5 - 1} \\cdot ((x_1 - 4.6)^2 +(x_2 - 4.6)^2 +(x_3 - 4.6)^2 +(x_4 - 4.6)^2 "
                 "+(x_5 - 4.6)^2 )"},
            {"", "= \\frac{1}{5 - 1} \\cdot ((4 - 4.6)^2 +(5 - 4.6)^2 +(3 - 4.6)^2 +(7 - 4.6)^2 "
                 "+(4 - 4.6)^2 )"},
            {"Calculate", "=\\frac{1}{4} \\cdot ((-0.6)^2 +(0.4)^2 +(-1.6)^2 +(2.4)^2 +(-0.6)^2 )"},
            {"", "=\\frac{1}{4} \\cdot (0.36 +0.16 +2.56 +5.76 +0.36 )"},
            {"", "= \\frac{1}{4} \\cdot (9.2)"},
            {"", "= \\frac{1}{4} \\cdot 9.2"},
            {"Result", "s^2 = 2.3"},
            {"", ""},
            {"Standard deviation",
             "s = \\sqrt{ \\frac{1}{n - 1} \\cdot \\sum_{i=1}^{n} (x_i - \\bar{x})^2 }"},
            {"Insert", "= \\sqrt{ 2.3 }"},
            {"Result", "s \\approx 1.51658"},
        });
}

TEST_F(SampleStatistics, EqualValuesGiveExactZeroSpread) {
    const std::vector<SolutionStep> steps = stepsFor({2, 2, 2});
    EXPECT_EQ(steps[14].at("latexString"), "=\\frac{1}{2} \\cdot ((0)^2 +(0)^2 +(0)^2 )");
    EXPECT_EQ(steps[18].at("latexString"), "s^2 = 0");
    EXPECT_EQ(steps[21].at("latexString"), "= \\sqrt{ 0 }");
    EXPECT_EQ(steps[22].at("latexString"), "s = 0");
}

TEST_F(SampleStatistics, AnInexactMeanMakesEveryLaterSignApproximate) {
    const std::vector<SolutionStep> steps = stepsFor({3, 3, 4});
    EXPECT_EQ(steps[8].at("latexString"), "\\bar{x} \\approx 3.33333");
    EXPECT_EQ(steps[11].at("latexString"), "= \\frac{1}{3 - 1} \\cdot \\sum_{i=1}^{3} (x_i - 3.33333)^2");
    EXPECT_EQ(steps[14].at("latexString"),
              "\\approx\\frac{1}{2} \\cdot ((-0.33333)^2 +(-0.33333)^2 +(0.66667)^2 )");
    EXPECT_EQ(steps[15].at("latexString"), "\\approx\\frac{1}{2} \\cdot (0.11111 +0.11111 +0.44444 )");
    EXPECT_EQ(steps[16].at("latexString"), "\\approx \\frac{1}{2} \\cdot (0.66667)");
    EXPECT_EQ(steps[18].at("latexString"), "s^2 \\approx 0.33333");
    EXPECT_EQ(steps[21].at("latexString"), "\\approx \\sqrt{ 0.33333 }");
    EXPECT_EQ(steps[22].at("latexString"), "s \\approx 0.57735");
}

TEST_F(SampleStatistics, NegativeValuesStandInParenthesesExceptInsideSquares) {
    const std::vector<SolutionStep> steps = stepsFor({-3, 1});
    EXPECT_EQ(steps[5].at("latexString"), "= \\frac{1}{2} \\cdot ((-3) +1 )");
    EXPECT_EQ(steps[6].at("latexString"), "= \\frac{1}{2} \\cdot ((-2))");
    EXPECT_EQ(steps[8].at("latexString"), "\\bar{x} = (-1)");
    EXPECT_EQ(steps[13].at("latexString"), "= \\frac{1}{2 - 1} \\cdot (((-3) - (-1))^2 +(1 - (-1))^2 )");
    EXPECT_EQ(steps[14].at("latexString"), "=\\frac{1}{1} \\cdot ((-2)^2 +(2)^2 )");
    EXPECT_EQ(steps[22].at("latexString"), "s \\approx 2.82843");
}

TEST_F(SampleStatistics, LargeFiniteResultsAreWrittenInFull) {
    struct Case {
        std::vector<std::int64_t> values;
        std::vector<std::pair<std::size_t, std::string>> steps; // (index, latexString)
    };
    const std::vector<Case> cases{
        {{5000000, 1000000},
         {{15, "=\\frac{1}{1} \\cdot (4000000000000 +4000000000000 )"},
          {18, "s^2 = 8000000000000"},
          {22, "s \\approx 2828427.12475"}}},
        {{9223372036854774784, -9223372036854774784},
         {{5, "= \\frac{1}{2} \\cdot (9223372036854775000 +(-9223372036854775000) )"},
          {22, "s \\approx 13043817825332781000"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values.front());
        collectedSteps().clear();
        const std::vector<SolutionStep> steps = stepsFor(c.values);
        ASSERT_EQ(steps.size(), 23u);
        for (const auto& [index, latex] : c.steps)
            EXPECT_EQ(steps[index].at("latexString"), latex) << "step " << index + 1;
        for (const SolutionStep& step : steps)
            EXPECT_EQ(step.at("latexString").find("infty"), std::string::npos) << step.at("latexString");
    }
}

TEST_F(SampleStatistics, ASumBeyondSixtyFourBitsWritesNothing) {
    EXPECT_TRUE(stepsFor({INT64_MAX, 1}).empty());
    EXPECT_EQ(KivoOmbrel::checkedSum({INT64_MAX, -1, 1}), INT64_MAX);
    EXPECT_EQ(KivoOmbrel::checkedSum({INT64_MIN, -1}), std::nullopt);
}

} // namespace
