#include "app/RatingViewController.h"

#include "platform/defaults/Defaults.h"
#include "platform/foundation/DispatchQueue.h"

const DefaultsKey<std::int64_t> RatingViewController::counterForRatingKey{"counterForRating",
                                                                          appearancesBeforePrompt};
const DefaultsKey<bool> RatingViewController::isRatingAlreadyDoneKey{"isRatingAlreadyDone", false};

std::shared_ptr<RatingViewController> RatingViewController::sharedRatingViewController() {
    static const std::shared_ptr<RatingViewController> instance = std::make_shared<RatingViewController>();
    return instance;
}

std::int64_t RatingViewController::counterForRating() {
    const Defaults defaults;
    if (defaults.hasKey(counterForRatingKey))
        _counterForRating = defaults.get(counterForRatingKey);
    else
        defaults.set(counterForRatingKey, _counterForRating);
    return _counterForRating;
}

void RatingViewController::countDownToRatingPrompt(const std::shared_ptr<UIViewController>& presenter) {
    const Defaults defaults;
    if (defaults.get(isRatingAlreadyDoneKey) || isShownInSession)
        return;
    _counterForRating = counterForRating() - 1;
    defaults.set(counterForRatingKey, _counterForRating);
    if (counterForRating() >= 1)
        return;
    viewController = presenter;
    DispatchQueue::main()->async([self = sharedAs<RatingViewController>()] { self->presentRatingPrompt(); });
}

void RatingViewController::presentRatingPrompt() {
    auto presenter = viewController.lock();
    if (!presenter)
        return;
    setModalPresentationStyle(UIModalPresentationStyle::overCurrentContext);
    setModalTransitionStyle(UIModalTransitionStyle::crossDissolve);
    presenter->presentViewController(sharedAs<RatingViewController>(), true);
}
