#pragma once

#include "engine/KivoOmbrel.h"
#include "engine/KivoStringOutput.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace workedExample {

// The steps the calculator gives for the worked examples (values 4, 5, 3, 7, 4; probabilities 0.3, 0.25,
// 0.4, 0.04, 0.01) as the step cell hands them to the label, that is after the display post-processor.
inline std::vector<std::string> calculatedSteps() {
    const auto output = KivoStringOutput::shared();
    KivoOmbrel calculator;
    calculator.sampleStatisticsSteps({4, 5, 3, 7, 4});
    calculator.randomVariableStatisticsSteps({{4, 0.3}, {5, 0.25}, {3, 0.4}, {7, 0.04}, {4, 0.01}});
    std::vector<std::string> steps;
    for (const SolutionStep& step : output->solutionSteps)
        steps.push_back(KivoStringOutput::beautifyLatex(step.at("latexString")));
    output->solutionSteps.clear();
    output->solutionStepCounter = 0;
    return steps;
}

// The input rewriting steps for the fields 1/2 and 0.25, and the input echoes as the history shows them.
inline constexpr std::array<std::string_view, 5> inputSteps = {
    R"(0.25 = \frac{0.25 \cdot 100}{1 \cdot 100} = \frac{25}{100})",
    R"(\frac{25}{100}= \frac{25 : 25}{100 : 25} = \frac{1}{4})",
    R"(x_i = [4;5;3;7;4])",
    R"(x_i = [4;5;3;7;4] \\ P\left(X = x_i\right) = [0.3;0.25;0.4;0.04;0.01])",
    R"(\text{The sum of all probabilities must be 1.})",
};

// The labels of the distribution-function view for the value 0.75.
inline constexpr std::array<std::string_view, 8> distributionFunctionLabels = {
    R"(F(X) = )",       R"(0;)", R"(0.75;)", R"(1;)", R"(\quad x<0)", R"(\quad 0 \le x < 1)",
    R"(\quad 1 \le x)", R"(\{)",
};

} // namespace workedExample
