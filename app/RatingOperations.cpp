#include "app/RatingOperations.h"

#include "app/ConnectivityCheck.h"
#include "app/RemoteConfigManager.h"
#include "app/ViewControllerOperations.h"
#include "engine/LocalizedString.h"
#include "platform/foundation/URL.h"
#include "platform/uikit/UIApplication.h"
#include "platform/veraziva/VAVAnalytics.h"

namespace {

using LocalizedString::localized;

void presentRatingPageUnavailable(const std::shared_ptr<UIViewController>& controller) {
    if (controller) {
        presentAlert(
            *controller,
            localized("ratingPageUnavailable", "Alert title: the app's rating page could not be opened"),
            std::nullopt, {}, UIAlertControllerStyle::alert);
    }
}

} // namespace

void openRatingLink(const std::shared_ptr<UIViewController>& controller,
                    std::function<void(bool opened)> completion) {
    auto app = RemoteConfigManager::shared()->findCurrentApp();
    auto finish = [app, completion](bool opened) {
        if (opened) {
            auto english = app->appName.find("en");
            VAVAnalytics::logEventWithNameParameters(
                "Tapped Rating in Menu",
                AnyValue::Dictionary{
                    {"kivoApp", AnyValue(english == app->appName.end() ? std::string() : english->second)}});
        }
        if (completion)
            completion(opened);
    };
    auto url = app ? URL::URLWithString(app->ratingURLPro) : std::nullopt;
    if (!url || !UIApplication::sharedApplication()->canOpenURL(*url)) {
        presentRatingPageUnavailable(controller);
        finish(false);
        return;
    }
    openLink(*url, controller, finish);
}

void checkInternetConnection(std::function<void()> onSuccess, std::function<void()> onFailure,
                             const std::shared_ptr<UIViewController>& presenter) {
    ConnectivityCheck::shared()->check(std::move(onSuccess), std::move(onFailure), presenter);
}
