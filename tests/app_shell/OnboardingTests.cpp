#include "app/OnboardingManager.h"
#include "engine/KivoColor.h"
#include "platform/defaults/Defaults.h"
#include "platform/kits/OnboardViewController.h"
#include "tests/app/AppTest.h"

using OnboardingTest = AppTest;

TEST_F(OnboardingTest, PagesNameTheAppAndTheLastOneStarts) {
    OnboardingManager manager;
    auto pages =
        manager.makeOnboardPages({{"", "a", "", "§appname and §appname again"}, {"", "b", "", "plain"}});
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].description, "\"Ombrel\" and \"Ombrel\" again");
    EXPECT_EQ(pages[0].advanceButtonTitle, "Next");
    EXPECT_EQ(pages[1].advanceButtonTitle, "Let's start");
    EXPECT_EQ(pages[1].imageName, "b");
    auto single = manager.makeOnboardPages({{"", "only", "", "x"}});
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].advanceButtonTitle, "Let's start");

    EXPECT_EQ(OnboardingManager::onboardingPages().size(), 5u);
    EXPECT_EQ(OnboardingManager::videoOnboardingPages().back().imageName, "onboarding_youtube_5");
    EXPECT_EQ(manager.makeOnboardAppearance().tintColor, KivoColor::paletteViolet());
}

TEST_F(OnboardingTest, FinishingAnyIntroductionRemembersItAndRunsTheCallback) {
    int callbacks = 0;
    auto introduction = OnboardingManager().makeOnboardViewController(
        OnboardingManager::videoOnboardingPages(), [&callbacks] { ++callbacks; });
    EXPECT_EQ(introduction->modalPresentationStyle(), UIModalPresentationStyle::formSheet);
    auto presenter = std::make_shared<UIViewController>();
    show(presenter);
    introduction->presentFrom(presenter, false);
    settle();
    for (int page = 0; page < 5; ++page) {
        EXPECT_FALSE(Defaults().get(OnboardingManager::isOnboardingFinishedKey));
        introduction->advanceButton()->sendActionsForControlEvents(UIControlEventTouchUpInside);
        clock->advance(1);
    }
    EXPECT_TRUE(Defaults().get(OnboardingManager::isOnboardingFinishedKey));
    EXPECT_EQ(callbacks, 1);
    EXPECT_EQ(presenter->presentedViewController(), nullptr);
}
