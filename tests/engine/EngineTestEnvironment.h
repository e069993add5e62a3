#pragma once

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
