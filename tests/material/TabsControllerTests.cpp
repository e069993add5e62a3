#include "MaterialTestSupport.h"

#include "platform/graphics/UIImage.h"
#include "platform/material/TabsController.h"
#include "tests/support/Pixels.h"

#include <gtest/gtest.h>

namespace {

// A page that names its tab while it is being made, before any tab bar exists.
class TitledPage : public RecordingController {
  public:
    TitledPage(std::string title, bool enabled, std::vector<std::string>* log)
        : RecordingController(title, log) {
        auto item = tabItem(*this);
        item->setTitle(title);
        item->setEnabled(enabled);
    }
};

class SelectionLog : public TabsControllerDelegate {
  public:
    void tabsControllerWillSelect(TabsController& tabs,
                                  const std::shared_ptr<UIViewController>& page) override {
        calls.push_back("will " + std::to_string(indexOf(tabs, page)) + " from " +
                        std::to_string(tabs.selectedIndex()));
    }
    void tabsControllerDidSelect(TabsController& tabs,
                                 const std::shared_ptr<UIViewController>& page) override {
        calls.push_back("did " + std::to_string(indexOf(tabs, page)) + " at " +
                        std::to_string(tabs.selectedIndex()));
    }
    static long indexOf(TabsController& tabs, const std::shared_ptr<UIViewController>& page) {
        auto& pages = tabs.viewControllers();
        return std::find(pages.begin(), pages.end(), page) - pages.begin();
    }
    std::vector<std::string> calls;
};

class TabsControllerTest : public MaterialTest {
  protected:
    void SetUp() override {
        MaterialTest::SetUp();
        input = std::make_shared<TitledPage>("Input", true, &appearances);
        result = std::make_shared<TitledPage>("Result", false, &appearances);
        tabs = std::make_shared<TabsController>(std::vector<std::shared_ptr<UIViewController>>{input, result},
                                                0);
        tabs->setDelegate(delegate);
        tabs->setTabBarAlignment(TabBarAlignment::top);
        show(tabs);
        appearances.clear();
    }

    std::vector<std::string> appearances;
    std::shared_ptr<TitledPage> input;
    std::shared_ptr<TitledPage> result;
    std::shared_ptr<TabsController> tabs;
    std::shared_ptr<SelectionLog> delegate = std::make_shared<SelectionLog>();
};

TEST_F(TabsControllerTest, TheBarOnTopCarriesEachPagesItemAndSelectingSwapsThePagesAndMovesTheLine) {
    auto& items = tabs->tabBar()->tabItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1], tabItem(*result));
    EXPECT_EQ(items[1]->titleLabel()->text(), "Result");
    EXPECT_FALSE(items[1]->isEnabled());
    EXPECT_EQ(tabs->selectedIndex(), 0u);
    EXPECT_TRUE(input->view()->isDescendantOfView(tabs->container().get()));
    EXPECT_EQ(result->viewIfLoaded(), nullptr) << "a page not shown yet is not loaded";
    EXPECT_EQ(tabsController(*result), tabs);
    auto bar = tabs->tabBar();
    EXPECT_EQ(bar->frame(), (CGRect{0, 0, 390, TabBar::defaultHeight}));
    EXPECT_EQ(tabs->container()->frame(),
              (CGRect{0, TabBar::defaultHeight, 390, 844 - TabBar::defaultHeight}));
    EXPECT_EQ(bar->tabItems()[1]->frame(), (CGRect{195, 0, 195, TabBar::defaultHeight}));
    EXPECT_EQ(bar->line()->frame(),
              (CGRect{0, TabBar::defaultHeight - TabBar::lineHeight, 195, TabBar::lineHeight}));

    // Selecting swaps the pages with their appearance calls and tells the delegate; the shown page
    // or one that does not exist changes nothing.
    tabs->select(0);
    tabs->select(2);
    EXPECT_TRUE(delegate->calls.empty());
    EXPECT_TRUE(appearances.empty());
    tabs->select(1);
    EXPECT_EQ(tabs->selectedIndex(), 1u);
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"will 1 from 0", "did 1 at 1"}));
    EXPECT_EQ(input->view()->superview(), nullptr);
    EXPECT_EQ(result->view()->frame(), tabs->container()->bounds());
    EXPECT_EQ(appearances, (std::vector<std::string>{"Input willDisappear", "Input didDisappear",
                                                     "Result willAppear", "Result didAppear"}));
    EXPECT_EQ(bar->line()->frame().origin.x, 195);
    bar->setLineAlignment(TabBarLineAlignment::top);
    settle();
    EXPECT_EQ(bar->line()->frame().origin.y, 0);
    EXPECT_FALSE(bar->divider()->isHidden());
    bar->setDividerColor(std::nullopt);
    EXPECT_TRUE(bar->divider()->isHidden());
}

TEST_F(TabsControllerTest, TheBarIsDrawnInItsBackgroundWithTheLineInItsColour) {
    auto bar = tabs->tabBar();
    bar->setBackgroundColor(UIColor(0.1, 0.14, 0.49, 1));
    bar->setLineColor(UIColor(0, 0.9, 0.46, 1));
    settle();
    auto image = window->renderImage(1);
    EXPECT_TRUE(pixels::near(image->colorAtPoint({300, 10}), {0.1, 0.14, 0.49, 1}));
    EXPECT_TRUE(pixels::near(image->colorAtPoint({20, TabBar::defaultHeight - 1.5}), {0, 0.9, 0.46, 1}))
        << "the line under the selected item";
    EXPECT_TRUE(pixels::near(image->colorAtPoint({300, TabBar::defaultHeight - 1.5}), {0.1, 0.14, 0.49, 1}))
        << "and not under the other";
}

TEST(TabItemTest, EachPageHasItsOwnItemForItsWholeLife) {
    auto page = std::make_shared<UIViewController>();
    auto item = tabItem(*page);
    EXPECT_EQ(tabItem(*page), item);
    auto other = std::make_shared<UIViewController>();
    EXPECT_NE(tabItem(*other), item);
    item->setTitle("kept");
    std::weak_ptr<TabItem> weakItem = item;
    item.reset();
    EXPECT_EQ(tabItem(*page)->title(), "kept");
    page.reset();
    tabItem(*other);
    EXPECT_TRUE(weakItem.expired()) << "the item of a page that is gone is let go";
}

} // namespace
