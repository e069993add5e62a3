#pragma once

#include "platform/uikit/UIViewController.h"

#include <memory>

// Base of the two pages: room for a banner, which this edition keeps hidden.
class AdHandlingViewController : public UIViewController {
  public:
    using UIViewController::UIViewController;

    std::shared_ptr<UIView> bannerView;
};
