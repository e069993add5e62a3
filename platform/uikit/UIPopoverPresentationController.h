#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/uikit/UIPresentationController.h"

#include <memory>

class UIView;

// A popover anchored at a rectangle of a source view. On a phone it adapts to a sheet unless its
// delegate answers none; on a tablet it stays a popover.
class UIPopoverPresentationController : public UIPresentationController {
  public:
    using UIPresentationController::UIPresentationController;

    std::shared_ptr<UIView> sourceView() const { return sourceView_.lock(); }
    void setSourceView(const std::shared_ptr<UIView>& view) { sourceView_ = view; }
    CGRect sourceRect() const { return sourceRect_; }
    void setSourceRect(const CGRect& rect) { sourceRect_ = rect; }

  private:
    std::weak_ptr<UIView> sourceView_;
    CGRect sourceRect_;
};
