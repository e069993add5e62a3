#pragma once

#include "engine/Digit.h"
#include "engine/KivoMathOperation.h"
#include "engine/KivoStringOutput.h"
#include "engine/SolutionStep.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// A test that starts with an empty step collector and a cleared fraction flag, as the input screen
// leaves them before a calculation.
class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        KivoStringOutput::shared()->solutionSteps.clear();
        KivoStringOutput::shared()->solutionStepCounter = 0;
        KivoMathOperation::shared()->withFraction = false;
    }

    static std::vector<SolutionStep>& collectedSteps() { return KivoStringOutput::shared()->solutionSteps; }
};

// A term with natural constants above and below the fraction bar.
inline Digit termWithConstants(double z, double n, std::vector<NaturalConstant> above,
                               std::vector<NaturalConstant> below = {}) {
    Digit term(z, n);
    term.zConstants = std::move(above);
    term.nConstants = std::move(below);
    return term;
}

// A term with a variable above the bar, and one below when named.
inline Digit termWithVariables(double z, double n, const std::string& above, double abovePower,
                               const std::string& below = "", double belowPower = 0) {
    Digit term(z, n);
    term.zVariable = above;
    term.powerOfZVariable = abovePower;
    term.nVariable = below;
    term.powerOfNVariable = belowPower;
    return term;
}

using ExpectedSteps = std::vector<std::pair<std::string, std::string>>;

// Compares step by step, so that a failure names the first differing step.
inline void expectSteps(const std::vector<SolutionStep>& steps, const ExpectedSteps& expected) {
    ASSERT_EQ(steps.size(), expected.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i + 1));
        EXPECT_EQ(steps[i].size(), 2u);
        EXPECT_EQ(steps[i].at("title"), expected[i].first);
        EXPECT_EQ(steps[i].at("latexString"), expected[i].second);
    }
}
