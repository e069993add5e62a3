#include "platform/uikit/UIScrollView.h"

#include "platform/foundation/Clock.h"
#include "platform/graphics/CAMediaTimingFunction.h"

#include <algorithm>

namespace {

constexpr double scrollAnimationDuration = 0.3;

double now() {
    return std::chrono::duration<double>(Clock::current()->now().time_since_epoch()).count();
}

} // namespace

UIScrollView::UIScrollView() : UIScrollView(CGRect{}) {}

UIScrollView::UIScrollView(const CGRect& frame) : UIView(frame) {
    setClipsToBounds(true);
}

UIScrollView::UIScrollView(const NSCoder&) : UIScrollView(CGRect{}) {}

UIScrollView::~UIScrollView() {
    stopScrollAnimation();
}

void UIScrollView::setContentSize(CGSize size) {
    if (size == contentSize_) {
        return;
    }
    bool shrinks = size.width < contentSize_.width || size.height < contentSize_.height;
    contentSize_ = size;
    setNeedsLayout();
    if (shrinks && !dragging_) {
        pullOffsetIntoContent();
    }
}

void UIScrollView::pullOffsetIntoContent() {
    CGPoint maximum = maximumContentOffset();
    CGPoint offset = contentOffset();
    CGPoint pulled{std::min(offset.x, maximum.x), std::min(offset.y, maximum.y)};
    if (pulled != offset) {
        setContentOffset(pulled);
    }
}

void UIScrollView::setContentOffset(CGPoint offset) {
    stopScrollAnimation();
    if (offset == contentOffset()) {
        return;
    }
    setBounds({offset, bounds().size});
    contentOffsetDidChange();
}

void UIScrollView::setContentOffset(CGPoint offset, bool animated) {
    if (!animated) {
        setContentOffset(offset);
        return;
    }
    stopScrollAnimation();
    CGPoint from = contentOffset();
    CGPoint to = clampedContentOffset(offset);
    if (from == to) {
        return;
    }
    double start = now();
    std::weak_ptr<UIResponder> weakSelf = weak_from_this();
    CAMediaTimingFunction timing(CAMediaTimingFunctionName::easeInEaseOut);
    scrollAnimation_ = Timer::scheduledTimerWithTimeInterval(1.0 / 60.0, true, [=](Timer& timer) {
        auto self = std::static_pointer_cast<UIScrollView>(weakSelf.lock());
        if (!self) {
            timer.invalidate();
            return;
        }
        double progress = std::clamp((now() - start) / scrollAnimationDuration, 0.0, 1.0);
        CGFloat eased = timing.progressAt(progress);
        self->setBounds(
            {{from.x + (to.x - from.x) * eased, from.y + (to.y - from.y) * eased}, self->bounds().size});
        self->contentOffsetDidChange();
        if (progress >= 1) {
            self->stopScrollAnimation();
            if (auto delegate = self->delegate()) {
                delegate->scrollViewDidEndScrollingAnimation(self);
            }
        }
    });
}

void UIScrollView::stopScrollAnimation() {
    if (scrollAnimation_) {
        scrollAnimation_->invalidate();
        scrollAnimation_.reset();
    }
}

void UIScrollView::setContentInset(const UIEdgeInsets& inset) {
    contentInset_ = inset;
    setNeedsLayout();
}

CGPoint UIScrollView::minimumContentOffset() const {
    return {-contentInset_.left, -contentInset_.top};
}

CGPoint UIScrollView::maximumContentOffset() const {
    CGPoint minimum = minimumContentOffset();
    return {std::max(minimum.x, contentSize_.width + contentInset_.right - bounds().size.width),
            std::max(minimum.y, contentSize_.height + contentInset_.bottom - bounds().size.height)};
}

CGPoint UIScrollView::clampedContentOffset(CGPoint offset) const {
    CGPoint minimum = minimumContentOffset();
    CGPoint maximum = maximumContentOffset();
    return {std::clamp(offset.x, minimum.x, maximum.x), std::clamp(offset.y, minimum.y, maximum.y)};
}

bool UIScrollView::canScrollHorizontally() const {
    return alwaysBounceHorizontal_ || maximumContentOffset().x > minimumContentOffset().x;
}

bool UIScrollView::canScrollVertically() const {
    return alwaysBounceVertical_ || maximumContentOffset().y > minimumContentOffset().y;
}

void UIScrollView::contentOffsetDidChange() {
    setNeedsLayout();
    if (auto delegate = this->delegate()) {
        delegate->scrollViewDidScroll(std::static_pointer_cast<UIScrollView>(shared_from_this()));
    }
}

std::shared_ptr<UIView> UIScrollView::viewForZooming() {
    auto delegate = this->delegate();
    return delegate ? delegate->viewForZoomingInScrollView(
                          std::static_pointer_cast<UIScrollView>(shared_from_this()))
                    : nullptr;
}

void UIScrollView::setZoomScale(CGFloat scale, bool animated) {
    auto zoomed = viewForZooming();
    if (!zoomed) {
        return;
    }
    scale = std::clamp(scale, std::min(minimumZoomScale_, maximumZoomScale_),
                       std::max(minimumZoomScale_, maximumZoomScale_));
    zoomScale_ = scale;
    auto apply = [&] {
        zoomed->setTransform(CGAffineTransform::makeScale(scale, scale));
        CGSize size{zoomed->bounds().size.width * scale, zoomed->bounds().size.height * scale};
        zoomed->setCenter({size.width / 2, size.height / 2});
        setContentSize(size);
        CGPoint offset = clampedContentOffset(contentOffset());
        if (offset != contentOffset()) {
            setBounds({offset, bounds().size});
            contentOffsetDidChange();
        }
    };
    if (animated) {
        UIView::animateWithDuration(scrollAnimationDuration, apply);
    } else {
        apply();
    }
    if (auto delegate = this->delegate()) {
        delegate->scrollViewDidZoom(std::static_pointer_cast<UIScrollView>(shared_from_this()));
    }
}

void UIScrollView::beginDragging() {
    stopScrollAnimation();
    dragging_ = true;
    dragStartOffset_ = contentOffset();
    if (auto delegate = this->delegate()) {
        delegate->scrollViewWillBeginDragging(std::static_pointer_cast<UIScrollView>(shared_from_this()));
    }
}

void UIScrollView::dragTo(CGVector movement) {
    if (!dragging_) {
        return;
    }
    CGPoint offset =
        clampedContentOffset({dragStartOffset_.x - movement.dx, dragStartOffset_.y - movement.dy});
    if (offset != contentOffset()) {
        setBounds({offset, bounds().size});
        contentOffsetDidChange();
    }
}

void UIScrollView::endDragging() {
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    pullOffsetIntoContent();
    if (auto delegate = this->delegate()) {
        delegate->scrollViewDidEndDragging(std::static_pointer_cast<UIScrollView>(shared_from_this()), false);
    }
}

bool UIScrollView::touchesShouldCancelInContentView(const std::shared_ptr<UIView>&) {
    return true;
}
