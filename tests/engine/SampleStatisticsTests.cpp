#include "EngineTestEnvironment.h"

#include "engine/KivoOmbrel.h"

namespace {

class SampleStatistics : public EngineTest {
  protected:
    std::vector<SolutionStep> stepsFor(const std::vector<std::int64_t>& values) {
        collectedSteps().clear();
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

// Equal values give an exact zero spread; an inexact mean makes every later sign approximate;
// negative values stand in parentheses except inside squares; large finite results are written in full.
TEST_F(SampleStatistics, SpreadSignsParenthesesAndLargeResults) {
    struct Case {
        std::vector<std::int64_t> values;
        std::vector<std::pair<std::size_t, std::string>> steps; // (index, latexString)
    };
    const std::vector<Case> cases{
        {{2, 2, 2},
         {{14, "=\\frac{1}{2} \\cdot ((0)^2 +(0)^2 +(0)^2 )"},
          {18, "s^2 = 0"},
          {21, "= \\sqrt{ 0 }"},
          {22, "s = 0"}}},
        {{3, 3, 4},
         {{8, "\\bar{x} \\approx 3.33333"},
          {11, "= \\frac{1}{3 - 1} \\cdot \\sum_{i=1}^{3} (x_i - 3.33333)^2"},
          {14, "\\approx\\frac{1}{2} \\cdot ((-0.33333)^2 +(-0.33333)^2 +(0.66667)^2 )"},
          {15, "\\approx\\frac{1}{2} \\cdot (0.11111 +0.11111 +0.44444 )"},
          {16, "\\approx \\frac{1}{2} \\cdot (0.66667)"},
          {18, "s^2 \\approx 0.33333"},
          {21, "\\approx \\sqrt{ 0.33333 }"},
          {22, "s \\approx 0.57735"}}},
        {{-3, 1},
         {{5, "= \\frac{1}{2} \\cdot ((-3) +1 )"},
          {6, "= \\frac{1}{2} \\cdot ((-2))"},
          {8, "\\bar{x} = (-1)"},
          {13, "= \\frac{1}{2 - 1} \\cdot (((-3) - (-1))^2 +(1 - (-1))^2 )"},
          {14, "=\\frac{1}{1} \\cdot ((-2)^2 +(2)^2 )"},
          {22, "s \\approx 2.82843"}}},
        {{5000000, 1000000},
         {{15, "=\\frac{1}{1} \\cdot (4000000000000 +4000000000000 )"},
          {18, "s^2 = 8000000000000"},
          {22, "s \\approx 2828427.12475"}}},
        // Exact where doubles lose digits; a half at the fifth place rounds away from zero.
        {{1000000000000001, 1000000000000002, 1000000000000004},
         {{18, "s^2 \\approx 2.33333"}, {22, "s \\approx 1.52753"}}},
        {{9007199254740980, 9007199254740987, 9007199254740983},
         {{8, "\\bar{x} \\approx 9007199254740983.33333"}, {18, "s^2 \\approx 12.33333"}}},
        {{4503599627370497, 4503599627370496}, {{8, "\\bar{x} = 4503599627370496.5"}}},
        // Exact deviations whose squares are not: only the squares' step says "\\approx".
        {{0, 0, 0, 0, 0, 0, 0, 1},
         {{14, "=\\frac{1}{7} \\cdot ((-0.125)^2 +(-0.125)^2 +(-0.125)^2 +(-0.125)^2 +(-0.125)^2 +(-0.125)^2 "
               "+(-0.125)^2 +(0.875)^2 )"},
          {15, "\\approx\\frac{1}{7} \\cdot (0.01563 +0.01563 +0.01563 +0.01563 +0.01563 +0.01563 +0.01563 "
               "+0.76563 )"}}},
        // s is irrational.
        {{0, 7888}, {{18, "s^2 = 31110272"}, {22, "s \\approx 5577.65829"}}},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
         {{4, "= \\frac{1}{11} \\cdot (x_1 +x_2 +x_3 +x_4 +x_5 +x_6 +x_7 +x_8 +x_9 +x_{10} +x_{11} )"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values.front());
        const std::vector<SolutionStep> steps = stepsFor(c.values);
        ASSERT_EQ(steps.size(), 23u);
        for (const auto& [index, latex] : c.steps)
            EXPECT_EQ(steps[index].at("latexString"), latex) << "step " << index + 1;
        for (const SolutionStep& step : steps)
            EXPECT_EQ(step.at("latexString").find("infty"), std::string::npos) << step.at("latexString");
    }
}

} // namespace
