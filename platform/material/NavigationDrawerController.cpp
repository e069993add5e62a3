#include "platform/material/NavigationDrawerController.h"

#include "platform/material/EnclosingController.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIView.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr CGFloat dimmedAlpha = 0.5;
// A touch that moves less than this is a tap.
constexpr CGFloat tapSlop = 6;
// A swipe at least this fast (points per second) closes the side wherever it ends.
constexpr CGFloat flickSpeed = 300;
constexpr double shortestSlide = 0.1;

} // namespace

NavigationDrawerController::NavigationDrawerController() = default;

NavigationDrawerController::NavigationDrawerController(std::shared_ptr<UIViewController> rootViewController,
                                                       std::shared_ptr<UIViewController> leftViewController)
    : TransitionController(std::move(rootViewController)),
      leftViewController_(std::move(leftViewController)) {}

NavigationDrawerController::NavigationDrawerController(std::string nibName)
    : TransitionController(std::move(nibName)) {}

NavigationDrawerController::NavigationDrawerController(const NSCoder& coder)
    : TransitionController(coder), leftView_(std::make_shared<UIView>()),
      dimmingView_(std::make_shared<UIView>()) {}

void NavigationDrawerController::prepare() {
    TransitionController::prepare();
    dimmingView_->setBackgroundColor(UIColor::blackColor());
    dimmingView_->setAlpha(0);
    dimmingView_->setHidden(true);
    leftView_->setHidden(true);
    leftView_->setClipsToBounds(true);
    view()->addSubview(dimmingView_);
    view()->addSubview(leftView_);
    layoutViews();
    if (leftViewController_) {
        auto self = std::static_pointer_cast<UIViewController>(shared_from_this());
        addChildViewController(leftViewController_);
        auto sideView = leftViewController_->view();
        sideView->setFrame(leftView_->bounds());
        sideView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        leftView_->addSubview(sideView);
        leftViewController_->didMoveToParentViewController(self);
    }
}

void NavigationDrawerController::layoutViews() {
    TransitionController::layoutViews();
    auto view = viewIfLoaded();
    if (!view) {
        return;
    }
    dimmingView_->setFrame(view->bounds());
    if (!pan_) {
        placeLeftView(opened_ ? leftViewWidth : 0);
    }
}

void NavigationDrawerController::placeLeftView(CGFloat rightEdge) {
    auto view = viewIfLoaded();
    CGFloat height = view ? view->bounds().height() : 0;
    leftView_->setFrame({rightEdge - leftViewWidth, 0, leftViewWidth, height});
    dimmingView_->setAlpha(dimmedAlpha * rightEdge / leftViewWidth);
}

template <typename Call> void NavigationDrawerController::tellDelegate(Call call) {
    if (auto delegate = delegate_.lock()) {
        call(*delegate);
    }
}

void NavigationDrawerController::openLeftView(CGFloat velocity) {
    if (opened_ || !leftViewController_) {
        return;
    }
    loadViewIfNeeded();
    opened_ = true;
    tellDelegate([this](auto& delegate) { delegate.navigationDrawerControllerWillOpen(*this); });
    setStatusBarHidden(true);
    slideLeftView(true, velocity);
}

void NavigationDrawerController::closeLeftView(CGFloat velocity) {
    if (!opened_) {
        return;
    }
    opened_ = false;
    tellDelegate([this](auto& delegate) { delegate.navigationDrawerControllerWillClose(*this); });
    setStatusBarHidden(false);
    slideLeftView(false, velocity);
}

void NavigationDrawerController::toggleLeftView(CGFloat velocity) {
    if (opened_) {
        closeLeftView(velocity);
    } else {
        openLeftView(velocity);
    }
}

