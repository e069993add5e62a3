#include "app/RatingViewController.h"

#include "app/ColorManager.h"
#include "app/RatingOperations.h"
#include "app/ViewControllerOperations.h"
#include "engine/LocalizedString.h"
#include "platform/defaults/Defaults.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/kits/CosmosView.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIStackView.h"
#include "platform/veraziva/VAVAnalytics.h"

#include <algorithm>

const DefaultsKey<std::int64_t> RatingViewController::counterForRatingKey{"counterForRating",
                                                                          appearancesBeforePrompt};
const DefaultsKey<bool> RatingViewController::isRatingAlreadyDoneKey{"isRatingAlreadyDone", false};

namespace {

constexpr CGFloat dialogWidth = 300;
constexpr CGFloat dialogHeight = 190;
constexpr CGFloat starSize = 36;
constexpr CGFloat starMargin = 8;
// Tags of the colour scheme: dark blue, violet, green accent.
constexpr int darkBlueTag = 101;
constexpr int violetTag = 102;
constexpr int greenTag = 104;

std::shared_ptr<UIButton> dialogButton(int tag, const char* identifier) {
    auto button = UIButton::buttonWithType(UIButtonType::custom);
    button->setTag(tag);
    button->setAccessibilityIdentifier(identifier);
    if (auto font = UIFont::fontWithName("Avenir-Heavy", 17)) {
        button->titleLabel()->setFont(*font);
    }
    return button;
}

std::vector<std::shared_ptr<UIResponder>> buildPrompt(const std::shared_ptr<UIResponder>& owner) {
    auto self = std::dynamic_pointer_cast<RatingViewController>(owner);
    if (!self) {
        return {};
    }
    const CGRect screen = UIScreen::mainScreen()->bounds();
    auto root = std::make_shared<UIView>(screen);
    root->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    root->setBackgroundColor(UIColor::clearColor());

    auto dimming = std::make_shared<UIView>(screen);
    dimming->setBackgroundColor(UIColor::colorWithWhite(0, 0.45));
    dimming->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    root->addSubview(dimming);

    auto dialog = std::make_shared<UIView>(
        CGRect{screen.midX() - dialogWidth / 2, screen.midY() - dialogHeight / 2, dialogWidth, dialogHeight});
    dialog->setBackgroundColor(UIColor::systemBackgroundColor());
    dialog->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin |
                                UIViewAutoresizingFlexibleTopMargin | UIViewAutoresizingFlexibleBottomMargin);
    root->addSubview(dialog);

    auto label = std::make_shared<UILabel>(CGRect{0, 16, dialogWidth, 30});
    label->setTextAlignment(NSTextAlignment::center);
    label->setTextColor(UIColor::labelColor());
    label->setFont(UIFont::fontWithName("Avenir-Heavy", 20).value_or(UIFont::boldSystemFontOfSize(20)));
    dialog->addSubview(label);

    const CGFloat starsWidth = 5 * starSize + 4 * starMargin;
    auto stars =
        std::make_shared<CosmosView>(CGRect{(dialogWidth - starsWidth) / 2, 62, starsWidth, starSize});
    CosmosSettings settings = stars->settings();
    settings.starSize = starSize;
    settings.starMargin = starMargin;
    settings.filledBorderColor = UIColor::systemGrayColor();
    settings.emptyBorderColor = UIColor::systemGrayColor();
    stars->setSettings(settings);
    stars->setRating(0);
    stars->setTag(violetTag);
    stars->setAccessibilityIdentifier("ratingStars");
    dialog->addSubview(stars);

    auto cancel = dialogButton(darkBlueTag, "cancelRatingButton");
    cancel->addTarget(self, &RatingViewController::tappedCancelRatingButton, UIControlEventTouchUpInside);
    auto send = dialogButton(greenTag, "sendRatingButton");
    send->addTarget(self, &RatingViewController::tappedSendRatingButton, UIControlEventTouchUpInside);
    auto buttons = std::make_shared<UIStackView>(std::vector<std::shared_ptr<UIView>>{cancel, send});
    buttons->setAxis(UILayoutConstraintAxis::horizontal);
    buttons->setDistribution(UIStackViewDistribution::fillEqually);
    buttons->setSpacing(12);
    buttons->setFrame({16, dialogHeight - 60, dialogWidth - 32, 44});
    dialog->addSubview(buttons);

    self->ratingBackgroundView = dimming;
    self->ratingView = dialog;
    self->ratingLabel = label;
    self->StarRatingView = stars;
    self->cancelRatingButton = cancel;
    self->sendRatingButton = send;
    self->setView(root);
    return {root};
}

} // namespace

std::shared_ptr<RatingViewController> RatingViewController::sharedRatingViewController() {
    static const std::shared_ptr<RatingViewController> instance = std::make_shared<RatingViewController>();
    return instance;
}

