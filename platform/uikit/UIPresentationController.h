#pragma once

#include "platform/uikit/UIAdaptivePresentationControllerDelegate.h"

#include <memory>

class UIViewController;

// Describes one presentation: the controller shown and the delegate asked about adaptation.
class UIPresentationController : public std::enable_shared_from_this<UIPresentationController> {
  public:
    explicit UIPresentationController(std::weak_ptr<UIViewController> presented)
        : presented_(std::move(presented)) {}
    virtual ~UIPresentationController() = default;

    std::shared_ptr<UIViewController> presentedViewController() const { return presented_.lock(); }
    std::shared_ptr<UIAdaptivePresentationControllerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<UIAdaptivePresentationControllerDelegate> delegate) {
        delegate_ = std::move(delegate);
    }

  private:
    std::weak_ptr<UIViewController> presented_;
    std::weak_ptr<UIAdaptivePresentationControllerDelegate> delegate_;
};
