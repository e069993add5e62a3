#pragma once

#include "platform/uikit/UIApplicationDelegate.h"
#include "platform/uikit/UIResponder.h"

#include <memory>

class AppPageTabBarController;
class AppToolbarController;
class CalculateViewController;
class LeftViewController;
class SolutionViewController;
class UIViewController;
class UIWindow;

// The application's delegate: launches the app (first-start date, platform configuration, remote
// configuration, history, screens, window, introduction and privacy consent) and refreshes the
// remote configuration whenever the app becomes active. Each screen is made on first use and kept.
// A second instance made only for its toolbar frame gives a fresh input page and result page.
class AppDelegate : public UIResponder, public UIApplicationDelegate {
  public:
    static constexpr double remoteConfigExpirationDuration = 21600;

    // Registers the app's storyboard scenes and nibs.
    AppDelegate();

    bool applicationDidFinishLaunchingWithOptions(const std::shared_ptr<UIApplication>& application,
                                                  const AnyValue::Dictionary& launchOptions) override;
    void applicationDidBecomeActive(const std::shared_ptr<UIApplication>& application) override;

    std::shared_ptr<UIWindow> window() const override { return window_; }
    void setWindow(std::shared_ptr<UIWindow> window) override { window_ = std::move(window); }

    std::shared_ptr<CalculateViewController> calculateViewController();
    std::shared_ptr<LeftViewController> leftViewController();
    std::shared_ptr<SolutionViewController> solutionViewController();
    std::shared_ptr<AppPageTabBarController> pageTabBarController();
    std::shared_ptr<AppToolbarController> appToolbarController();

    // The introduction when it was never completed, then the privacy consent when it was never
    // given, the consent above the introduction when both are due.
    void presentOnboardingIfNeeded(const std::shared_ptr<UIViewController>& root);

  private:
    std::shared_ptr<UIWindow> window_;
    std::shared_ptr<CalculateViewController> calculateViewController_;
    std::shared_ptr<LeftViewController> leftViewController_;
    std::shared_ptr<SolutionViewController> solutionViewController_;
    std::shared_ptr<AppPageTabBarController> pageTabBarController_;
    std::shared_ptr<AppToolbarController> appToolbarController_;
};
