#pragma once

#include "tests/support/TemporaryFolder.h"
#include "tests/uikit/UIKitTestSupport.h"

// In-process tests: the platform tests' manual clock, empty run loop and phone screen, with a visible
// key window.
class HostTest : public UIKitTest {
  protected:
    void SetUp() override {
        UIKitTest::SetUp();
        window = makeWindow();
    }
};
