#pragma once

#include "platform/foundation/Clock.h"
#include "platform/foundation/ManualClock.h"
#include "platform/foundation/RunLoop.h"

#include <gtest/gtest.h>

#include <memory>

// Each test runs on its own manual clock with an empty main run loop, and leaves neither behind.
class ManualClockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RunLoop::main()->removeAllWork();
        Clock::setCurrent(clock);
    }

    void TearDown() override {
        RunLoop::main()->removeAllWork();
        Clock::setCurrent(nullptr);
    }

    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
};
