#include "EngineTestEnvironment.h"

#include "engine/KivoOmbrel.h"

namespace {

class Calculator : public EngineTest {
  protected:
    CalculatorResult calculate(const std::vector<KivoOmbrel::Row>& rows, std::int64_t mode) {
        return KivoOmbrel().readEventsAndProbabilities(rows, mode);
    }

    static void expectRejected(const CalculatorResult& result, const std::string& error,
                               const std::vector<std::string>& fields) {
        EXPECT_EQ(result.error, error);
        EXPECT_EQ(result.errorIdArray, fields);
        EXPECT_FALSE(result.solutionSteps.has_value());
        EXPECT_FALSE(result.inputLatexString.has_value());
    }
};

const std::vector<KivoOmbrel::Row> exampleRows{
    {"4", "0.3"}, {"5", "0.25"}, {"3", "0.4"}, {"7", "0.04"}, {"4", "0.01"}};

TEST_F(Calculator, SampleStatisticsEchoTheValuesOnly) {
    KivoMathOperation::shared()->withFraction = true;
    const CalculatorResult result = calculate(exampleRows, 0);
    ASSERT_FALSE(result.error);
    EXPECT_FALSE(KivoMathOperation::shared()->withFraction);
    EXPECT_EQ(result.inputLatexString, "x_i = [4;5;3;7;4] ");
    ASSERT_EQ(result.solutionSteps->size(), 24u);
    EXPECT_EQ(result.solutionSteps->at(0), makeSolutionStep("Your Input", "x_i = [4;5;3;7;4] "));
    EXPECT_EQ(result.solutionSteps->at(1), makeSolutionStep("Sample Size", "n = 5"));
    EXPECT_EQ(result.solutionSteps->back(), makeSolutionStep("Result", "s \\approx 1.51658"));
}

TEST_F(Calculator, RandomVariableEchoHoldsBothLists) {
    const CalculatorResult result = calculate(exampleRows, 1);
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.inputLatexString, "x_i = [4;5;3;7;4] \\\\ P(X = x_i) = [0.3;0.25;0.4;0.04;0.01]");
    ASSERT_EQ(result.solutionSteps->size(), 22u);
    EXPECT_EQ(result.solutionSteps->at(8), makeSolutionStep("Result", "E(X) = 3.97"));
    EXPECT_EQ(result.solutionSteps->back(), makeSolutionStep("Result", "\\sigma \\approx 1.00454"));
}

TEST_F(Calculator, TheProbabilitySumIsComparedExactly) {
    EXPECT_FALSE(calculate({{"1", "0.1"}, {"2", "0.2"}, {"3", "0.7"}}, 1).error);
    collectedSteps().clear();
    const CalculatorResult reversed = calculate({{"1", "0.7"}, {"2", "0.2"}, {"3", "0.1"}}, 1);
    expectRejected(reversed, "sumOfProbabilitiesMustBe1", {"probability0", "probability1", "probability2"});
    EXPECT_TRUE(collectedSteps().empty());
}

TEST_F(Calculator, ThirdsAsFractionsSumToOne) {
    const CalculatorResult result = calculate({{"1", "1/3"}, {"2", "1/3"}, {"3", "1/3"}}, 1);
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.solutionSteps->at(6).at("latexString"),
              "= 1 \\cdot 0.3333333333 +2 \\cdot 0.3333333333 +3 \\cdot 0.3333333333 ");
}

TEST_F(Calculator, ParserStepsComeFirst) {
    const CalculatorResult result = calculate({{"1", "1/2"}, {"2", "0.25"}, {"3", "0.25"}}, 1);
    ASSERT_FALSE(result.error);
    const std::vector<SolutionStep>& steps = *result.solutionSteps;
    ASSERT_EQ(steps.size(), 4u + 1u + 21u);
    expectSteps({steps.begin(), steps.begin() + 5},
                {
                    {"Expand", "0.25 = \\frac{0.25 \\cdot 100}{1 \\cdot 100} = \\frac{25}{100}"},
                    {"", "0.25 = \\frac{0.25 \\cdot 100}{1 \\cdot 100} = \\frac{25}{100}"},
                    {"Cancel", "\\frac{25}{100}= \\frac{25 : 25}{100 : 25} =  \\frac{1}{4}"},
                    {"", "\\frac{25}{100}= \\frac{25 : 25}{100 : 25} =  \\frac{1}{4}"},
                    {"Your Input", "x_i = [1;2;3] \\\\ P(X = x_i) = [1/2;0.25;0.25]"},
                });
    EXPECT_EQ(steps[10].at("latexString"), "= 1 \\cdot 0.5 +2 \\cdot 0.25 +3 \\cdot 0.25 ");
}

