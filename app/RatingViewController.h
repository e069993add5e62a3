#pragma once

#include "platform/defaults/DefaultsKey.h"
#include "platform/uikit/UIViewController.h"

#include <cstdint>
#include <memory>

// The star-rating prompt, laid over the input screen when its countdown runs out; at most once
// per run of the app.
class RatingViewController : public UIViewController {
  public:
    static const DefaultsKey<std::int64_t> counterForRatingKey;
    static const DefaultsKey<bool> isRatingAlreadyDoneKey;
    static constexpr std::int64_t appearancesBeforePrompt = 5;

    static std::shared_ptr<RatingViewController> sharedRatingViewController();

    bool isShownInSession = false;
    std::int64_t _counterForRating = appearancesBeforePrompt;
    std::weak_ptr<UIViewController> viewController;

    // The stored countdown; the current value is stored when none is.
    std::int64_t counterForRating();
    void countDownToRatingPrompt(const std::shared_ptr<UIViewController>& presenter);
    void presentRatingPrompt();
};
