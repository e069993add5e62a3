#include "AppTest.h"

#include "app/ColorManager.h"
#include "app/ViewControllerOperations.h"
#include "app/ViewManager.h"
#include "engine/KivoColor.h"
#include "platform/material/FlatButton.h"
#include "platform/material/TabItem.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UIStackView.h"
#include "tests/support/Pixels.h"

namespace {

using Styling = AppTest;
using ViewUtilities = AppTest;
using ControllerOperations = AppTest;

class CustomView : public UIView {};

TEST_F(Styling, SubviewsAreStyledByExactClassAndTagAndCardsCastAShadowOnlyInLightMode) {
    UIView card;
    ColorManager::applyCardShadow(card);
    EXPECT_GT(card.layer()->shadowOpacity(), 0);

    auto root = std::make_shared<UIView>();
    auto leaf = std::make_shared<UIView>();
    leaf->setTag(104);
    auto custom = std::make_shared<CustomView>();
    custom->setTag(104);
    auto dimmed = std::make_shared<UIView>();
    dimmed->setTag(200);
    auto key = std::make_shared<FlatButton>("7");
    key->setTag(103);
    auto inner = std::make_shared<UIStackView>(std::vector<std::shared_ptr<UIView>>{key});
    auto outer = std::make_shared<UIStackView>(std::vector<std::shared_ptr<UIView>>{inner});
    for (const auto& view : {std::shared_ptr<UIView>(leaf), std::shared_ptr<UIView>(custom), dimmed,
                             std::shared_ptr<UIView>(outer)})
        root->addSubview(view);

    ColorManager::styleSubviews(*root);
    EXPECT_EQ(leaf->backgroundColor(), KivoColor::paletteGreenAccent());
    EXPECT_EQ(leaf->layer()->shadowOpacity(), 0.7f) << "light mode adds the grey shadow";
    EXPECT_FALSE(custom->backgroundColor()) << "subclasses of the plain view are not styled";
    EXPECT_EQ(dimmed->alpha(), 0.5);
    EXPECT_EQ(key->backgroundColor(), KivoColor::paletteBlue()) << "keys deep in stack views are styled";
    EXPECT_EQ(key->titleColorForState(UIControlStateNormal), ColorManager::buttonWhite());

    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::dark));
    auto darkLeaf = std::make_shared<UIView>();
    darkLeaf->setTag(200);
    root->addSubview(darkLeaf);
    ColorManager::styleSubviews(*root);
    EXPECT_EQ(darkLeaf->alpha(), 0.3);
    EXPECT_EQ(darkLeaf->layer()->shadowOpacity(), 0.0f) << "dark mode has no grey shadow";
    UIView darkCard;
    ColorManager::applyCardShadow(darkCard);
    EXPECT_EQ(darkCard.layer()->shadowOpacity(), 0.0f) << "nor a card shadow";
}

// A white view on a white page: its shadow is what shows around it.
class Shadows : public AppTest {
  protected:
    // The page with the view at (100, 100, 100, 100), styled.
    std::shared_ptr<UIImage> drawn(const std::function<void(UIView&)>& style) {
        auto page = std::make_shared<UIViewController>();
        page->view()->setBackgroundColor(UIColor::whiteColor());
        auto card = std::make_shared<UIView>(CGRect{100, 100, 100, 100});
        card->setBackgroundColor(UIColor::whiteColor());
        style(*card);
        page->view()->addSubview(card);
        show(page);
        return window->renderImage(1);
    }
    // The grey of the page at a point, 1 for untouched white.
    static CGFloat shade(const UIImage& image, CGFloat x, CGFloat y) { return pixels::at(image, x, y).green; }
};

// A card's soft shadow shows evenly on every side and fades out within a few points.
TEST_F(Shadows, ACardCastsASoftShadowAllRound) {
    auto image = drawn([](UIView& card) { ColorManager::applyCardShadow(card); });
    for (CGFloat away : {1.5, 3.5}) {
        const CGFloat left = shade(*image, 100 - away, 150);
        EXPECT_NEAR(shade(*image, 200 + away, 150), left, 0.01) << away;
        EXPECT_NEAR(shade(*image, 150, 100 - away), left, 0.01) << away;
        EXPECT_NEAR(shade(*image, 150, 200 + away), left, 0.01) << away;
    }
    EXPECT_GT(shade(*image, 98.5, 150), 0.9) << "a light shade";
    EXPECT_LT(shade(*image, 98.5, 150), 0.97);
    EXPECT_LT(shade(*image, 96.5, 150), 0.99) << "still there three points out";
    EXPECT_EQ(shade(*image, 92, 150), 1) << "and gone after a few";
}

TEST_F(Shadows, AKeysGreyShadowFallsDownwards) {
    auto image = drawn([](UIView& key) { ColorManager::applyGreyShadow(*key.layer()); });
    EXPECT_LT(shade(*image, 150, 201.5), 0.92) << "below the key";
    EXPECT_GT(shade(*image, 150, 98.5), 0.98) << "hardly above it";
}

