#pragma once

#include <map>
#include <string>

// One step of a worked solution: "title" (a heading or empty) and "latexString". Both empty: a separator.
using SolutionStep = std::map<std::string, std::string>;

inline SolutionStep makeSolutionStep(std::string title, std::string latexString) {
    return SolutionStep{{"title", std::move(title)}, {"latexString", std::move(latexString)}};
}