TEST_F(Calculator, ValuesAreTheWholePartOfTheParsedNumerator) {
    const CalculatorResult result = calculate({{"2.9", ""}, {"-2.9", ""}, {"7/2", ""}, {"6/4", ""}}, 0);
    ASSERT_FALSE(result.error);
    // Every field is read as a fraction: 2.9 becomes 29/10, 6/4 is cancelled to 3/2.
    const std::vector<SolutionStep>& steps = *result.solutionSteps;
    EXPECT_EQ(steps.back().at("title"), "Result");
    const auto values = std::find_if(steps.begin(), steps.end(), [](const SolutionStep& step) {
        return step.at("latexString").starts_with("= \\frac{1}{4} \\cdot (29");
    });
    ASSERT_NE(values, steps.end());
    EXPECT_EQ(values->at("latexString"), "= \\frac{1}{4} \\cdot (29 +(-29) +7 +3 )");
}

TEST_F(Calculator, ModeZeroNeverReadsProbabilities) {
    const CalculatorResult result = calculate({{"1", "nonsense"}, {"2", ""}}, 0);
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.inputLatexString, "x_i = [1;2] ");
}

TEST_F(Calculator, OtherModesEchoOnly) {
    const CalculatorResult result = calculate({{"1", "0.5"}}, 2);
    ASSERT_FALSE(result.error);
    expectSteps(*result.solutionSteps, {{"Your Input", "x_i = [1] "}});
}

TEST_F(Calculator, InputErrorsNameTheFaultyFields) {
    expectRejected(calculate({{"1", "0.5"}, {"", ""}}, 1), "notEnoughInputValues",
                   {"event1", "probability1"});
    expectRejected(calculate({}, 0), "notEnoughInputValues", {});
    expectRejected(calculate({{"1", "0.5"}, {"2", "1/0"}}, 1), "inputZeroInDenominator", {"probability1"});
    expectRejected(calculate({{"(", ""}}, 0), "inputParameterError", {"event0"});
    expectRejected(calculate({}, 1), "notEnoughInputValues", {});
}

TEST_F(Calculator, ValuesTheRowTableCannotHoldAreRefused) {
    const std::string huge(400, '9');
    expectRejected(calculate({{"1", ""}, {huge, ""}}, 0), "inputParameterError", {"event1"});
    expectRejected(calculate({{"9223372036854775808", ""}}, 0), "inputParameterError", {"event0"});
    // The largest double below 2^63, twice.
    expectRejected(calculate({{"9223372036854774784", ""}, {"9223372036854774784", ""}, {"-5", ""}}, 0),
                   "inputParameterError", {"event0", "event1", "event2"});
    EXPECT_TRUE(collectedSteps().empty());
    EXPECT_FALSE(calculate({{"-9223372036854774784", ""}, {"9223372036854774784", ""}}, 0).error);
}

TEST_F(Calculator, ElementsAtOddPositions) {
    EXPECT_EQ(KivoOmbrel::elementsAtOddPositions({"a", "b", "c", "d", "e"}),
              (std::vector<std::string>{"b", "d"}));
    EXPECT_TRUE(KivoOmbrel::elementsAtOddPositions({}).empty());
}

TEST_F(Calculator, ClassifyingIgnoresIdentifiersWithoutRowNumber) {
    KivoOmbrel calculator;
    std::vector<EventRow> rows;
    const Digit three(3);
    EXPECT_TRUE(calculator.classifyInputKeys(0, three, {"event"}, rows));
    EXPECT_TRUE(calculator.classifyInputKeys(0, three, {"eventx"}, rows));
    EXPECT_TRUE(rows.empty());
    EXPECT_TRUE(calculator.classifyInputKeys(0, three, {"event0"}, rows));
    EXPECT_TRUE(calculator.classifyInputKeys(0, Digit(1, 4), {"probability0"}, rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].value, 3);
    EXPECT_EQ(rows[0].probability, 0.25);
    EXPECT_FALSE(calculator.classifyInputKeys(0, Digit(), {"probability0"}, rows));
}

} // namespace
