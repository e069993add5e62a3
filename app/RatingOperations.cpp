#include "app/RatingOperations.h"

#include "app/AppLinks.h"
#include "app/RemoteConfigManager.h"
#include "app/ViewControllerOperations.h"
#include "engine/LocalizedString.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/URLSession.h"
#include "platform/uikit/UIApplication.h"
#include "platform/veraziva/VAVAnalytics.h"

namespace {

using LocalizedString::localized;

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

// The check needs only the status of the answer: its body is read no further than 64 KiB (unpacked).
std::shared_ptr<URLSession> connectivitySession() {
    static const auto session = [] {
        URLSessionConfiguration configuration;
        configuration.maximumResponseLength = 64 * 1024;
        return std::make_shared<URLSession>(configuration);
    }();
    return session;
}

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
    connectivitySession()
        ->dataTaskWithURLCompletionHandler(
            *url,
            [answer](std::string, std::optional<HTTPURLResponse> response, std::optional<URLError> error) {
                // A body cut off at the limit came after its status.
                answer(response || (error && error->code == URLError::dataLengthExceedsMaximum));
            })
        ->resume();
}