void RatingViewController::registerNib() {
    UINib::registerNib("RatingViewController", buildPrompt);
}

std::int64_t RatingViewController::counterForRating() {
    const Defaults defaults;
    // A stored count below 1 (left by an earlier run, or damaged) reads as 0: the prompt is due.
    if (defaults.hasKey(counterForRatingKey))
        _counterForRating = std::max<std::int64_t>(defaults.get(counterForRatingKey), 0);
    else
        defaults.set(counterForRatingKey, _counterForRating);
    return _counterForRating;
}

void RatingViewController::countDownToRatingPrompt(const std::shared_ptr<UIViewController>& presenter) {
    const Defaults defaults;
    if (defaults.get(isRatingAlreadyDoneKey) || isShownInSession)
        return;
    _counterForRating = std::max<std::int64_t>(counterForRating(), 1) - 1;
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

void RatingViewController::viewDidLoad() {
    UIViewController::viewDidLoad();
    setUpRatingView();
}

void RatingViewController::setUpRatingView() {
    ColorManager::styleSubviews(*view());
    for (const auto& rounded : {ratingView, std::static_pointer_cast<UIView>(sendRatingButton),
                                std::static_pointer_cast<UIView>(cancelRatingButton)}) {
        if (rounded) {
            rounded->layer()->setCornerRadius(2);
        }
    }
    if (ratingView) {
        ratingView->setClipsToBounds(true);
    }
    if (auto label = ratingLabel.lock()) {
        label->setText(LocalizedString::rate());
    }
    if (cancelRatingButton) {
        cancelRatingButton->setTitle(LocalizedString::cancel(), UIControlStateNormal);
    }
    if (sendRatingButton) {
        sendRatingButton->setTitle(LocalizedString::send(), UIControlStateNormal);
    }
    if (StarRatingView) {
        StarRatingView->didTouchCosmos = [weak = std::weak_ptr(sharedAs<RatingViewController>())](double) {
            if (auto self = weak.lock())
                self->enableSendForRating();
        };
    }
    enableSendForRating();
    // The view loads once per instance: one prompt per run of the app.
    isShownInSession = true;
}

void RatingViewController::viewDidLayoutSubviews() {
    UIViewController::viewDidLayoutSubviews();
    if (StarRatingView) {
        ColorManager::styleRatingViewByTag(*StarRatingView);
    }
}

void RatingViewController::tappedCancelRatingButton() {
    VAVAnalytics::logEventWithNameParameters("tapped_rated_app_cancel", std::nullopt);
    dismissViewControllerAnimated(true,
                                  [self = sharedAs<RatingViewController>()] { self->resetRatingCounter(); });
}

void RatingViewController::tappedSendRatingButton() {
    double rating = StarRatingView ? StarRatingView->rating() : 0;
    VAVAnalytics::logEventWithNameParameters(
        "tapped_rated_app", AnyValue::Dictionary{{"app", AnyValue("zq")}, {"rating", AnyValue(rating)}});
    dismissViewControllerAnimated(true, [self = sharedAs<RatingViewController>()] { self->finishRating(); });
}

void RatingViewController::finishRating() {
    double rating = StarRatingView ? StarRatingView->rating() : 0;
    if (!(rating >= goodRating)) {
        Defaults().set(isRatingAlreadyDoneKey, true);
        showThanksAlert();
        return;
    }
    // The prompt has left the screen: its alerts go to the screen it was laid over.
    auto self = sharedAs<RatingViewController>();
    auto presenter = viewController.lock();
    checkInternetConnection(
        [self, presenter] {
            openRatingLink(presenter, [self](bool opened) {
                if (!opened) {
                    self->resetRatingCounter();
                    return;
                }
                Defaults().set(isRatingAlreadyDoneKey, true);
                self->showThanksAlert();
            });
        },
        [self] { self->resetRatingCounter(); }, presenter);
}

void RatingViewController::enableSendForRating() {
    if (!sendRatingButton)
        return;
    const bool rated = StarRatingView && StarRatingView->rating() >= 1;
    sendRatingButton->setEnabled(rated);
    sendRatingButton->setAlpha(rated ? 1.0 : 0.5);
}

void RatingViewController::resetRatingCounter() {
    _counterForRating = appearancesBeforePrompt;
    Defaults().set(counterForRatingKey, _counterForRating);
}

void RatingViewController::showThanksAlert() {
    if (auto presenter = viewController.lock()) {
        presentAlert(
            *presenter, LocalizedString::thanks(), std::string(),
            {UIAlertAction::actionWithTitle(LocalizedString::close(), UIAlertActionStyle::defaultStyle)},
            UIAlertControllerStyle::alert);
    }
}
