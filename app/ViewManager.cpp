#include "app/ViewManager.h"

#include "app/ColorManager.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/graphics/NSAttributedString.h"
#include "platform/graphics/UIFont.h"
#include "platform/uikit/UIActivityIndicatorView.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UIStackView.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"
#include "platform/uikit/UIWindowScene.h"

#include <cmath>
#include <vector>

namespace {

std::vector<std::shared_ptr<UIWindow>> sceneWindows() {
    const auto scenes = UIApplication::sharedApplication()->connectedScenes();
    if (scenes.empty())
        return {};
    auto scene = std::dynamic_pointer_cast<UIWindowScene>(scenes.front());
    return scene ? scene->windows() : std::vector<std::shared_ptr<UIWindow>>{};
}

std::shared_ptr<UIView> overlayOf(UIWindow& window) {
    for (const auto& subview : window.subviews()) {
        if (subview->tag() == ViewManager::loadingOverlayTag)
            return subview;
    }
    return nullptr;
}

// The root view that toasts are shown on.
std::shared_ptr<UIView> toastHost() {
    auto window = ViewManager::keyWindow();
    auto root = window ? window->rootViewController() : nullptr;
    return root ? root->viewIfLoaded() : nullptr;
}

UIFont toastFont() {
    return UIFont::fontWithName("Avenir-Book", 14).value_or(UIFont::systemFontOfSize(14));
}

} // namespace

std::shared_ptr<UIWindow> ViewManager::keyWindow() {
    const auto windows = sceneWindows();
    return windows.empty() ? nullptr : windows.front();
}

std::shared_ptr<UIViewController> ViewManager::keyWindowRoot() {
    auto window = keyWindow();
    return window ? window->rootViewController() : nullptr;
}

CGFloat ViewManager::bottomSafeAreaInset() {
    const auto windows = sceneWindows();
    return windows.empty() ? 0 : windows.back()->safeAreaInsets().bottom;
}

void ViewManager::showLoadingOverlay() {
    auto window = keyWindow();
    if (!window || overlayOf(*window))
        return;
    auto overlay = std::make_shared<UIView>(window->frame());
    overlay->setTag(loadingOverlayTag);
    overlay->setBackgroundColor(UIColor::blackColor().colorWithAlphaComponent(0.7));
    auto spinner = std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyle::large);
    spinner->setCenter({overlay->frame().midX(), overlay->frame().midY()});
    const bool dark = UITraitCollection::currentTraitCollection().isDark();
    spinner->setColor(dark ? ColorManager::buttonWhite() : ColorManager::groupedBackground());
    spinner->startAnimating();
    overlay->addSubview(spinner);
    window->addSubview(overlay);
}

void ViewManager::removeLoadingOverlay() {
    auto window = keyWindow();
    if (!window)
        return;
    if (auto overlay = overlayOf(*window))
        overlay->removeFromSuperview();
}

void ViewManager::showLoadingOverlayOnMain() {
    DispatchQueue::main()->async([] { showLoadingOverlay(); });
}

void ViewManager::removeLoadingOverlayOnMain() {
    DispatchQueue::main()->async([] { removeLoadingOverlay(); });
}

std::shared_ptr<UILabel> ViewManager::showToast(const std::string& message) {
    auto rootView = toastHost();
    if (!rootView)
        return nullptr;
    const UIFont font = toastFont();
    const CGFloat width = rootView->bounds().width();
    const CGFloat height = rootView->bounds().height();
    NSStringAttributes attributes;
    attributes.font = font;
    const CGFloat textHeight =
        std::ceil(NSAttributedString(message, attributes).boundingRectWithSize({0.9 * width, 0}).height());
    const CGFloat labelHeight = textHeight + 20;
    auto label = std::make_shared<UILabel>(
        CGRect{width / 2 - 0.45 * width, height - labelHeight - 80, 0.9 * width, labelHeight});
    label->setBackgroundColor(ColorManager::labelColor().colorWithAlphaComponent(0.8));
    label->setTextColor(ColorManager::groupedBackground());
    label->setFont(font);
    label->setTextAlignment(NSTextAlignment::center);
    label->setText(message);
    label->setNumberOfLines(0);
    label->setAlpha(1.0);
    label->layer()->setCornerRadius(10);
    label->setClipsToBounds(true);
    label->setTag(toastTag);
    rootView->addSubview(label);
    DispatchQueue::main()->asyncAfter(toastDuration, [label] { fadeOutAndRemove(label); });
    return label;
}

void ViewManager::removeToasts() {
    auto rootView = toastHost();
    if (!rootView)
        return;
    for (const auto& view : std::vector(rootView->subviews())) {
        if (view->tag() == toastTag)
            view->removeFromSuperview();
    }
}

void ViewManager::fadeOutAndRemove(const std::shared_ptr<UIView>& view) {
    UIView::animateWithDuration(
        toastFadeDuration, 0.0, UIViewAnimationOptionCurveEaseOut, [view] { view->setAlpha(0); },
        [view](bool) { view->removeFromSuperview(); });
}

void ViewManager::applyContentModeRecursively(UIView& view) {
    for (const auto& subview : view.subviews()) {
        if ((subview->isMemberOfClass<UIView>() || subview->isMemberOfClass<UIStackView>()) &&
            !subview->subviews().empty()) {
            applyContentModeRecursively(*subview);
        } else if (subview->isMemberOfClass<UISegmentedControl>()) {
            for (const auto& segment : static_cast<UISegmentedControl&>(*subview).segmentViews()) {
                for (const auto& part : segment->subviews()) {
                    if (part->isKindOfClass<UIImageView>())
                        part->setContentMode(UIViewContentMode::scaleAspectFit);
                }
            }
        }
    }
}
