#include "app/AppDelegate.h"

#include "app/AppNavigationDrawerController.h"
#include "app/AppPageTabBarController.h"
#include "app/AppToolbarController.h"
#include "app/CalculateViewController.h"
#include "app/DsgvoManager.h"
#include "app/HistoryTableViewController.h"
#include "app/InterfaceBuilders.h"
#include "app/LeftViewController.h"
#include "app/MenuToolbarController.h"
#include "app/OnboardingManager.h"
#include "app/RemoteConfigManager.h"
#include "app/SolutionViewController.h"
#include "app/ViewManager.h"
#include "engine/CalcManager.h"
#include "engine/ErrorManager.h"
#include "platform/defaults/Defaults.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/kits/OnboardViewController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIStoryboard.h"
#include "platform/uikit/UIWindow.h"
#include "platform/veraziva/VAVApp.h"

#include <cstdlib>

namespace {

const DefaultsKey<std::optional<Date>> firstAppStartAtKey("firstAppStartAt");

// The storyboards are part of the program: a missing scene is a defect of the build, not a state
// the app could go on from.
template <typename Controller>
std::shared_ptr<Controller> instantiate(const std::string& storyboardName, const std::string& identifier) {
    auto storyboard = UIStoryboard::storyboardWithName(storyboardName);
    auto controller = storyboard ? std::dynamic_pointer_cast<Controller>(
                                       storyboard->instantiateViewControllerWithIdentifier(identifier))
                                 : nullptr;
    if (!controller) {
        DebugConsole::notice("The storyboard \"" + storyboardName + "\" has no scene \"" + identifier + "\"");
        std::abort();
    }
    return controller;
}

} // namespace

AppDelegate::AppDelegate() {
    InterfaceBuilders::registerAll();
}

std::shared_ptr<CalculateViewController> AppDelegate::calculateViewController() {
    if (!calculateViewController_) {
        calculateViewController_ = instantiate<CalculateViewController>(
            CalculateViewController::storyboardName, "CalculateViewController");
    }
    return calculateViewController_;
}

std::shared_ptr<LeftViewController> AppDelegate::leftViewController() {
    if (!leftViewController_) {
        leftViewController_ = instantiate<LeftViewController>(LeftViewController::storyboardName,
                                                              LeftViewController::storyboardIdentifier);
    }
    return leftViewController_;
}

std::shared_ptr<SolutionViewController> AppDelegate::solutionViewController() {
    if (!solutionViewController_) {
        solutionViewController_ = instantiate<SolutionViewController>(SolutionViewController::storyboardName,
                                                                      "SolutionViewController");
    }
    return solutionViewController_;
}

std::shared_ptr<AppPageTabBarController> AppDelegate::pageTabBarController() {
    if (!pageTabBarController_) {
        pageTabBarController_ = std::make_shared<AppPageTabBarController>(
            std::vector<std::shared_ptr<UIViewController>>{calculateViewController(),
                                                           solutionViewController()},
            0);
    }
    return pageTabBarController_;
}

std::shared_ptr<AppToolbarController> AppDelegate::appToolbarController() {
    if (!appToolbarController_) {
        appToolbarController_ = std::make_shared<AppToolbarController>(pageTabBarController());
    }
    return appToolbarController_;
}

bool AppDelegate::applicationDidFinishLaunchingWithOptions(const std::shared_ptr<UIApplication>&,
                                                           const AnyValue::Dictionary&) {
    ErrorManager::setPresenter([](const std::string& message) { ViewManager::showToast(message); });

    Defaults defaults;
    if (!defaults.hasKey(firstAppStartAtKey)) {
        defaults.set(firstAppStartAtKey, std::optional<Date>(Date::now()));
    }

    VAVApp::configure();

    auto remoteConfigManager = RemoteConfigManager::shared();
    auto component = RIDAruzovAdurad::remoteConfig();
    remoteConfigManager->loadApps(*component);
    remoteConfigManager->loadAds(*component);
    remoteConfigManager->loadVideoTutorials(*component);

    CalcManager::shared()->checkHistorySchemaVersion();
    HistoryTableViewController::defaultExampleCalculation();

    auto menu = std::make_shared<MenuToolbarController>(leftViewController());
    auto drawer = std::make_shared<AppNavigationDrawerController>(appToolbarController(), menu);

    window_ = std::make_shared<UIWindow>(UIScreen::mainScreen()->bounds());
    window_->setRootViewController(drawer);
    window_->makeKeyAndVisible();

    presentOnboardingIfNeeded(drawer);
    return true;
}

void AppDelegate::applicationDidBecomeActive(const std::shared_ptr<UIApplication>&) {
    auto manager = RemoteConfigManager::shared();
    std::weak_ptr<RemoteConfigManager> weakManager = manager;
    manager->remoteConfig->fetchWithExpirationDurationCompletionHandler(
        remoteConfigExpirationDuration,
        [weakManager](RIDAruzovAduradFetchStatus status, std::optional<RIDAruzovAduradError> error) {
            if (auto strong = weakManager.lock()) {
                strong->fetchAndActivate(status, error);
            }
        });
}

void AppDelegate::presentOnboardingIfNeeded(const std::shared_ptr<UIViewController>& root) {
    Defaults defaults;
    std::shared_ptr<UIViewController> onboarding;
    if (!defaults.get(OnboardingManager::isOnboardingFinishedKey)) {
        auto controller =
            OnboardingManager().makeOnboardViewController(OnboardingManager::onboardingPages(), {});
        controller->presentFrom(root, false);
        onboarding = controller;
    }
    if (!defaults.get(DsgvoManager::isDsgvoAcceptedKey)) {
        DsgvoManager::showPrivacyConsent(onboarding ? onboarding : root);
    }
}
