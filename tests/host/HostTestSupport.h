#pragma once

#include "tests/support/TemporaryFolder.h"
#include "tests/uikit/UIKitTestSupport.h"

#include <memory>

// In-process tests: the platform tests' manual clock, empty run loop and phone screen, with a visible
// key window.
class HostTest : public UIKitTest {
  protected:
    void SetUp() override {
        UIKitTest::SetUp();
        window = makeWindow();
    }

    void TearDown() override {
        window.reset();
        UIKitTest::TearDown();
    }

    std::shared_ptr<UIWindow> window;
};
