#include "app/OnboardingManager.h"
#include "engine/KivoColor.h"
#include "platform/kits/OnboardViewController.h"
#include "tests/app/AppTest.h"

namespace {

class OnboardingTest : public AppTest {
  protected:
    std::shared_ptr<OnboardViewController> presentIntroduction() {
        auto presenter = std::make_shared<UIViewController>();
        show(presenter);
        auto introduction =
            OnboardingManager().makeOnboardViewController(OnboardingManager::onboardingPages(), {});
        introduction->presentFrom(presenter, false);
        settle();
        return introduction;
    }
};

} // namespace

TEST_F(OnboardingTest, TheIntroductionShowsItsTextsInTheLabelColourAndItsButtonInTheViolet) {
    auto introduction = presentIntroduction();
    EXPECT_EQ(introduction->view()->backgroundColor(), UIColor::systemBackgroundColor());
    EXPECT_EQ(introduction->descriptionLabel()->textColor(), UIColor::labelColor());
    EXPECT_EQ(introduction->subtitleLabel()->textColor(), UIColor::labelColor());
    auto button = introduction->advanceButton();
    EXPECT_EQ(button->titleColorForState(UIControlStateNormal), KivoColor::paletteViolet());
    EXPECT_GT(button->layer()->shadowOpacity(), 0) << "light mode adds the grey shadow";

    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::dark));
    EXPECT_EQ(presentIntroduction()->advanceButton()->layer()->shadowOpacity(), 0.0f);
}
