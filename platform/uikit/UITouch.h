#pragma once

#include "platform/graphics/CGGeometry.h"

#include <memory>

class UIView;
class UIWindow;

enum class UITouchPhase { began, moved, stationary, ended, cancelled };

// One finger (or pointer) on the screen, from press to release. Locations are kept in the
// window's coordinates and converted on request.
class UITouch {
  public:
    UITouch(const std::shared_ptr<UIWindow>& window, const std::shared_ptr<UIView>& view, CGPoint location);

    UITouchPhase phase() const { return phase_; }
    std::shared_ptr<UIView> view() const { return view_.lock(); }
    std::shared_ptr<UIWindow> window() const { return window_.lock(); }
    // The location in the view's bounds space; the window's space when view is null.
    CGPoint locationInView(const UIView* view) const;
    CGPoint previousLocationInView(const UIView* view) const;
    CGPoint locationInWindow() const { return location_; }
    CGPoint startLocationInWindow() const { return start_; }

    // The window moves the touch along.
    void update(UITouchPhase phase, CGPoint location);

  private:
    std::weak_ptr<UIWindow> window_;
    std::weak_ptr<UIView> view_;
    UITouchPhase phase_ = UITouchPhase::began;
    CGPoint start_;
    CGPoint location_;
    CGPoint previous_;
};
