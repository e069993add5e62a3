#include "app/KivoAdsViewController.h"

#include "app/ColorManager.h"
#include "app/VideoTutorialKeys.h"
#include "engine/KivoColor.h"
#include "engine/TextUtilities.h"
#include "platform/defaults/Defaults.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/graphics/UIImage.h"
#include "platform/material/Icon.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIScreen.h"
#include "platform/veraziva/VAVAnalytics.h"

const DefaultsKey<std::int64_t> KivoAdsViewController::countKivoAdsPresentedKey("countKivoAdsPresented", 0);

namespace {

constexpr CGFloat margin = 24;
constexpr CGFloat closeSide = 44;
constexpr CGFloat discountHeight = 56;

std::vector<std::shared_ptr<UIResponder>> buildScreen(const std::shared_ptr<UIResponder>& owner) {
    auto self = std::dynamic_pointer_cast<KivoAdsViewController>(owner);
    if (!self) {
        return {};
    }
    const CGRect screen = UIScreen::mainScreen()->bounds();
    auto root = std::make_shared<UIView>(screen);
    root->setBackgroundColor(UIColor::systemBackgroundColor());
    root->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);

    auto image = std::make_shared<UIImageView>(
        CGRect{margin, margin + closeSide, screen.width() - 2 * margin,
               screen.height() - 3 * margin - closeSide - discountHeight - margin});
    image->setContentMode(UIViewContentMode::scaleAspectFit);
    image->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    root->addSubview(image);

    auto close = UIButton::buttonWithType(UIButtonType::system);
    close->setFrame({screen.width() - margin - closeSide, margin, closeSide, closeSide});
    close->setImage(Icon::clear(), UIControlStateNormal);
    close->setAccessibilityIdentifier("kivoAdsCloseButton");
    close->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    close->addTarget(self, &KivoAdsViewController::tappedCloseButton, UIControlEventTouchUpInside);
    root->addSubview(close);

    auto discount = UIButton::buttonWithType(UIButtonType::custom);
    discount->setFrame(
        {margin, screen.height() - 2 * margin - discountHeight, screen.width() - 2 * margin, discountHeight});
    discount->setAccessibilityIdentifier("kivoAdsDiscountButton");
    discount->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    discount->addTarget(self, &KivoAdsViewController::tappedDiscountButton, UIControlEventTouchUpInside);
    root->addSubview(discount);

    self->closeButton = close;
    self->adImageView = image;
    self->discountButton = discount;
    self->setView(root);
    return {root};
}

} // namespace

KivoAdsViewController::KivoAdsViewController() : UIViewController(std::string(nibNameOfScreen)) {}

void KivoAdsViewController::registerNib() {
    UINib::registerNib(nibNameOfScreen, buildScreen);
}

void KivoAdsViewController::viewDidLoad() {
    UIViewController::viewDidLoad();
    configureAdView();
}

void KivoAdsViewController::configureAdView() {
    const bool dark = traitCollection().isDark();
    if (auto close = closeButton.lock()) {
        close->setTintColor(KivoColor::paletteGreenAccent());
        if (!dark) {
            ColorManager::applyGreyShadow(*close->layer());
        }
    }
    if (auto image = adImageView.lock()) {
        image->setImage(currentAd ? UIImage::imageNamed(currentAd->imageName + "_" + supportedLanguageCode())
                                  : nullptr);
    }
    auto discount = discountButton.lock();
    if (!discount) {
        return;
    }
    discount->layer()->setCornerRadius(2);
    if (currentAd) {
        std::string text = Bundle::mainBundle()->localizedString("grabAdsDiscountForPercentage",
                                                                 "grabAdsDiscountForPercentage");
        discount->setTitle(replacingAll(text, "§", currentAd->discountNumber + "%"), UIControlStateNormal);
    } else {
        discount->setTitle(std::nullopt, UIControlStateNormal);
    }
    discount->setBackgroundColor(KivoColor::paletteBlue());
    discount->setTitleColor(ColorManager::buttonWhite(), UIControlStateNormal);
    if (!dark) {
        ColorManager::applyGreyShadow(*discount->layer());
    }
}

AnyValue::Dictionary KivoAdsViewController::eventParameters() const {
    auto identifier = Bundle::mainBundle()->bundleIdentifier();
    return {{"sendingApp", AnyValue(identifier.value_or("unknown"))},
            {"kivoAdId", AnyValue(currentAd ? currentAd->imageName : std::string("unknown"))},
            {"countKivoAdsPresented", AnyValue(Defaults().get(countKivoAdsPresentedKey))}};
}

void KivoAdsViewController::viewDidAppear(bool animated) {
    UIViewController::viewDidAppear(animated);
    Defaults defaults;
    defaults.set(countKivoAdsPresentedKey, defaults.get(countKivoAdsPresentedKey) + 1);
    VAVAnalytics::logEventWithNameParameters("kivoAds_presented", eventParameters());
}

void KivoAdsViewController::tappedCloseButton() {
    closeAd();
}

void KivoAdsViewController::tappedDiscountButton() {
    openAdProduct();
}

void KivoAdsViewController::closeAd() {
    VAVAnalytics::logEventWithNameParameters("kivoAds_closedAds", eventParameters());
    dismissViewControllerAnimated(true);
}

void KivoAdsViewController::openAdProduct() {
    if (currentAd) {
        if (auto url = URL::URLWithString(currentAd->linkingString)) {
            DispatchQueue::main()->async(
                [link = *url] { UIApplication::sharedApplication()->openURL(link); });
        }
    }
    VAVAnalytics::logEventWithNameParameters("kivoAds_openedAdProduct", eventParameters());
    dismissViewControllerAnimated(true);
}
