#pragma once

#include <memory>

class UIScrollView;
class UIView;

class UIScrollViewDelegate {
  public:
    virtual ~UIScrollViewDelegate() = default;
    virtual void scrollViewDidScroll(const std::shared_ptr<UIScrollView>&) {}
    virtual void scrollViewWillBeginDragging(const std::shared_ptr<UIScrollView>&) {}
    virtual void scrollViewDidEndDragging(const std::shared_ptr<UIScrollView>&, bool) {}
    virtual void scrollViewDidEndScrollingAnimation(const std::shared_ptr<UIScrollView>&) {}
    // The view that zooming scales; nothing means the scroll view does not zoom.
    virtual std::shared_ptr<UIView> viewForZoomingInScrollView(const std::shared_ptr<UIScrollView>&) {
        return nullptr;
    }
    virtual void scrollViewDidZoom(const std::shared_ptr<UIScrollView>&) {}
};
