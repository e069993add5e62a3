#pragma once

#include "app/OnboardingPageRecord.h"
#include "platform/defaults/DefaultsKey.h"
#include "platform/kits/AppearanceConfiguration.h"
#include "platform/kits/OnboardPage.h"

#include <functional>
#include <memory>
#include <vector>

class OnboardViewController;
class UIButton;

// Turns the app's two introductions (the app itself and its tutorial videos) into onboarding
// pages with the app's look, and remembers that an introduction was completed.
class OnboardingManager {
  public:
    static const DefaultsKey<bool> isOnboardingFinishedKey;

    // Each made once, on first use, with the descriptions looked up then.
    static const std::vector<OnboardingPageRecord>& onboardingPages();
    static const std::vector<OnboardingPageRecord>& videoOnboardingPages();

    // "§appname" becomes the quoted app title; the last page's button starts, the others go on.
    std::vector<OnboardPage> makeOnboardPages(const std::vector<OnboardingPageRecord>& records) const;
    AppearanceConfiguration makeOnboardAppearance() const;
    // A form sheet whose completion marks the introduction finished, then runs completion.
    std::shared_ptr<OnboardViewController>
    makeOnboardViewController(const std::vector<OnboardingPageRecord>& records,
                              std::function<void()> completion) const;

    static void markOnboardingFinished(const std::function<void()>& callback);
    static void styleOnboardAdvanceButton(UIButton& button, const UIColor& color);
};
