#pragma once

#include "platform/uikit/UIViewController.h"
#include "tests/uikit/UIKitTestSupport.h"

#include <memory>

// A plain page shown as the root of a visible window.
class KitsTest : public UIKitTest {
  protected:
    void SetUp() override {
        UIKitTest::SetUp();
        show(root);
    }

    std::shared_ptr<UIViewController> root = std::make_shared<UIViewController>();
};
