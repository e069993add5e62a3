#pragma once

#include "platform/uikit/UIScrollViewDelegate.h"
#include "platform/uikit/UIViewController.h"

#include <memory>
#include <string>

class UIButton;
class UIImageView;
class UILabel;
class UIScrollView;

// The calculator's manual: one picture of the app's resources, zoomable, under a heading.
class ManualViewController : public UIViewController, public UIScrollViewDelegate {
  public:
    static constexpr const char* manualNibName = "ManualViewController";

    ManualViewController();
    explicit ManualViewController(std::string nib);

    std::weak_ptr<UILabel> label;
    std::shared_ptr<UIImageView> imageView;
    std::weak_ptr<UIScrollView> scrollView;
    std::weak_ptr<UIButton> closeButton;
    std::string imageName;

    void viewDidLoad() override;
    std::shared_ptr<UIView> viewForZoomingInScrollView(const std::shared_ptr<UIScrollView>&) override;
    void closeButtonPressed(const std::shared_ptr<UIButton>& sender);

    static void registerNib();
};