void NavigationDrawerController::slideLeftView(bool open, CGFloat velocity) {
    CGFloat target = open ? leftViewWidth : 0;
    CGFloat distance = std::abs(target - leftView_->frame().origin.x - leftViewWidth);
    double duration = velocity > 0 ? std::clamp<double>(distance / velocity, shortestSlide, animationDuration)
                                   : animationDuration;
    std::uint64_t generation = ++slideGeneration_;
    leftView_->setHidden(false);
    dimmingView_->setHidden(false);
    std::weak_ptr<NavigationDrawerController> weakSelf =
        std::static_pointer_cast<NavigationDrawerController>(shared_from_this());
    UIView::animateWithDuration(
        duration, 0, UIViewAnimationOptionBeginFromCurrentState | UIViewAnimationOptionCurveEaseOut,
        [this, target] { placeLeftView(target); },
        [weakSelf, generation, open](bool) {
            auto self = weakSelf.lock();
            // A later slide has taken over; it reports its own end.
            if (!self || generation != self->slideGeneration_) {
                return;
            }
            if (open) {
                self->tellDelegate(
                    [&](auto& delegate) { delegate.navigationDrawerControllerDidOpen(*self); });
            } else {
                self->leftView_->setHidden(true);
                self->dimmingView_->setHidden(true);
                self->tellDelegate(
                    [&](auto& delegate) { delegate.navigationDrawerControllerDidClose(*self); });
            }
        });
}

void NavigationDrawerController::setStatusBarHidden(bool hidden) {
    if (statusBarHidden_ == hidden) {
        return;
    }
    statusBarHidden_ = hidden;
    tellDelegate(
        [&](auto& delegate) { delegate.navigationDrawerControllerStatusBarHiddenState(*this, hidden); });
}

bool NavigationDrawerController::touchBelongsToDrawer(const UITouch& touch) const {
    auto view = touch.view();
    return opened_ && view && (view == dimmingView_ || view->isDescendantOfView(leftView_.get()));
}

void NavigationDrawerController::touchesBegan(UITouch& touch) {
    if (!touchBelongsToDrawer(touch)) {
        TransitionController::touchesBegan(touch);
        return;
    }
    CGPoint p = touch.locationInView(viewIfLoaded().get());
    pan_ = Pan{p, leftView_->frame().origin.x + leftViewWidth, Clock::current()->now(), p.x, 0, false};
}

void NavigationDrawerController::touchesMoved(UITouch& touch) {
    if (!pan_) {
        TransitionController::touchesMoved(touch);
        return;
    }
    CGPoint p = touch.locationInView(viewIfLoaded().get());
    CGFloat dx = p.x - pan_->start.x;
    if (!pan_->moved && std::abs(dx) < tapSlop) {
        return;
    }
    if (!pan_->moved) {
        pan_->moved = true;
        tellDelegate(
            [&](auto& delegate) { delegate.navigationDrawerControllerDidBeginPanAt(*this, pan_->start); });
    }
    auto now = Clock::current()->now();
    double dt = Clock::secondsBetween(pan_->lastTime, now);
    if (dt > 0) {
        pan_->velocity = (p.x - pan_->lastX) / dt;
    }
    pan_->lastTime = now;
    pan_->lastX = p.x;
    placeLeftView(std::clamp<CGFloat>(pan_->startX + dx, 0, leftViewWidth));
    tellDelegate([&](auto& delegate) { delegate.navigationDrawerControllerDidChangePanAt(*this, p); });
}

void NavigationDrawerController::touchesEnded(UITouch& touch) {
    if (!pan_) {
        TransitionController::touchesEnded(touch);
        return;
    }
    Pan pan = *pan_;
    pan_.reset();
    CGPoint p = touch.locationInView(viewIfLoaded().get());
    if (!pan.moved) {
        if (touch.view() == dimmingView_) {
            tellDelegate([&](auto& delegate) { delegate.navigationDrawerControllerDidTapAt(*this, p); });
            closeLeftView();
        }
        return;
    }
    tellDelegate([&](auto& delegate) { delegate.navigationDrawerControllerDidEndPanAt(*this, p); });
    CGFloat edge = leftView_->frame().origin.x + leftViewWidth;
    if (pan.velocity <= -flickSpeed || (pan.velocity < flickSpeed && edge < leftViewWidth / 2)) {
        closeLeftView(std::abs(pan.velocity));
    } else {
        slideLeftView(true, std::abs(pan.velocity));
    }
}

void NavigationDrawerController::touchesCancelled(UITouch& touch) {
    if (!pan_) {
        TransitionController::touchesCancelled(touch);
        return;
    }
    pan_.reset();
    slideLeftView(opened_, 0);
}

std::shared_ptr<NavigationDrawerController> navigationDrawerController(const UIViewController& controller) {
    return enclosingController<NavigationDrawerController>(controller);
}
