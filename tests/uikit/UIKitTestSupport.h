#pragma once

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UITraitCollection.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"
#include "tests/support/ManualClockTest.h"

#include <gtest/gtest.h>

#include <memory>

// Each test runs on its own manual clock with an empty main run loop, a phone screen and the
// light appearance.
class UIKitTest : public ManualClockTest {
  protected:
    void SetUp() override {
        ManualClockTest::SetUp();
        UIScreen::mainScreen()->reset();
        UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::light));
    }

    // A visible key window covering the screen.
    std::shared_ptr<UIWindow> makeWindow() {
        auto window = std::make_shared<UIWindow>();
        window->makeKeyAndVisible();
        return window;
    }

    // Runs what the current run-loop turn has queued (layout passes, main-queue work).
    void runLoopTurn() { RunLoop::main()->runUntilIdle(); }
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
