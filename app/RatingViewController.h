#pragma once

#include "platform/defaults/DefaultsKey.h"
#include "platform/uikit/UIViewController.h"

#include <cstdint>
#include <memory>

class CosmosView;
class UIButton;
class UILabel;

// The star-rating prompt, laid over the input screen when its countdown runs out; at most once
// per run of the app. A low rating only thanks the user; a high one leads, when the network answers,
// to the app's rating page. A low rating, or an opened rating page, ends the prompting for good;
// cancelling, no network, or a rating page that cannot be opened starts the countdown again.
class RatingViewController : public UIViewController {
  public:
    static const DefaultsKey<std::int64_t> counterForRatingKey;
    static const DefaultsKey<bool> isRatingAlreadyDoneKey;
    static constexpr std::int64_t appearancesBeforePrompt = 5;
    // Ratings from here up lead to the rating page.
    static constexpr double goodRating = 4.0;

    static std::shared_ptr<RatingViewController> sharedRatingViewController();
    // Loads the nib named after the class.
    static void registerNib();

    std::shared_ptr<UIView> ratingView;
    std::shared_ptr<CosmosView> StarRatingView;
    std::weak_ptr<UILabel> ratingLabel;
    std::shared_ptr<UIButton> cancelRatingButton;
    std::shared_ptr<UIButton> sendRatingButton;
    std::shared_ptr<UIView> ratingBackgroundView;

    bool isShownInSession = false;
    std::int64_t _counterForRating = appearancesBeforePrompt;
    std::weak_ptr<UIViewController> viewController;

    // The stored countdown, at least 0; the current value is stored when none is.
    std::int64_t counterForRating();
    void countDownToRatingPrompt(const std::shared_ptr<UIViewController>& presenter);
    void presentRatingPrompt();

    void viewDidLoad() override;
    void viewDidLayoutSubviews() override;

    void tappedSendRatingButton();
    void tappedCancelRatingButton();

  private:
    void setUpRatingView();
    void finishRating();
    void resetRatingCounter();
    void showThanksAlert();
    // Send is enabled, and drawn undimmed, from one star up.
    void enableSendForRating();
};
