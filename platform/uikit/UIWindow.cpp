#include "platform/uikit/UIWindow.h"

#include "platform/graphics/LayerTreeRenderer.h"
#include "platform/graphics/UIGraphicsImageRenderer.h"
#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindowScene.h"

#include <cmath>

namespace {

// How far a press may wander before it counts as a drag.
constexpr CGFloat touchSlop = 10;

} // namespace

UIWindow::UIWindow() : UIWindow(UIScreen::mainScreen()->bounds()) {}

UIWindow::UIWindow(const CGRect& frame) : UIView(frame) {
    UIView::setHidden(true);
    auto scene = UIApplication::sharedApplication()->mainWindowScene();
    scene->windowCreated(this);
    scene_ = scene;
}

UIWindow::~UIWindow() {
    // The scene may be gone already when the application itself is torn down.
    if (auto scene = scene_.lock()) {
        scene->windowDestroyed(this);
    }
}

void UIWindow::setRootViewController(std::shared_ptr<UIViewController> controller) {
    if (controller == rootViewController_) {
        return;
    }
    bool visible = !isHidden();
    if (auto old = rootViewController_) {
        if (visible) {
            old->beginAppearanceTransition(false, false);
        }
        if (old->isViewLoaded() && old->view()->superview().get() == this) {
            old->view()->removeFromSuperview();
        }
        if (visible) {
            old->endAppearanceTransition();
        }
    }
    rootViewController_ = std::move(controller);
    if (!rootViewController_) {
        return;
    }
    auto view = rootViewController_->view();
    view->setFrame(bounds());
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    if (visible) {
        rootViewController_->beginAppearanceTransition(true, false);
    }
    insertSubviewAtIndex(view, 0);
    if (visible) {
        rootViewController_->endAppearanceTransition();
    }
}

void UIWindow::makeKeyAndVisible() {
    makeKeyWindow();
    setHidden(false);
}

void UIWindow::makeKeyWindow() {
    UIApplication::sharedApplication()->mainWindowScene()->setKeyWindow(this);
}

bool UIWindow::isKeyWindow() const {
    return UIApplication::sharedApplication()->mainWindowScene()->keyWindow().get() == this;
}

void UIWindow::setHidden(bool hidden) {
    if (hidden == isHidden()) {
        return;
    }
    auto root = rootViewController_;
    if (root) {
        root->beginAppearanceTransition(!hidden, false);
    }
    UIView::setHidden(hidden);
    if (root) {
        root->endAppearanceTransition();
    }
    if (!hidden) {
        scheduleLayoutPass();
    }
}

std::shared_ptr<UIWindowScene> UIWindow::windowScene() const {
    return scene_.lock();
}

UIEdgeInsets UIWindow::windowSafeAreaInsets() const {
    auto screen = UIScreen::mainScreen();
    UIEdgeInsets unsafe = screen->safeAreaInsets();
    CGRect s = screen->bounds();
    CGRect f = frame();
    auto reach = [](CGFloat value) { return std::max<CGFloat>(value, 0); };
    return {reach(s.minY() + unsafe.top - f.minY()), reach(s.minX() + unsafe.left - f.minX()),
            reach(f.maxY() - (s.maxY() - unsafe.bottom)), reach(f.maxX() - (s.maxX() - unsafe.right))};
}

std::shared_ptr<UIResponder> UIWindow::nextResponder() const {
    return UIApplication::sharedApplication();
}

void UIWindow::scheduleLayoutPass() {
    auto runLoop = RunLoop::main();
    // Pending work dropped wholesale (between tests) takes the scheduled pass with it.
    if (layoutScheduled_ && runLoop->pendingCount() > 0) {
        return;
    }
    layoutScheduled_ = true;
    std::weak_ptr<UIResponder> weakSelf = weak_from_this();
    runLoop->perform([weakSelf] {
        if (auto self = std::static_pointer_cast<UIWindow>(weakSelf.lock())) {
            self->layoutScheduled_ = false;
            self->layoutIfNeeded();
        }
    });
}

void UIWindow::viewWillLeaveWindow(UIView& view) {
    auto responder = firstResponder();
    auto* responderView = dynamic_cast<UIView*>(responder.get());
    if (responderView && responderView->isDescendantOfView(&view)) {
        if (!responder->resignFirstResponder()) {
            firstResponder_.reset();
        }
    }
    if (touchView_ && touchView_->isDescendantOfView(&view)) {
        sendTouchCancelled();
    }
}

// Touches.

