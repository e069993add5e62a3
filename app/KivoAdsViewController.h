#pragma once

#include "app/KivoAdData.h"
#include "platform/defaults/DefaultsKey.h"
#include "platform/foundation/AnyValue.h"
#include "platform/uikit/UIViewController.h"

#include <cstdint>
#include <memory>
#include <optional>

class UIButton;
class UIImageView;

// One in-house promotion: its picture, a button with the discount on offer and a close button.
// Taking the offer opens its link; either way the screen closes. Appearances are counted over all
// runs and every appearance, closing and use is reported. Whoever presents it sets currentAd first.
class KivoAdsViewController : public UIViewController {
  public:
    static constexpr const char* nibNameOfScreen = "KivoAdsViewController";
    static const DefaultsKey<std::int64_t> countKivoAdsPresentedKey;

    KivoAdsViewController();
    static void registerNib();

    std::weak_ptr<UIButton> closeButton;
    std::weak_ptr<UIImageView> adImageView;
    std::weak_ptr<UIButton> discountButton;
    std::optional<KivoAdData> currentAd;

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

    void tappedCloseButton();
    void tappedDiscountButton();

  private:
    void configureAdView();
    void closeAd();
    void openAdProduct();
    // "sendingApp", "kivoAdId" and "countKivoAdsPresented" as they are now.
    AnyValue::Dictionary eventParameters() const;
};
