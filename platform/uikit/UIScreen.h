#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/graphics/UIEdgeInsets.h"

#include <memory>

// The phone's screen: 390 × 844 points at scale 3 unless configured otherwise (tests, hosts).
class UIScreen {
  public:
    static std::shared_ptr<UIScreen> mainScreen();

    CGRect bounds() const { return {0, 0, size_.width, size_.height}; }
    CGFloat scale() const { return scale_; }
    // The edges a window covering the screen keeps clear (status bar, home indicator).
    UIEdgeInsets safeAreaInsets() const { return safeArea_; }

    // Also tells the image contexts the new scale.
    void configure(CGSize size, CGFloat scale, UIEdgeInsets safeAreaInsets);
    // Back to the phone.
    void reset();

  private:
    CGSize size_{390, 844};
    CGFloat scale_ = 3;
    UIEdgeInsets safeArea_{47, 0, 34, 0};
};
