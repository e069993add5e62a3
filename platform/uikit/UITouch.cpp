#include "platform/uikit/UITouch.h"

#include "platform/uikit/UIWindow.h"

UITouch::UITouch(const std::shared_ptr<UIWindow>& window, const std::shared_ptr<UIView>& view,
                 CGPoint location)
    : window_(window), view_(view), start_(location), location_(location), previous_(location) {}

CGPoint UITouch::locationInView(const UIView* view) const {
    auto window = window_.lock();
    if (!view || !window) {
        return location_;
    }
    return view->convertPointFromView(location_, window.get());
}

CGPoint UITouch::previousLocationInView(const UIView* view) const {
    auto window = window_.lock();
    if (!view || !window) {
        return previous_;
    }
    return view->convertPointFromView(previous_, window.get());
}

void UITouch::update(UITouchPhase phase, CGPoint location) {
    phase_ = phase;
    previous_ = location_;
    location_ = location;
}
