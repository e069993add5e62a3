#pragma once

#include "engine/KivoOmbrel.h"
#include "engine/KivoStringOutput.h"

#include <functional>
#include <string>
#include <vector>

// The steps the calculator gives for the worked examples (values 4, 5, 3, 7, 4; probabilities 0.3, 0.25,
// 0.4, 0.04, 0.01) as the step cell hands them to the label, that is after the display post-processor.
namespace workedExample {

inline std::vector<std::string> steps(const std::function<void(KivoOmbrel&)>& calculate) {
    const auto output = KivoStringOutput::shared();
    KivoOmbrel calculator;
    calculate(calculator);
    std::vector<std::string> latex;
    for (const SolutionStep& step : output->solutionSteps)
        latex.push_back(KivoStringOutput::beautifyLatex(step.at("latexString")));
    output->solutionSteps.clear();
    output->solutionStepCounter = 0;
    return latex;
}

inline std::vector<std::string> sampleStatisticsSteps() {
    return steps([](KivoOmbrel& calculator) { calculator.sampleStatisticsSteps({4, 5, 3, 7, 4}); });
}

inline std::vector<std::string> randomVariableSteps() {
    return steps([](KivoOmbrel& calculator) {
        calculator.randomVariableStatisticsSteps({{4, 0.3, ExactNumber(3, 10)},
                                                  {5, 0.25, ExactNumber(1, 4)},
                                                  {3, 0.4, ExactNumber(2, 5)},
                                                  {7, 0.04, ExactNumber(1, 25)},
                                                  {4, 0.01, ExactNumber(1, 100)}});
    });
}

} // namespace workedExample
