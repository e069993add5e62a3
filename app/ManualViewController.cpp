#include "app/ManualViewController.h"

#include "platform/foundation/Bundle.h"
#include "platform/graphics/UIFont.h"
#include "platform/graphics/UIImage.h"
#include "platform/material/Icon.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIScrollView.h"

namespace {

constexpr CGFloat headerHeight = 64;

std::vector<std::shared_ptr<UIResponder>> buildManualScene(const std::shared_ptr<UIResponder>& owner) {
    auto controller = std::dynamic_pointer_cast<ManualViewController>(owner);
    if (!controller)
        return {};
    const CGRect screen = UIScreen::mainScreen()->bounds();
    auto root = std::make_shared<UIView>(screen);
    root->setBackgroundColor(UIColor::systemBackgroundColor());
    root->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);

    auto label = std::make_shared<UILabel>(CGRect{20, 16, screen.width() - 80, headerHeight - 24});
    label->setFont(UIFont::fontWithName("Avenir-Heavy", 20).value_or(UIFont::boldSystemFontOfSize(20)));
    label->setTextColor(UIColor::labelColor());
    label->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    root->addSubview(label);

    auto close = UIButton::buttonWithType(UIButtonType::system);
    close->setFrame({screen.width() - 56, 12, 44, 44});
    close->setImage(Icon::clear(), UIControlStateNormal);
    close->setTintColor(UIColor::labelColor());
    close->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    close->addTarget(controller, &ManualViewController::closeButtonPressed, UIControlEventTouchUpInside);
    root->addSubview(close);

    auto scroll = std::make_shared<UIScrollView>(
        CGRect{0, headerHeight, screen.width(), screen.height() - headerHeight});
    scroll->setMinimumZoomScale(1);
    scroll->setMaximumZoomScale(4);
    scroll->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    auto image = std::make_shared<UIImageView>(scroll->bounds());
    image->setContentMode(UIViewContentMode::scaleAspectFit);
    image->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    scroll->addSubview(image);
    root->addSubview(scroll);

    controller->label = label;
    controller->closeButton = close;
    controller->scrollView = scroll;
    controller->imageView = image;
    controller->setView(root);
    return {root};
}

} // namespace

ManualViewController::ManualViewController() : UIViewController(std::string(manualNibName)) {}

ManualViewController::ManualViewController(std::string nib) : UIViewController(std::move(nib)) {}

void ManualViewController::viewDidLoad() {
    UIViewController::viewDidLoad();
    if (imageView)
        imageView->setImage(UIImage::imageNamed(imageName));
    if (auto scroll = scrollView.lock())
        scroll->setDelegate(sharedAs<ManualViewController>());
    if (auto heading = label.lock())
        heading->setText(Bundle::mainBundle()->localizedString("Assistance", "Assistance"));
    if (auto close = closeButton.lock())
        close->setAccessibilityIdentifier("closeManualButton");
}

std::shared_ptr<UIView>
ManualViewController::viewForZoomingInScrollView(const std::shared_ptr<UIScrollView>&) {
    return imageView;
}

void ManualViewController::closeButtonPressed(const std::shared_ptr<UIButton>&) {
    dismissViewControllerAnimated(true);
}

void ManualViewController::registerNib() {
    UINib::registerNib(manualNibName, buildManualScene);
}
