#pragma once

#include "platform/foundation/Clock.h"
#include "platform/material/NavigationDrawerControllerDelegate.h"
#include "platform/material/TransitionController.h"

#include <cstdint>
#include <memory>
#include <optional>

// A root view controller with a side view controller that slides in over it from the left. While
// the side is open the root is dimmed; a tap on the dimmed root, or a swipe to the left, closes
// the side. Opening and closing animate; a velocity (points per second) shortens the animation.
class NavigationDrawerController : public TransitionController {
  public:
    static constexpr CGFloat leftViewWidth = 280;
    static constexpr double animationDuration = 0.25;

    NavigationDrawerController();
    NavigationDrawerController(std::shared_ptr<UIViewController> rootViewController,
                               std::shared_ptr<UIViewController> leftViewController);
    explicit NavigationDrawerController(std::string nibName);
    explicit NavigationDrawerController(const NSCoder& coder);

    const std::shared_ptr<UIViewController>& leftViewController() const { return leftViewController_; }
    // The view that carries the left view controller's view.
    const std::shared_ptr<UIView>& leftView() const { return leftView_; }
    // True from the start of an opening until the start of a closing.
    bool isLeftViewOpened() const { return opened_; }
    bool isStatusBarHidden() const { return statusBarHidden_; }

    std::weak_ptr<NavigationDrawerControllerDelegate> delegate() const { return delegate_; }
    void setDelegate(std::weak_ptr<NavigationDrawerControllerDelegate> delegate) {
        delegate_ = std::move(delegate);
    }

    void openLeftView(CGFloat velocity = 0);
    void closeLeftView(CGFloat velocity = 0);
    void toggleLeftView(CGFloat velocity = 0);

    void prepare() override;

    // Touches that reach the drawer from the dimmed root or the side view.
    void touchesBegan(UITouch& touch) override;
    void touchesMoved(UITouch& touch) override;
    void touchesEnded(UITouch& touch) override;
    void touchesCancelled(UITouch& touch) override;

  protected:
    void layoutViews() override;

  private:
    struct Pan {
        CGPoint start;
        CGFloat startX = 0;
        Clock::TimePoint lastTime;
        CGFloat lastX = 0;
        CGFloat velocity = 0;
        bool moved = false;
    };

    void slideLeftView(bool open, CGFloat velocity);
    // Places the side view with its right edge at x from the view's left edge.
    void placeLeftView(CGFloat rightEdge);
    void setStatusBarHidden(bool hidden);
    bool touchBelongsToDrawer(const UITouch& touch) const;
    template <typename Call> void tellDelegate(Call call);

    std::shared_ptr<UIViewController> leftViewController_;
    std::shared_ptr<UIView> leftView_ = std::make_shared<UIView>();
    std::shared_ptr<UIView> dimmingView_ = std::make_shared<UIView>();
    std::weak_ptr<NavigationDrawerControllerDelegate> delegate_;
    bool opened_ = false;
    bool statusBarHidden_ = false;
    std::uint64_t slideGeneration_ = 0;
    std::optional<Pan> pan_;
};

// The nearest navigation drawer among the controller and its ancestors.
std::shared_ptr<NavigationDrawerController> navigationDrawerController(const UIViewController& controller);
