#include "app/OnboardingManager.h"

#include "app/ColorManager.h"
#include "engine/KivoColor.h"
#include "engine/LocalizedString.h"
#include "engine/TextUtilities.h"
#include "platform/defaults/Defaults.h"
#include "platform/foundation/Bundle.h"
#include "platform/kits/OnboardViewController.h"
#include "platform/uikit/UIButton.h"

const DefaultsKey<bool> OnboardingManager::isOnboardingFinishedKey("isOnboardingFinished", false);

namespace {

std::vector<OnboardingPageRecord>
pages(const std::vector<std::pair<const char*, const char*>>& imagesAndKeys) {
    std::vector<OnboardingPageRecord> records;
    for (const auto& [image, key] : imagesAndKeys) {
        records.push_back({"", image, "", Bundle::mainBundle()->localizedString(key, "", key)});
    }
    return records;
}

} // namespace

const std::vector<OnboardingPageRecord>& OnboardingManager::onboardingPages() {
    static const auto records = pages({{"main_onboarding_1", "onboardingA"},
                                       {"single_onboarding_2", "onboardingB"},
                                       {"single_onboarding_3", "onboardingC"},
                                       {"single_onboarding_4", "onboardingD"},
                                       {"main_onboarding_4", "onboardingE"}});
    return records;
}

const std::vector<OnboardingPageRecord>& OnboardingManager::videoOnboardingPages() {
    static const auto records = pages({{"onboarding_youtube_1", "onboardingYoutube1"},
                                       {"onboarding_youtube_2", "onboardingYoutube2"},
                                       {"onboarding_youtube_3", "onboardingYoutube3"},
                                       {"onboarding_youtube_4", "onboardingYoutube4"},
                                       {"onboarding_youtube_5", "onboardingYoutube5"}});
    return records;
}

std::vector<OnboardPage>
OnboardingManager::makeOnboardPages(const std::vector<OnboardingPageRecord>& records) const {
    const std::string quotedTitle = "\"" + LocalizedString::appTitle() + "\"";
    const auto bundle = Bundle::mainBundle();
    std::vector<OnboardPage> onboardPages;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& record = records[i];
        bool last = i + 1 == records.size();
        OnboardPage page;
        page.title = record.title;
        page.imageName = record.imageName;
        page.subtitle = record.subtitle;
        page.description = replacingAll(record.description, "§appname", quotedTitle);
        page.advanceButtonTitle = last ? bundle->localizedString("letsStart", "", "Let's start")
                                       : bundle->localizedString("next", "", "Next");
        onboardPages.push_back(std::move(page));
    }
    return onboardPages;
}

AppearanceConfiguration OnboardingManager::makeOnboardAppearance() const {
    AppearanceConfiguration appearance;
    appearance.tintColor = KivoColor::paletteViolet();
    appearance.titleColor = UIColor::labelColor();
    appearance.textColor = UIColor::labelColor();
    appearance.backgroundColor = UIColor::systemBackgroundColor();
    appearance.imageContentMode = UIViewContentMode::center;
    appearance.titleFont = UIFont::preferredFontForTextStyle(UIFontTextStyle::title1);
    appearance.textFont = UIFont::preferredFontForTextStyle(UIFontTextStyle::body);
    UIColor tint = appearance.tintColor;
    appearance.advanceButtonStyling = [tint](const std::shared_ptr<UIButton>& button) {
        styleOnboardAdvanceButton(*button, tint);
    };
    return appearance;
}

std::shared_ptr<OnboardViewController>
OnboardingManager::makeOnboardViewController(const std::vector<OnboardingPageRecord>& records,
                                             std::function<void()> completion) const {
    auto controller = std::make_shared<OnboardViewController>(
        makeOnboardPages(records), makeOnboardAppearance(),
        [completion = std::move(completion)] { markOnboardingFinished(completion); });
    controller->setModalPresentationStyle(UIModalPresentationStyle::formSheet);
    return controller;
}

void OnboardingManager::markOnboardingFinished(const std::function<void()>& callback) {
    Defaults().set(isOnboardingFinishedKey, true);
    if (callback) {
        callback();
    }
}

void OnboardingManager::styleOnboardAdvanceButton(UIButton& button, const UIColor& color) {
    button.setTitleColor(color, UIControlStateNormal);
    button.titleLabel()->setFont(UIFont::systemFontOfSize(20, UIFontWeight::semibold));
    if (!button.traitCollection().isDark()) {
        ColorManager::applyGreyShadow(*button.layer());
    }
}
