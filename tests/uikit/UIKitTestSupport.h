#pragma once

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UITraitCollection.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"
#include "tests/support/ManualClockTest.h"

#include <gtest/gtest.h>

#include <memory>

// Each test runs on its own manual clock with an empty main run loop, a phone screen and the
// light appearance; show() puts a controller in a visible key window.
class UIKitTest : public ManualClockTest {
  protected:
    void SetUp() override {
        ManualClockTest::SetUp();
        UIScreen::mainScreen()->reset();
        UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::light));
    }

    void TearDown() override {
        window.reset();
        ManualClockTest::TearDown();
    }

    // A visible key window covering the screen.
    std::shared_ptr<UIWindow> makeWindow() {
        auto window = std::make_shared<UIWindow>();
        window->makeKeyAndVisible();
        return window;
    }

    // The controller as the root of a new window, shown once it is in place.
    void show(const std::shared_ptr<UIViewController>& controller) {
        window = std::make_shared<UIWindow>();
        window->setRootViewController(controller);
        window->makeKeyAndVisible();
        settle();
    }

    // Runs what the current run-loop turn has queued (layout passes, main-queue work).
    void runLoopTurn() { RunLoop::main()->runUntilIdle(); }

    // Runs due work and lays the window out.
    void settle() {
        runLoopTurn();
        if (window) {
            window->layoutIfNeeded();
        }
    }

    // Lets animations run to their end.
    void finishAnimations() {
        clock->advance(1.0);
        settle();
    }

    std::shared_ptr<UIWindow> window;
};

inline void PrintTo(const CGPoint& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ")";
}
inline void PrintTo(const CGSize& s, std::ostream* os) {
    *os << s.width << " x " << s.height;
}
inline void PrintTo(const CGRect& r, std::ostream* os) {
    *os << "(" << r.origin.x << ", " << r.origin.y << ", " << r.size.width << ", " << r.size.height << ")";
}
inline void PrintTo(const UIEdgeInsets& i, std::ostream* os) {
    *os << "{" << i.top << ", " << i.left << ", " << i.bottom << ", " << i.right << "}";
}
