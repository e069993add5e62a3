#pragma once

#include "engine/SolutionStep.h"

#include <optional>
#include <string>
#include <vector>

// Either (error, errorIdArray) when the input is rejected, or (solutionSteps, inputLatexString).
struct CalculatorResult {
    std::optional<std::string> error;
    std::optional<std::vector<std::string>> errorIdArray;
    std::optional<std::vector<SolutionStep>> solutionSteps;
    std::optional<std::string> inputLatexString;
};
