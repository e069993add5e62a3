#pragma once

#include "platform/foundation/Timer.h"
#include "platform/uikit/UIScrollViewDelegate.h"
#include "platform/uikit/UIView.h"

// A view whose bounds origin is the content offset: subviews lie in a content area of
// contentSize, of which the bounds show a part. Offsets stay within the content (plus the
// insets) when the user drags or the code scrolls animated; a plain setContentOffset is taken
// as given. Content that shrinks below the offset pulls the offset back to its end, except
// while a finger holds the content (then when it lets go). Zooming scales the delegate's
// zooming view and makes the content its scaled size.
class UIScrollView : public UIView {
  public:
    UIScrollView();
    explicit UIScrollView(const CGRect& frame);
    explicit UIScrollView(const NSCoder& coder);
    ~UIScrollView() override;

    CGSize contentSize() const { return contentSize_; }
    void setContentSize(CGSize size);
    CGPoint contentOffset() const { return bounds().origin; }
    void setContentOffset(CGPoint offset);
    // Animated: moves there over 0.3 s on the run-loop clock, telling the delegate at each step.
    void setContentOffset(CGPoint offset, bool animated);
    const UIEdgeInsets& contentInset() const { return contentInset_; }
    void setContentInset(const UIEdgeInsets& inset);
    const UIEdgeInsets& adjustedContentInset() const { return contentInset_; }
    // The scrollable range.
    CGPoint minimumContentOffset() const;
    CGPoint maximumContentOffset() const;
    CGPoint clampedContentOffset(CGPoint offset) const;
    bool canScrollHorizontally() const;
    bool canScrollVertically() const;

    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    bool bounces() const { return bounces_; }
    void setBounces(bool bounces) { bounces_ = bounces; }
    bool alwaysBounceVertical() const { return alwaysBounceVertical_; }
    void setAlwaysBounceVertical(bool bounce) { alwaysBounceVertical_ = bounce; }
    bool alwaysBounceHorizontal() const { return alwaysBounceHorizontal_; }
    void setAlwaysBounceHorizontal(bool bounce) { alwaysBounceHorizontal_ = bounce; }
    bool showsHorizontalScrollIndicator() const { return showsHorizontalIndicator_; }
    void setShowsHorizontalScrollIndicator(bool shows) { showsHorizontalIndicator_ = shows; }
    bool showsVerticalScrollIndicator() const { return showsVerticalIndicator_; }
    void setShowsVerticalScrollIndicator(bool shows) { showsVerticalIndicator_ = shows; }

    std::shared_ptr<UIScrollViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<UIScrollViewDelegate> delegate) { delegate_ = std::move(delegate); }

    // Zooming.
    CGFloat zoomScale() const { return zoomScale_; }
    // Clamped to the minimum and maximum; nothing happens without a zooming view.
    void setZoomScale(CGFloat scale, bool animated = false);
    CGFloat minimumZoomScale() const { return minimumZoomScale_; }
    void setMinimumZoomScale(CGFloat scale) { minimumZoomScale_ = scale; }
    CGFloat maximumZoomScale() const { return maximumZoomScale_; }
    void setMaximumZoomScale(CGFloat scale) { maximumZoomScale_ = scale; }
    std::shared_ptr<UIView> viewForZooming();

    // Dragging, as the window delivers it: movement is the finger's travel since the press.
    bool isDragging() const { return dragging_; }
    void beginDragging();
    void dragTo(CGVector movement);
    void endDragging();
    // Whether a drag that starts on view may take the touch away from it.
    virtual bool touchesShouldCancelInContentView(const std::shared_ptr<UIView>& view);

  protected:
    // After every change of the content offset.
    virtual void contentOffsetDidChange();

  private:
    void stopScrollAnimation();
    void pullOffsetIntoContent();

    CGSize contentSize_;
    UIEdgeInsets contentInset_;
    bool scrollEnabled_ = true;
    bool bounces_ = true;
    bool alwaysBounceVertical_ = false;
    bool alwaysBounceHorizontal_ = false;
    bool showsHorizontalIndicator_ = true;
    bool showsVerticalIndicator_ = true;
    std::weak_ptr<UIScrollViewDelegate> delegate_;
    CGFloat zoomScale_ = 1;
    CGFloat minimumZoomScale_ = 1;
    CGFloat maximumZoomScale_ = 1;
    bool dragging_ = false;
    CGPoint dragStartOffset_;
    std::shared_ptr<Timer> scrollAnimation_;
};
