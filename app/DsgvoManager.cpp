#include "app/DsgvoManager.h"

#include "engine/LocalizedString.h"
#include "platform/defaults/Defaults.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/uikit/UIAlertController.h"

const DefaultsKey<bool> DsgvoManager::isDsgvoAcceptedKey("isDsgvoAccepted", false);
const DefaultsKey<bool> DsgvoManager::isYoutubeDsgvoAcceptedKey("isYoutubeDsgvoAccepted", false);

namespace {

using LocalizedString::localized;

} // namespace

void DsgvoManager::showPrivacyConsent(const std::shared_ptr<UIViewController>& viewController,
                                      std::function<void()> completion) {
    DispatchQueue::main()->async([viewController, completion = std::move(completion)] {
        auto alert = UIAlertController::alertControllerWithTitle(localized("dsgvoTitlePro", "Privacy Policy"),
                                                                 localized("dsgvoTextPro", "dsgvoTextPro"),
                                                                 UIAlertControllerStyle::alert);
        alert->addAction(UIAlertAction::actionWithTitle(
            localized("dsgvoAccept", "Accept"), UIAlertActionStyle::defaultStyle, [completion](const auto&) {
                Defaults().set(isDsgvoAcceptedKey, true);
                if (completion) {
                    completion();
                }
            }));
        viewController->presentViewController(alert, true);
    });
}

void DsgvoManager::showVideoConsent(const std::shared_ptr<UIViewController>& viewController,
                                    std::function<void()> accept, std::function<void()> decline) {
    DispatchQueue::main()->async([viewController, accept = std::move(accept), decline = std::move(decline)] {
        auto alert = UIAlertController::alertControllerWithTitle(
            localized("dsgvoYoutubeTitle", "Youtube Privacy Policy"),
            localized("dsgvoYoutubeText", "Youtube Dsgvo Text"), UIAlertControllerStyle::alert);
        auto answer = [](bool accepted, const std::function<void()>& then) {
            return [accepted, then](const std::shared_ptr<UIAlertAction>&) {
                Defaults().set(isYoutubeDsgvoAcceptedKey, accepted);
                if (then) {
                    then();
                }
            };
        };
        alert->addAction(UIAlertAction::actionWithTitle(
            localized("dsgvoAccept", "Accept"), UIAlertActionStyle::defaultStyle, answer(true, accept)));
        alert->addAction(UIAlertAction::actionWithTitle(
            localized("dsgvoDecline", "Decline"), UIAlertActionStyle::defaultStyle, answer(false, decline)));
        viewController->presentViewController(alert, true);
    });
}
