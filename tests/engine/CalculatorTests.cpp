#include "EngineTestEnvironment.h"

#include "engine/KivoOmbrel.h"

namespace {

class Calculator : public EngineTest {
  protected:
    CalculatorResult calculate(const std::vector<KivoOmbrel::Row>& rows, std::int64_t mode) {
        collectedSteps().clear();
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

TEST_F(Calculator, ProbabilitiesAddUpToExactlyOneAsTypedInAnyOrder) {
    const std::vector<std::vector<std::string>> accepted{
        {"0.1", "0.2", "0.7"},
        {"0.7", "0.2", "0.1"},
        std::vector<std::string>(10, "0.1"),
        {"1/3", "0.5", "1/6"},
        {"1/3", "1/3", "1/3"},
        {"0.3333333333", "0.3333333333", "0.3333333334"},
        {"1/2", "0.1234565", "0.3765435"},
        {"0.000125", "1/8000", "0.99975"},
        {"0.0000000000000001", "0.4999999999999999", "0.5"},
        {"0", "1"},
        {"0.5000000000000005", "0.4999999999999995"},
        // A natural constant keeps the double sum.
        {"\u03c0/4", "0.21460183660255172"},
    };
    const std::vector<std::vector<std::string>> refused{
        {"0.3", "0.3", "0.3"},         {"0.3", "0.3", "0.4000000001"}, {"1/3", "1/3", "0.3333333333333333"},
        {"0.4999999999999999", "0.5"}, {"\u03c0/4", "0.25"},           {"1/" + std::string(400, '9'), "1"},
    };
    auto rowsOf = [](const std::vector<std::string>& probabilities) {
        std::vector<KivoOmbrel::Row> rows;
        for (const std::string& p : probabilities)
            rows.emplace_back(std::to_string(rows.size() + 1), p);
        return rows;
    };
    for (const auto& probabilities : accepted) {
        SCOPED_TRACE(testing::PrintToString(probabilities));
        EXPECT_FALSE(calculate(rowsOf(probabilities), 1).error);
    }
    for (const auto& probabilities : refused) {
        SCOPED_TRACE(testing::PrintToString(probabilities));
        std::vector<std::string> fields;
        for (std::size_t i = 0; i < probabilities.size(); ++i)
            fields.push_back("probability" + std::to_string(i));
        expectRejected(calculate(rowsOf(probabilities), 1), "sumOfProbabilitiesMustBe1", fields);
    }
}

TEST_F(Calculator, ParserStepsComeFirst) {
    const CalculatorResult result = calculate({{"1", "1/2"}, {"2", "0.2222225"}, {"3", "0.2777775"}}, 1);
    ASSERT_FALSE(result.error);
    const std::vector<SolutionStep>& steps = *result.solutionSteps;
    ASSERT_EQ(steps.size(), 4u + 1u + 21u);
    EXPECT_EQ(steps[0].at("title"), "Expand");
    EXPECT_EQ(steps[2].at("title"), "Cancel");
    EXPECT_EQ(steps[4],
              makeSolutionStep("Your Input", "x_i = [1;2;3] \\\\ P(X = x_i) = [1/2;0.2222225;0.2777775]"));
    // The statistics use the probabilities as typed.
    EXPECT_EQ(steps[10].at("latexString"), "= 1 \\cdot 0.5 +2 \\cdot 0.2222225 +3 \\cdot 0.2777775 ");
}

TEST_F(Calculator, ValuesAreWholeNumbers) {
    // The numbers as typed: whole numbers, shown as such.
    const CalculatorResult whole = calculate({{"4/2", ""},
                                              {"-6/-3", ""},
                                              {"2.0", ""},
                                              {"0/5", ""},
                                              {"0/" + std::string(400, '9'), ""},
                                              {"100000000000000000000/100000", ""},
                                              {"14/2", ""},
                                              {"007", ""},
                                              {"2\u03c0/\u03c0", ""}},
                                             0);
    ASSERT_FALSE(whole.error);
    const std::vector<SolutionStep>& steps = *whole.solutionSteps;
    EXPECT_EQ(steps[steps.size() - 23 + 5].at("latexString"),
              "= \\frac{1}{9} \\cdot (2 +2 +2 +0 +0 +1000000000000000 +7 +7 +2 )");

    for (const char* value :
         {"2.9", "0.5", "7/2", "6/4", "2\u03c0", "x", "3/x", "99999999999999999999\u03c0"}) {
        SCOPED_TRACE(value);
        expectRejected(calculate({{"1", "0.5"}, {value, "0.5"}}, 1), "valueMustBeWholeNumber", {"event1"});
    }
}

TEST_F(Calculator, ModeZeroNeverReadsProbabilitiesAndOtherModesEchoOnly) {
    KivoMathOperation::shared()->withFraction = true;
    const CalculatorResult result = calculate({{"1", "nonsense"}, {"2", ""}}, 0);
    ASSERT_FALSE(result.error);
    EXPECT_FALSE(KivoMathOperation::shared()->withFraction);
    EXPECT_EQ(result.inputLatexString, "x_i = [1;2] ");

    const CalculatorResult other = calculate({{"1", "0.5"}}, 2);
    ASSERT_FALSE(other.error);
    expectSteps(*other.solutionSteps, {{"Your Input", "x_i = [1] "}});
}

TEST_F(Calculator, RefusalsNameTheFaultyFieldsInTheOrderOfTheChecks) {
    struct Case {
        std::vector<KivoOmbrel::Row> rows;
        std::int64_t mode;
        std::string error;
        std::vector<std::string> fields;
    };
    const std::string huge(400, '9');
    const std::vector<Case> cases{
        {{{"1", "0.5"}, {"", ""}}, 1, "notEnoughInputValues", {"event1", "probability1"}},
        // Empty fields are reported before any field is parsed.
        {{{"", "1/0"}, {"x", ""}}, 1, "notEnoughInputValues", {"event0", "probability1"}},
        {{}, 0, "notEnoughInputValues", {}},
        {{}, 1, "notEnoughInputValues", {}},
        {{{"1", "0.5"}, {"2", "1/0"}}, 1, "inputZeroInDenominator", {"probability1"}},
        {{{"(", ""}}, 0, "inputParameterError", {"event0"}},
        // Values beyond ±2^53, however many digits.
        {{{"1", ""},
          {huge, ""},
          {"9007199254740993", ""},
          {"-9007199254740992", ""},
          {"10000000000000000000/10", ""},
          {"-9223372036854775809", ""}},
         0,
         "valueOutOfRange",
         {"event1", "event2", "event4", "event5"}},
        {{{huge, ""}, {"0.5", ""}}, 0, "valueMustBeWholeNumber", {"event1"}},
        {{{"2.9", ""}, {"3", ""}, {"7/2", ""}}, 0, "valueMustBeWholeNumber", {"event0", "event2"}},
        {{{"2.5", ""}}, 0, "valueMustBeWholeNumber", {"event0"}},
        {{{"5", ""}}, 0, "sampleNeedsTwoValues", {"event0"}},
        {{{"2.9", "x/2"}, {"1", "0.3"}}, 1, "valueMustBeWholeNumber", {"event0"}},
        // A probability with a letter is not a number.
        {{{"1", "x/2"}, {"2", "0.3x"}, {"3", "1.5"}},
         1,
         "inputParameterError",
         {"probability0", "probability1"}},
        {{{"1", "1.5"}, {"2", "0.2"}, {"3", "-0.5"}},
         1,
         "probabilityOutOfRange",
         {"probability0", "probability2"}},
        {{{"1", "-0.5"}, {"2", "0.5"}, {"3", "1"}}, 1, "probabilityOutOfRange", {"probability0"}},
        // Checked on the typed number, also beside π.
        {{{"1", "1.00000000000000001"}, {"2", "0\u03c0"}}, 1, "probabilityOutOfRange", {"probability0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error + " " + testing::PrintToString(c.fields));
        expectRejected(calculate(c.rows, c.mode), c.error, c.fields);
    }
    EXPECT_FALSE(calculate({{"-9007199254740992", ""}, {"9007199254740992", ""}}, 0).error);
}

} // namespace
