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

TEST_F(OnboardTest, TheAppearanceStylesThePageAndItsButton) {
    AppearanceConfiguration appearance;
    appearance.tintColor = UIColor(0.33, 0.29, 0.68, 1);
    appearance.backgroundColor = UIColor::whiteColor();
    appearance.titleFont = UIFont::systemFontOfSize(28, UIFontWeight::bold);
    int stylings = 0;
    appearance.advanceButtonStyling = [&](const std::shared_ptr<UIButton>& button) {
        ++stylings;
        EXPECT_EQ(button->titleColorForState(UIControlStateNormal), UIColor(0.33, 0.29, 0.68, 1))
            << "the styling sees the tint already set";
        button->titleLabel()->setFont(UIFont::systemFontOfSize(20, UIFontWeight::semibold));
    };
    auto onboard = makeOnboard(appearance);
    onboard->presentFrom(root, false);
    settle();
    EXPECT_EQ(stylings, 1);
    EXPECT_EQ(onboard->advanceButton()->titleLabel()->font().weight(), UIFontWeight::semibold);
    EXPECT_EQ(onboard->titleLabel()->font().pointSize(), 28);
    EXPECT_EQ(onboard->view()->backgroundColor(), UIColor::whiteColor());
    EXPECT_TRUE(onboard->actionButton()->isHidden());

    // The button lies at the bottom, below the texts.
    CGRect button = onboard->advanceButton()->frame();
    CGRect text = onboard->descriptionLabel()->frame();
    EXPECT_GT(button.origin.y, text.origin.y + text.size.height);
    EXPECT_LE(button.origin.y + button.size.height, onboard->view()->bounds().height());
}

TEST_F(OnboardTest, TheTitleIsDrawnInItsColourAndTheSubtitleAndDescriptionInTheTextColour) {
    AppearanceConfiguration appearance;
    appearance.backgroundColor = UIColor::whiteColor();
    appearance.titleColor = UIColor(0, 0, 0.9, 1);
    appearance.textColor = UIColor(0.9, 0, 0, 1);
    auto onboard = std::make_shared<OnboardViewController>(
        std::vector<OnboardPage>{
            {"Ready", "", "Three steps", "Tap Calculate", "Let's start", std::nullopt, {}}},
        appearance);
    onboard->presentFrom(root, false);
    settle();
    ASSERT_FALSE(onboard->subtitleLabel()->isHidden());
    auto image = window->renderImage(1);
    // Pixels of the label's frame inked clearly in red or in blue.
    auto inked = [&](const UILabel& label, bool red) {
        const CGRect frame = label.convertRectToView(label.bounds(), window.get());
        int count = 0;
        for (CGFloat y = frame.minY(); y < frame.maxY(); ++y) {
            for (CGFloat x = frame.minX(); x < frame.maxX(); ++x) {
                const auto c = image->colorAtPoint({x, y}).value_or(UIColor::RGBA{});
                const CGFloat ink = red ? c.red : c.blue;
                const CGFloat other = red ? c.blue : c.red;
                count += ink > 0.5 && c.green < 0.4 && other < 0.4 ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_GT(inked(*onboard->titleLabel(), false), 10);
    EXPECT_EQ(inked(*onboard->titleLabel(), true), 0);
    EXPECT_GT(inked(*onboard->subtitleLabel(), true), 10);
    EXPECT_EQ(inked(*onboard->subtitleLabel(), false), 0);
    EXPECT_GT(inked(*onboard->descriptionLabel(), true), 10);
    EXPECT_EQ(inked(*onboard->descriptionLabel(), false), 0);
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