TEST_F(ViewUtilities, TheOverlayExistsAtMostOnce) {
    show(std::make_shared<UIViewController>());
    ViewManager::showLoadingOverlay();
    ViewManager::showLoadingOverlay();
    int overlays = 0;
    for (const auto& view : window->subviews())
        overlays += view->tag() == ViewManager::loadingOverlayTag ? 1 : 0;
    EXPECT_EQ(overlays, 1);
    auto overlay = window->viewWithTag(ViewManager::loadingOverlayTag);
    EXPECT_EQ(overlay->frame(), window->frame());
    ViewManager::removeLoadingOverlay();
    EXPECT_EQ(window->viewWithTag(ViewManager::loadingOverlayTag), nullptr);
    ViewManager::removeLoadingOverlay();

    ViewManager::showLoadingOverlayOnMain();
    EXPECT_EQ(window->viewWithTag(ViewManager::loadingOverlayTag), nullptr) << "queued, not yet shown";
    settle();
    EXPECT_NE(window->viewWithTag(ViewManager::loadingOverlayTag), nullptr);
}

TEST_F(ViewUtilities, ToastsStandEightyPointsAboveTheBottomAndGrowWithTheirText) {
    EXPECT_EQ(ViewManager::showToast("no window"), nullptr);
    show(std::make_shared<UIViewController>());
    const CGRect root = window->rootViewController()->view()->bounds();
    auto shortToast = ViewManager::showToast("Please fill in all fields.");
    auto longToast =
        ViewManager::showToast(std::string(400, 'x') + " and more words that wrap onto further lines");
    ASSERT_TRUE(shortToast && longToast);
    EXPECT_DOUBLE_EQ(shortToast->frame().maxY(), root.height() - 80);
    EXPECT_DOUBLE_EQ(longToast->frame().maxY(), root.height() - 80);
    EXPECT_DOUBLE_EQ(shortToast->frame().width(), 0.9 * root.width());
    EXPECT_GT(longToast->frame().height(), shortToast->frame().height() + 20);
    EXPECT_EQ(shortToast->numberOfLines(), 0);
}

TEST_F(ViewUtilities, SegmentImagesFitOnlyInPlainContainers) {
    auto root = std::make_shared<UIView>();
    auto plain = std::make_shared<UIView>();
    auto reached = std::make_shared<UISegmentedControl>();
    reached->insertSegmentWithImage(UIImage::systemImageNamed("plus"), 0);
    plain->addSubview(reached);
    auto custom = std::make_shared<CustomView>();
    auto hidden = std::make_shared<UISegmentedControl>();
    hidden->insertSegmentWithImage(UIImage::systemImageNamed("plus"), 0);
    custom->addSubview(hidden);
    root->addSubview(plain);
    root->addSubview(custom);
    ViewManager::applyContentModeRecursively(*root);
    auto modeOf = [](const UISegmentedControl& control) {
        for (const auto& part : control.segmentViews().front()->subviews()) {
            if (auto image = std::dynamic_pointer_cast<UIImageView>(part))
                return image->contentMode();
        }
        return UIViewContentMode::redraw;
    };
    EXPECT_EQ(modeOf(*reached), UIViewContentMode::scaleAspectFit);
    EXPECT_NE(modeOf(*hidden), UIViewContentMode::scaleAspectFit);
}

TEST_F(ControllerOperations, AlertsGetOkOnlyWithoutActionsAndAlwaysComeOnScreen) {
    auto root = std::make_shared<UIViewController>();
    show(root);
    auto plain = presentAlert(*root, "Title", std::nullopt, {}, UIAlertControllerStyle::alert);
    ASSERT_EQ(plain->actions().size(), 1u);
    EXPECT_EQ(plain->actions()[0]->title(), "OK");
    EXPECT_EQ(root->presentedViewController(), plain);
    root->dismissViewControllerAnimated(false);

    auto two = presentAlert(*root, "Title", "Text",
                            {UIAlertAction::actionWithTitle("Yes", UIAlertActionStyle::defaultStyle),
                             UIAlertAction::actionWithTitle("No", UIAlertActionStyle::cancel)},
                            UIAlertControllerStyle::alert);
    ASSERT_EQ(two->actions().size(), 2u);
    EXPECT_EQ(two->actions()[0]->title(), "Yes");
    root->dismissViewControllerAnimated(false);

    auto gone = std::make_shared<UIViewController>();
    gone->loadViewIfNeeded();
    auto late = presentAlert(*gone, "Title", std::nullopt, {}, UIAlertControllerStyle::alert);
    EXPECT_EQ(root->presentedViewController(), late) << "a screen that has left hands its alert to the root";
}

TEST_F(ControllerOperations, ADisabledTabItemIsGreyAndAnEnabledOneWhite) {
    auto page = std::make_shared<UIViewController>();
    configureTabItem(*page, "Result", false);
    auto item = tabItem(*page);
    EXPECT_EQ(item->title(), "Result");
    EXPECT_FALSE(item->isEnabled());
    EXPECT_EQ(item->titleColor(), UIColor::systemGrayColor());
    configureTabItem(*page, "Result", true);
    EXPECT_EQ(item->titleColor(), ColorManager::buttonWhite()) << "white on the bar as the keys' titles";
}

} // namespace
