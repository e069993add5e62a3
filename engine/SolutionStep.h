#pragma once

#include <map>
#include <string>

// One step of a worked solution: "title" (a heading or empty) and "latexString". Both empty: a separator.
using SolutionStep = std::map<std::string, std::string>;

inline SolutionStep makeSolutionStep(std::string title, std::string latexString) {
    // Emplaced, not listed: a list's elements are copied, and a step of a long table is long.
    SolutionStep step;
    step.emplace("title", std::move(title));
    step.emplace("latexString", std::move(latexString));
    return step;
}
