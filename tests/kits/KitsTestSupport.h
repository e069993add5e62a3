#pragma once

#include "platform/uikit/UIViewController.h"
#include "tests/uikit/UIKitTestSupport.h"

#include <memory>

// A plain page shown as the root of a visible window, on the manual clock of the toolkit's tests.
class KitsTest : public UIKitTest {
  protected:
    void SetUp() override {
        UIKitTest::SetUp();
        window = makeWindow();
        window->setRootViewController(root);
        settle();
    }

    void TearDown() override {
        window.reset();
        UIKitTest::TearDown();
    }

    void settle() {
        runLoopTurn();
        window->layoutIfNeeded();
    }

    std::shared_ptr<UIViewController> root = std::make_shared<UIViewController>();
    std::shared_ptr<UIWindow> window;
};