void UIWindow::sendTouchBegan(CGPoint location) {
    if (touch_) {
        sendTouchCancelled();
    }
    // Touches land on what is shown, so pending layout comes first.
    layoutIfNeeded();
    auto hit = hitTest(location);
    if (!hit) {
        return;
    }
    touchView_ = hit;
    touch_ = std::make_shared<UITouch>(std::static_pointer_cast<UIWindow>(shared_from_this()), hit, location);
    hit->touchesBegan(*touch_);
}

std::shared_ptr<UIScrollView> UIWindow::scrollViewToDrag(CGVector movement) const {
    bool horizontal = std::abs(movement.dx) > std::abs(movement.dy);
    for (auto view = touchView_; view; view = view->superview()) {
        auto scroll = std::dynamic_pointer_cast<UIScrollView>(view);
        if (!scroll || !scroll->isScrollEnabled() || !scroll->touchesShouldCancelInContentView(touchView_)) {
            continue;
        }
        if (horizontal ? scroll->canScrollHorizontally() : scroll->canScrollVertically()) {
            return scroll;
        }
    }
    return nullptr;
}

bool UIWindow::isInScrollingView() const {
    for (auto view = touchView_; view; view = view->superview()) {
        auto scroll = std::dynamic_pointer_cast<UIScrollView>(view);
        if (scroll && scroll->touchesShouldCancelInContentView(touchView_)) {
            return true;
        }
    }
    return false;
}

void UIWindow::sendTouchMoved(CGPoint location) {
    if (!touch_) {
        return;
    }
    CGPoint start = touch_->startLocationInWindow();
    CGVector movement{location.x - start.x, location.y - start.y};
    if (draggedScrollView_) {
        draggedScrollView_->dragTo(movement);
        return;
    }
    if (std::hypot(movement.dx, movement.dy) > touchSlop) {
        if (auto scroll = scrollViewToDrag(movement)) {
            touch_->update(UITouchPhase::cancelled, location);
            touchView_->touchesCancelled(*touch_);
            draggedScrollView_ = scroll;
            scroll->beginDragging();
            scroll->dragTo(movement);
            return;
        }
        if (isInScrollingView()) {
            // A drag the scrolling view cannot follow is still no tap on its content.
            finishTouch(UITouchPhase::cancelled, location);
            return;
        }
    }
    touch_->update(UITouchPhase::moved, location);
    touchView_->touchesMoved(*touch_);
}

void UIWindow::sendTouchEnded(CGPoint location) {
    finishTouch(UITouchPhase::ended, location);
}

void UIWindow::sendTouchCancelled() {
    if (touch_) {
        finishTouch(UITouchPhase::cancelled, touch_->locationInWindow());
    }
}

void UIWindow::finishTouch(UITouchPhase phase, CGPoint location) {
    if (!touch_) {
        return;
    }
    auto touch = std::move(touch_);
    auto view = std::move(touchView_);
    if (auto scroll = std::move(draggedScrollView_)) {
        scroll->endDragging();
        return;
    }
    touch->update(phase, location);
    if (phase == UITouchPhase::ended) {
        view->touchesEnded(*touch);
    } else {
        view->touchesCancelled(*touch);
    }
}

void UIWindow::tapAtPoint(CGPoint location) {
    sendTouchBegan(location);
    sendTouchEnded(location);
}

void UIWindow::sendScroll(CGPoint location, CGVector delta) {
    layoutIfNeeded();
    bool horizontal = std::abs(delta.dx) > std::abs(delta.dy);
    for (auto view = hitTest(location); view; view = view->superview()) {
        auto scroll = std::dynamic_pointer_cast<UIScrollView>(view);
        if (scroll && scroll->isScrollEnabled() &&
            (horizontal ? scroll->canScrollHorizontally() : scroll->canScrollVertically())) {
            CGPoint offset = scroll->contentOffset();
            scroll->setContentOffset(
                scroll->clampedContentOffset({offset.x + delta.dx, offset.y + delta.dy}));
            return;
        }
    }
}

void UIWindow::sendZoom(CGPoint location, CGFloat factor) {
    for (auto view = hitTest(location); view; view = view->superview()) {
        auto scroll = std::dynamic_pointer_cast<UIScrollView>(view);
        if (scroll && scroll->viewForZooming()) {
            scroll->setZoomScale(scroll->zoomScale() * factor);
            return;
        }
    }
}

std::shared_ptr<UIImage> UIWindow::renderImage(CGFloat scale) {
    UIGraphicsImageRendererFormat format;
    format.scale = scale;
    UIGraphicsImageRenderer renderer(bounds().size, format);
    // The frame is drawn once over, not cleared first.
    return renderer.imageSettingEveryPixel([&](UIGraphicsImageRendererContext& context) {
        drawHierarchy({{0, 0}, bounds().size}, context.cgContext(), LayerTreeRenderer::renderReplacing);
    });
}
