#include "EngineTestEnvironment.h"

#include "engine/KivoInputManager.h"

namespace {

class InputParser : public EngineTest {
  protected:
    // The stochastics calculator's way of calling the parser.
    ProcessedInputs process(const std::vector<std::string>& texts) {
        std::vector<std::string> ids;
        for (std::size_t i = 0; i < texts.size(); ++i)
            ids.push_back("field" + std::to_string(i));
        collectedSteps().clear();
        return parser.processInputs(texts, {}, ids, {}, false, true, false, FormatMode::formula, "", "", 0,
                                    true, {});
    }

    const Digit& term(const ProcessedInputs& result, std::size_t index) {
        return *result.allInputs->at(index);
    }

    static std::vector<std::optional<double>> numerators(const ProcessedInputs& result) {
        std::vector<std::optional<double>> z;
        for (const auto& input : *result.allInputs)
            z.push_back(input->z);
        return z;
    }

    void expectError(const std::string& text, const std::string& error) {
        SCOPED_TRACE(text);
        const ProcessedInputs result = process({"1", text});
        EXPECT_EQ(result.error, error);
        EXPECT_EQ(result.errorFieldIds, std::vector<std::string>{"field1"});
        EXPECT_FALSE(result.allInputs.has_value());
        EXPECT_FALSE(result.solutionSteps.has_value());
    }

    // Formula mode without an echo, as the family's calculators with optional fields call the parser.
    ProcessedInputs processFields(const std::vector<std::string>& texts,
                                  const std::vector<std::int64_t>& tags, const std::vector<std::string>& ids,
                                  int emptyAllowed, const std::vector<std::string>& required) {
        return parser.processInputs(texts, tags, ids, {}, false, true, false, FormatMode::formula, "", "",
                                    emptyAllowed, false, required);
    }

    KivoInputManager parser;
};

TEST_F(InputParser, PlainNumbersParenthesesAndDecimalsStayWithoutAnyFraction) {
    const ProcessedInputs result = process({"(3)", "-2.5", ".5", "+4", "7.", "0.25"});
    ASSERT_FALSE(result.error);
    EXPECT_EQ(numerators(result), (std::vector<std::optional<double>>{3, -2.5, 0.5, 4, 7, 0.25}));
    EXPECT_EQ(term(result, 0).n, 1.0);
    EXPECT_EQ(term(result, 1).n, 1.0);
    EXPECT_FALSE(result.isWithFraction);
    EXPECT_FALSE(KivoMathOperation::shared()->withFraction);
    EXPECT_TRUE(result.solutionSteps->empty());
}

TEST_F(InputParser, MalformedNumbersAndFractions) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases{
        {"inputParameterError", {"3/4/5", "-", "2,5", " 2", "2 ", " ", "1.2.3", "()"}},
        {"fractionIncomplete", {"3/", "/3"}},
        {"inputZeroInDenominator", {"3/0", "3/-0"}},
        {"toManyNaturalConstantsInSubstring", {"\u03c0\u03c0", "e\u03c0"}},
        {"naturalConstantInWrongPositionOfSubstring", {"\u03c02", "1e5", "x2"}},
        {"toManyVariablesInSubstring", {"xy", "inf"}},
    };
    for (const auto& [error, texts] : cases)
        for (const std::string& text : texts)
            expectError(text, error);
}

TEST_F(InputParser, ConstantsAndVariablesAndAFractionWithAConstant) {
    const ProcessedInputs result = process({"\u03c0", "-\u03c0", "2e", "x", "-3\u00e4"});
    ASSERT_FALSE(result.error);
    EXPECT_EQ(numerators(result), (std::vector<std::optional<double>>{1, -1, 2, 1, -3}));
    EXPECT_EQ(term(result, 0).zConstants, std::vector<NaturalConstant>{NaturalConstant::pi});
    EXPECT_EQ(term(result, 2).zConstants, std::vector<NaturalConstant>{NaturalConstant::e});
    EXPECT_EQ(term(result, 3).zVariable, "x");
    EXPECT_EQ(term(result, 3).powerOfZVariable, 1.0);
    EXPECT_EQ(term(result, 4).zVariable, "\u00e4");
    EXPECT_EQ(term(result, 0).powerOfZVariable, 0.0);

    // 2π over 4 reduces to π over 2.
    const ProcessedInputs fraction = process({"2\u03c0/4"});
    ASSERT_FALSE(fraction.error);
    ASSERT_EQ(fraction.solutionSteps->size(), 1u);
    EXPECT_EQ(term(fraction, 0).z, 1.0);
    EXPECT_EQ(term(fraction, 0).n, 2.0);
    EXPECT_EQ(term(fraction, 0).zConstants, std::vector<NaturalConstant>{NaturalConstant::pi});
    EXPECT_EQ(fraction.solutionSteps->at(0).at("latexString"),
              "\\frac{2\\pi}{4}= \\frac{2\\pi : 2}{4 : 2} =  \\frac{\\pi}{2}");
}

