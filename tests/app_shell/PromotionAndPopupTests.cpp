#include "app/KivoAdsViewController.h"
#include "app/SelectionPopupTableViewController.h"
#include "platform/defaults/Defaults.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIButton.h"
#include "tests/app/AppTest.h"

namespace {

class PromotionTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        UIApplication::sharedApplication()->setLinkOpener([this](const std::string& link) {
            links.push_back(link);
            return true;
        });
        presenter = std::make_shared<UIViewController>();
        show(presenter);
    }
    void TearDown() override {
        UIApplication::sharedApplication()->setLinkOpener({});
        AppTest::TearDown();
    }

    std::shared_ptr<KivoAdsViewController> present(std::optional<KivoAdData> ad) {
        auto screen = std::make_shared<KivoAdsViewController>();
        screen->currentAd = std::move(ad);
        presenter->presentViewController(screen, false);
        settle();
        return screen;
    }

    std::shared_ptr<UIViewController> presenter;
    std::vector<std::string> links;
};

} // namespace

TEST_F(PromotionTest, CountsEveryAppearanceAndOpensTheOfferWhenTaken) {
    auto screen = present(KivoAdData{"spring", "https://kivo.example.com/offer", "20"});
    EXPECT_EQ(Defaults().get(KivoAdsViewController::countKivoAdsPresentedKey), 1);
    auto discount = screen->discountButton.lock();
    EXPECT_EQ(discount->currentTitle(), std::optional<std::string>("Grab your 20% discount now!"));
    EXPECT_EQ(discount->layer()->shadowOpacity(), 0.7f);
    const auto presented = eventsNamed("kivoAds_presented");
    ASSERT_EQ(presented.size(), 1u);
    EXPECT_EQ(presented[0].parameters.at("kivoAdId").stringValue(), std::optional<std::string>("spring"));
    EXPECT_EQ(presented[0].parameters.at("countKivoAdsPresented").integerValue(),
              std::optional<std::int64_t>(1));
    EXPECT_EQ(presented[0].parameters.at("sendingApp").stringValue(),
              std::optional<std::string>("com.ombrel.app"));

    discount->sendActionsForControlEvents(UIControlEventTouchUpInside);
    clock->advance(1);
    EXPECT_EQ(links, std::vector<std::string>{"https://kivo.example.com/offer"});
    EXPECT_EQ(eventsNamed("kivoAds_openedAdProduct").size(), 1u);
    EXPECT_EQ(presenter->presentedViewController(), nullptr);

    present(KivoAdData{"spring", "not a link", "20"});
    EXPECT_EQ(Defaults().get(KivoAdsViewController::countKivoAdsPresentedKey), 2);
}

TEST_F(PromotionTest, WithoutARecordNothingIsOfferedAndDarkModeHasNoShadows) {
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::dark));
    auto screen = present(std::nullopt);
    EXPECT_EQ(screen->adImageView.lock()->image(), nullptr);
    EXPECT_EQ(screen->discountButton.lock()->currentTitle(), std::nullopt);
    EXPECT_EQ(screen->discountButton.lock()->layer()->shadowOpacity(), 0.0f);
    EXPECT_EQ(screen->closeButton.lock()->layer()->shadowOpacity(), 0.0f);
    screen->closeButton.lock()->sendActionsForControlEvents(UIControlEventTouchUpInside);
    clock->advance(1);
    const auto closed = eventsNamed("kivoAds_closedAds");
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].parameters.at("kivoAdId").stringValue(), std::optional<std::string>("unknown"));
    EXPECT_EQ(closed[0].parameters.at("countKivoAdsPresented").integerValue(),
              std::optional<std::int64_t>(1));
    EXPECT_TRUE(links.empty());
    EXPECT_EQ(presenter->presentedViewController(), nullptr);
}

using SelectionPopupTest = AppTest;

TEST_F(SelectionPopupTest, HighlightsTheChoiceAndReportsTheTappedRow) {
    auto popup = std::make_shared<SelectionPopupTableViewController>();
    popup->data = {"a", "b", "c", "d", "e"};
    EXPECT_EQ(popup->preferredContentSize(), (CGSize{80, 200}));
    popup->selectedIndex = 2;
    std::optional<int> chosen;
    popup->completion = [&chosen](int row) { chosen = row; };
    auto presenter = std::make_shared<UIViewController>();
    show(presenter);
    presenter->presentViewController(popup, false);
    settle();
    auto table = popup->tableView();
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 2})->backgroundColor(), popup->cellHighlightColor);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 1})->backgroundColor(), popup->cellBgColor);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 1})->textLabel()->text(), "b");
    popup->tableViewDidSelectRowAtIndexPath(table, {0, 4});
    clock->advance(1);
    EXPECT_EQ(chosen, std::optional<int>(4));
    EXPECT_EQ(presenter->presentedViewController(), nullptr);
}

TEST_F(SelectionPopupTest, AContainerWithoutAShapeMaskGetsNoBorder) {
    auto popup = std::make_shared<SelectionPopupTableViewController>();
    auto container = std::make_shared<UIView>(CGRect{0, 0, 100, 100});
    auto middle = std::make_shared<UIView>(CGRect{0, 0, 100, 100});
    container->addSubview(middle);
    middle->addSubview(popup->view());
    container->setMaskView(std::make_shared<UIView>(CGRect{0, 0, 100, 100}));
    const std::size_t before = container->layer()->sublayers().size();
    popup->viewDidLayoutSubviews();
    EXPECT_EQ(container->layer()->sublayers().size(), before);
}
