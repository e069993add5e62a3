#include "KitsTestSupport.h"

#include "platform/kits/OnboardViewController.h"

#include <gtest/gtest.h>

namespace {

std::vector<OnboardPage> threePages() {
    return {
        {"", "main_onboarding_1", "", "Type your values", "Next", std::nullopt, {}},
        {"", "single_onboarding_2", "", "Pick a mode", "Next", std::nullopt, {}},
        {"Ready", "main_onboarding_4", "", "Tap Calculate", "Let's start", std::nullopt, {}},
    };
}

class OnboardTest : public KitsTest {
  protected:
    void tapAdvance(OnboardViewController& onboard) {
        auto button = onboard.advanceButton();
        window->tapAtPoint(button->convertPointToView(button->bounds().center(), window.get()));
        settle();
    }

    int completions = 0;
    std::shared_ptr<OnboardViewController> makeOnboard(AppearanceConfiguration appearance = {}) {
        auto onboard = std::make_shared<OnboardViewController>(threePages(), std::move(appearance),
                                                               [this] { ++completions; });
        onboard->setModalPresentationStyle(UIModalPresentationStyle::formSheet);
        return onboard;
    }
};

TEST_F(OnboardTest, TappingThroughThePagesCompletesOnceAndDismisses) {
    auto onboard = makeOnboard();
    onboard->presentFrom(root, false);
    settle();
    EXPECT_EQ(root->presentedViewController(), onboard);
    EXPECT_EQ(onboard->descriptionLabel()->text(), "Type your values");
    EXPECT_EQ(onboard->advanceButton()->currentTitle(), "Next");
    EXPECT_TRUE(onboard->titleLabel()->isHidden()) << "an empty title takes no room";

    tapAdvance(*onboard);
    EXPECT_EQ(onboard->currentPageIndex(), 1u);
    EXPECT_EQ(onboard->descriptionLabel()->text(), "Pick a mode");
    tapAdvance(*onboard);
    EXPECT_EQ(onboard->currentPageIndex(), 2u);
    EXPECT_EQ(onboard->titleLabel()->text(), "Ready");
    EXPECT_EQ(onboard->advanceButton()->currentTitle(), "Let's start");
    EXPECT_EQ(completions, 0);

    tapAdvance(*onboard);
    EXPECT_EQ(completions, 1);
    EXPECT_TRUE(onboard->isFinished());
    onboard->advanceButton()->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_EQ(completions, 1) << "a second tap during the dismissal does not complete again";
    clock->advance(1);
    settle();
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(OnboardTest, AnActionButtonRunsItsPagesAction) {
    int actions = 0;
    std::vector<OnboardPage> pages{{"Videos", "", "", "", "Next", "Watch", [&] { ++actions; }},
                                   {"", "", "", "Done", "OK", std::nullopt, {}}};
    auto onboard = std::make_shared<OnboardViewController>(pages, AppearanceConfiguration{});
    onboard->presentFrom(root, false);
    settle();
    EXPECT_FALSE(onboard->actionButton()->isHidden());
    onboard->actionButton()->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(onboard->currentPageIndex(), 0u);
    onboard->advanceButton()->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_TRUE(onboard->actionButton()->isHidden());
    onboard->advanceButton()->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_TRUE(onboard->isFinished()) << "finishing without a completion is fine";
}

TEST_F(OnboardTest, FinishingDismissesTheIntroductionEvenWhileItPresentsAnother) {
    auto onboard = makeOnboard();
    onboard->presentFrom(root, false);
    auto consent = std::make_shared<UIViewController>();
    onboard->presentViewController(consent, false);
    settle();
    for (int tap = 0; tap < 3; ++tap) {
        onboard->advanceButton()->sendActionsForControlEvents(UIControlEventTouchUpInside);
    }
    clock->advance(1);
    settle();
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(onboard->view()->window(), nullptr);
    EXPECT_EQ(consent->view()->window(), nullptr);
}

} // namespace
