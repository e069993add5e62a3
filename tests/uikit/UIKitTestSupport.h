#pragma once

#include "platform/foundation/Clock.h"
#include "platform/foundation/ManualClock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UITraitCollection.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"

#include <gtest/gtest.h>

#include <memory>

// Each test runs on its own manual clock with an empty main run loop, a phone screen and the
// light appearance.
class UIKitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RunLoop::main()->removeAllWork();
        clock = std::make_shared<ManualClock>();
        Clock::setCurrent(clock);
        UIScreen::mainScreen()->reset();
        UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::light));
    }

    void TearDown() override {
        RunLoop::main()->removeAllWork();
        Clock::setCurrent(nullptr);
    }

    // A visible key window covering the screen.
    std::shared_ptr<UIWindow> makeWindow() {
        auto window = std::make_shared<UIWindow>();
        window->makeKeyAndVisible();
        return window;
    }

    // Runs what the current run-loop turn has queued (layout passes, main-queue work).
    void runLoopTurn() { RunLoop::main()->runUntilIdle(); }

    std::shared_ptr<ManualClock> clock;
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