TEST_F(InputParser, MinimumCountRequiredFieldsAndTags) {
    ProcessedInputs enough = processFields({"", "2", ""}, {}, {"a", "b", "c"}, 1, {});
    ASSERT_FALSE(enough.error);
    EXPECT_FALSE(enough.allInputs->at(0)->z.has_value());

    ProcessedInputs required = processFields({"", "2", ""}, {}, {"a", "b", "c"}, 0, {"c"});
    EXPECT_EQ(required.errorFieldIds, std::vector<std::string>{"c"});

    ProcessedInputs tagged = processFields({"", "2", "x2"}, {10, 11, 12}, {}, 0, {"10"});
    EXPECT_EQ(tagged.errorFieldTags, std::vector<std::int64_t>{10});
    ProcessedInputs badTag = processFields({"", "2", "x2"}, {10, 11, 12}, {}, 1, {});
    EXPECT_EQ(badTag.error, "naturalConstantInWrongPositionOfSubstring");
    EXPECT_EQ(badTag.errorFieldTags, std::vector<std::int64_t>{12});
    EXPECT_EQ(badTag.errorFieldIds, std::vector<std::string>{"12"});
}

TEST_F(InputParser, OneFractionExpandsAndCancelsEveryField) {
    const ProcessedInputs result = process({"0.3", "0.25", "1/2"});
    ASSERT_FALSE(result.error);
    EXPECT_TRUE(result.isWithFraction);
    EXPECT_TRUE(parser.isAnyNumberChanged);
    EXPECT_TRUE(KivoMathOperation::shared()->withFraction);
    expectSteps(*result.solutionSteps,
                {
                    {"Expand", "0.3 = \\frac{0.3 \\cdot 10}{1 \\cdot 10} = \\frac{3}{10}"},
                    {"", "0.25 = \\frac{0.25 \\cdot 100}{1 \\cdot 100} = \\frac{25}{100}"},
                    {"Cancel", "\\frac{25}{100}= \\frac{25 : 25}{100 : 25} =  \\frac{1}{4}"},
                });
    EXPECT_EQ(result.solutionSteps, collectedSteps());
    EXPECT_EQ(process({"0.3", "0.25", "1/2"}).solutionSteps, result.solutionSteps) << "a reused parser";
}

