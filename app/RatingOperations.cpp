#include "app/RatingOperations.h"

#include "app/AppLinks.h"
#include "app/RemoteConfigManager.h"
#include "app/ViewControllerOperations.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/URLSession.h"
#include "platform/uikit/UIApplication.h"
#include "platform/veraziva/VAVAnalytics.h"

namespace {

std::string noInternetTitle() {
    return Bundle::mainBundle()->localizedString("noInternet", "", "No internet");
}

void showNoInternet(UIViewController& presenter, const std::function<void()>& onFailure) {
    std::vector<std::shared_ptr<UIAlertAction>> actions;
    if (onFailure) {
        actions.push_back(UIAlertAction::actionWithTitle("OK", UIAlertActionStyle::defaultStyle,
                                                         [onFailure](const auto&) { onFailure(); }));
    }
    presentAlert(presenter, noInternetTitle(), std::nullopt, actions, UIAlertControllerStyle::alert);
}

} // namespace

void openRatingLink(UIViewController& controller) {
    auto app = RemoteConfigManager::shared()->findCurrentApp();
    if (!app) {
        presentAlert(controller, noInternetTitle(), std::nullopt, {}, UIAlertControllerStyle::alert);
        return;
    }
    auto url = URL::URLWithString(app->ratingURLPro);
    auto application = UIApplication::sharedApplication();
    if (!url || !application->canOpenURL(*url)) {
        return;
    }
    application->openURL(*url);
    auto english = app->appName.find("en");
    VAVAnalytics::logEventWithNameParameters(
        "Tapped Rating in Menu",
        AnyValue::Dictionary{
            {"kivoApp", AnyValue(english == app->appName.end() ? std::string() : english->second)}});
}

void checkInternetConnection(std::function<void()> onSuccess, std::function<void()> onFailure,
                             const std::shared_ptr<UIViewController>& presenter) {
    auto answer = [onSuccess, onFailure, presenter](bool reached) {
        DispatchQueue::main()->async([reached, onSuccess, onFailure, presenter] {
            if (reached) {
                if (onSuccess) {
                    onSuccess();
                }
            } else if (presenter) {
                showNoInternet(*presenter, onFailure);
            }
        });
    };
    auto url = URL::URLWithString(AppLinks::shared().connectivityProbeURL);
    if (!url) {
        answer(false);
        return;
    }
    URLSession::sharedSession()
        ->dataTaskWithURLCompletionHandler(
            *url, [answer](std::string, std::optional<HTTPURLResponse> response,
                           std::optional<URLError>) { answer(response.has_value()); })
        ->resume();
}
