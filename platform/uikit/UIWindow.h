#pragma once

#include "platform/foundation/RunLoop.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIView.h"

#include <memory>

class UIImage;
class UIScrollView;
class UITouch;
class UIViewController;
class UIWindowScene;

// The root of a view tree shown on the screen. It holds the root view controller's view and the
// views of presented controllers, keeps the first responder, runs the layout pass at the end of
// every run-loop turn in which something asked for layout, and takes the touches a host
// delivers. A new window belongs to the application's window scene and is hidden until
// makeKeyAndVisible.
class UIWindow : public UIView {
  public:
    // Covers the main screen.
    UIWindow();
    explicit UIWindow(const CGRect& frame);
    ~UIWindow() override;

    std::shared_ptr<UIViewController> rootViewController() const { return rootViewController_; }
    // The controller's view fills the window; appearance calls follow when the window is visible.
    void setRootViewController(std::shared_ptr<UIViewController> controller);
    void makeKeyAndVisible();
    void makeKeyWindow();
    bool isKeyWindow() const;
    void setHidden(bool hidden) override;
    std::shared_ptr<UIWindowScene> windowScene() const;
    // The screen's unsafe edges that this window's frame reaches.
    UIEdgeInsets windowSafeAreaInsets() const;

    std::shared_ptr<UIResponder> firstResponder() const { return firstResponder_.lock(); }
    // Records the responder; responders call it from becomeFirstResponder and resignFirstResponder.
    void setFirstResponder(const std::shared_ptr<UIResponder>& responder) { firstResponder_ = responder; }
    std::shared_ptr<UIResponder> nextResponder() const override;

    // Touch delivery for hosts and tests, in window coordinates. A press goes to the view hit at
    // that point; a drag beyond a few points inside a scroll view cancels the touch (no tap, no row
    // selected) and scrolls when the scroll view can follow it.
    void sendTouchBegan(CGPoint location);
    void sendTouchMoved(CGPoint location);
    void sendTouchEnded(CGPoint location);
    void sendTouchCancelled();
    // A press and release at one point.
    void tapAtPoint(CGPoint location);
    // Wheel or trackpad scrolling of the innermost scroll view under the point that can move that
    // way; delta is added to its content offset.
    void sendScroll(CGPoint location, CGVector delta);
    // Multiplies the zoom scale of the innermost zoomable scroll view under the point.
    void sendZoom(CGPoint location, CGFloat factor);

    // The window as drawn now, at the given scale (0: the screen's).
    std::shared_ptr<UIImage> renderImage(CGFloat scale = 0);

  private:
    friend class UIView;
    friend class UIViewController;

    void scheduleLayoutPass();
    void finishTouch(UITouchPhase phase, CGPoint location);
    void viewWillLeaveWindow(UIView& view);
    std::shared_ptr<UIScrollView> scrollViewToDrag(CGVector movement) const;
    // The touched view is a scroll view, or lies in one, that may take the touch from it.
    bool isInScrollingView() const;

    std::weak_ptr<UIWindowScene> scene_;
    std::shared_ptr<UIViewController> rootViewController_;
    std::weak_ptr<UIResponder> firstResponder_;
    bool layoutScheduled_ = false;

    std::shared_ptr<UITouch> touch_;
    std::shared_ptr<UIView> touchView_;
    std::shared_ptr<UIScrollView> draggedScrollView_;
};