TEST_F(InputParser, ExpansionKeepsTheDigitsAsTyped) {
    struct Case {
        std::string text;
        std::string scale; // empty: neither expanded nor cancelled
        std::string expanded;
        double z; // the term once expanded and cancelled
        double n;
    };
    const std::vector<Case> cases{
        // 0.57 times 100 is 56.99999999999999 in binary; the expansion must not cancel that by 4.
        {"0.57", "100", "57", 57, 100},
        {"0.2222225", "10000000", "2222225", 88889, 400000},
        {"0.000125", "1000000", "125", 1, 8000},
        {"1234567.5", "10", "12345675", 2469135, 2},
        {"0.123456789012345", "1000000000000000", "123456789012345", 24691357802469, 200000000000000},
        // Beyond ten fraction digits on both sides.
        {"0.49999999999", "100000000000", "49999999999", 49999999999, 100000000000},
        {"0.00000000001", "100000000000", "1", 1, 100000000000},
        // More digits than a double holds exactly: left as it is.
        {"0.1234567890123456", "", "", 0.1234567890123456, 1},
        {"0.1000000000000000001/2", "", "", 0.1, 2},
        {"99999999.99999999", "", "", 99999999.99999999, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ProcessedInputs result = process({c.text, "1/2"});
        ASSERT_FALSE(result.error);
        if (c.scale.empty())
            EXPECT_TRUE(result.solutionSteps->empty());
        else
            EXPECT_EQ(result.solutionSteps->at(0),
                      makeSolutionStep("Expand", c.text + " = \\frac{" + c.text + " \\cdot " + c.scale +
                                                     "}{1 \\cdot " + c.scale + "} = \\frac{" + c.expanded +
                                                     "}{" + c.scale + "}"));
        EXPECT_EQ(term(result, 0).z, c.z);
        EXPECT_EQ(term(result, 0).n, c.n);
    }
}

TEST_F(InputParser, ExpandAndCancelShowTheExactNumbersOrNoStep) {
    struct Case {
        std::vector<std::string> texts;
        ExpectedSteps steps;
        double z; // the first term once rewritten
        double n;
    };
    const std::vector<Case> cases{
        // Typed numbers beyond 2^53: their shortest decimals are not the numbers typed.
        {{"10000000000000002/2", "0"}, {}, 10000000000000002, 2},
        {{"9007199254740991000/1000"}, {}, 9007199254740991000.0, 1000},
        {{"-18014398509481982/-2"}, {}, 18014398509481982, 2},
        // A quotient below 10^-10 is not 0.
        {{"2/40000000000", "0.99999999995"},
         {{"Expand", "0.99999999995 = \\frac{0.99999999995 \\cdot 100000000000}{1 \\cdot 100000000000} = "
                     "\\frac{99999999995}{100000000000}"},
          {"Cancel", "\\frac{2}{40000000000}= \\frac{2 : 2}{40000000000 : 2} =  \\frac{1}{20000000000}"},
          {"", "\\frac{99999999995}{100000000000}= \\frac{99999999995 : 5}{100000000000 : 5} =  "
               "\\frac{19999999999}{20000000000}"}},
         1,
         20000000000},
        {{"0.1234567890123456/2"},
         {{"Cancel", "\\frac{0.1234567890123456}{2}= \\frac{0.1234567890123456 : 2}{2 : 2} =  "
                     "0.0617283945061728"}},
         0.0617283945061728,
         1},
        // Its double divided by 3 is 1.0000000000000002, not the exact third.
        {{"3.0000000000000004/3"}, {}, 3.0000000000000004, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texts.front());
        const ProcessedInputs result = process(c.texts);
        ASSERT_FALSE(result.error);
        expectSteps(*result.solutionSteps, c.steps);
        EXPECT_EQ(term(result, 0).z, c.z);
        EXPECT_EQ(term(result, 0).n, c.n);
    }
}

TEST_F(InputParser, NegativeDenominatorMovesItsSignWithoutAStepAndNegativeZeroKeepsIt) {
    const ProcessedInputs result = process({"1/-2", "1/0.0625"});
    ASSERT_FALSE(result.error);
    ASSERT_EQ(result.solutionSteps->size(), 2u) << "an expansion and a cancellation, nothing for the sign";
    EXPECT_EQ(result.solutionSteps->at(0).at("latexString"),
              "\\frac{1}{0.0625} = \\frac{1 \\cdot 10000}{0.0625 \\cdot 10000} = \\frac{10000}{625}");
    EXPECT_EQ(term(result, 1).z, 16.0);
    EXPECT_EQ(term(result, 0).z, -1.0);
    EXPECT_EQ(term(result, 0).n, 2.0);
    EXPECT_TRUE(parser.isAnyNumberChanged);

    // Negative zero keeps its sign where shown unrounded.
    const ProcessedInputs zero = process({"-0/5"});
    ASSERT_FALSE(zero.error);
    expectSteps(*zero.solutionSteps, {{"Cancel", "\\frac{-0}{5}= \\frac{0 : 5}{5 : 5} =  0"}});
}

TEST_F(InputParser, EchoStepsWithInputFormat) {
    ProcessedInputs result = parser.processInputs({"0.5", "3/6"}, {}, {"a", "b"}, {"a = %0, b = %1"}, true,
                                                  true, false, FormatMode::formula, "", "", 0, true, {});
    ASSERT_FALSE(result.error);
    expectSteps(*result.solutionSteps,
                {
                    {"Your Input", "a = 0.5, b = \\frac{3}{6}"},
                    {"Expand", "0.5 = \\frac{0.5 \\cdot 10}{1 \\cdot 10} = \\frac{5}{10}"},
                    {"Cancel", "\\frac{5}{10}= \\frac{5 : 5}{10 : 5} =  \\frac{1}{2}"},
                    {"", "\\frac{3}{6}= \\frac{3 : 3}{6 : 3} =  \\frac{1}{2}"},
                    {"Modified Input", "a = \\frac{1}{2}, b = \\frac{1}{2}"},
                });
}

TEST_F(InputParser, VariablesModeNamesSymbolsAndTheirUnits) {
    ProcessedInputs result =
        parser.processInputs({"0.5", "2"}, {}, {"h", "q"}, {"h = %0", "q = %0"}, true, true, true,
                             FormatMode::variables, "Triangles", "Isosceles triangle", 0, true, {});
    ASSERT_FALSE(result.error);
    EXPECT_EQ(parser.inputFormat, (std::vector<std::string>{"h_c = %0", "q = %0"}));
    ASSERT_EQ(parser.inputSymbols.size(), 2u);
    EXPECT_EQ(parser.inputSymbols[0].name, "Height");
    EXPECT_EQ(parser.inputSymbols[1].unit, "");
    expectSteps(*result.solutionSteps,
                {
                    {"Your Input", "h_c = 0.5 m = \\frac{0.5 \\cdot 10}{1 \\cdot 10} = \\frac{5}{10} m"},
                    {"", "q = 2 \n"},
                    {"Cancel", "\\frac{5}{10}= \\frac{5 : 5}{10 : 5} =  \\frac{1}{2}"},
                });
}

} // namespace
