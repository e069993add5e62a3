#include "AppTest.h"

#include "app/AppDelegate.h"
#include "app/AppFlags.h"
#include "app/AppNavigationDrawerController.h"
#include "app/AppToolbarController.h"
#include "app/CalculateViewController.h"
#include "app/HistoryTableViewController.h"
#include "app/InputRows.h"
#include "app/ManualViewController.h"
#include "app/MenuToolbarController.h"
#include "app/RemoteConfigManager.h"
#include "app/SolutionStepTableViewCell.h"
#include "app/SolutionViewController.h"
#include "engine/CalcManager.h"
#include "engine/ErrorManager.h"
#include "platform/foundation/Locale.h"
#include "platform/graphics/UIFont.h"
#include "platform/material/FABButton.h"
#include "platform/material/IconButton.h"
#include "platform/math/MTMathUILabel.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UIStackView.h"
#include "platform/uikit/UIStoryboard.h"
#include "platform/uikit/UITextField.h"
#include "tests/support/Pixels.h"

namespace {

using StepCell = AppTest;
using InputPage = AppTest;
using Frame = AppTest;
using Services = AppTest;

std::shared_ptr<SolutionStepTableViewCell> makeStepCell() {
    for (const auto& object : SolutionStepTableViewCell::prototypeNib()->instantiateWithOwner(nullptr)) {
        if (auto cell = std::dynamic_pointer_cast<SolutionStepTableViewCell>(object))
            return cell;
    }
    return nullptr;
}

TEST_F(StepCell, HeadingsAreBoldOnlyWithTheMarkerAtTheEndAndMessagesWinOverFormulas) {
    auto cell = makeStepCell();
    ASSERT_NE(cell, nullptr);
    ASSERT_NE(cell->scrollView, nullptr) << "the formula area is built when the cell wakes";
    EXPECT_EQ(cell->mathLabel->superview(), cell->scrollView);
    const std::string heavy = UIFont::fontWithName("Avenir-Heavy", 16)->fontName();
    const std::string book = UIFont::fontWithName("Avenir-Book", 16)->fontName();

    cell->setStepTitle("Result#bold");
    EXPECT_EQ(cell->stepTitleLabel->text(), "Result");
    EXPECT_EQ(cell->stepTitleLabel->font().fontName(), heavy);
    cell->setStepTitle("#bold#boldMean#bold");
    EXPECT_EQ(cell->stepTitleLabel->text(), "Mean");
    cell->setStepTitle("#boldMean");
    EXPECT_EQ(cell->stepTitleLabel->text(), "#boldMean");
    EXPECT_EQ(cell->stepTitleLabel->font().fontName(), book);
    EXPECT_FALSE(cell->stepTitleLabelView.lock()->isHidden());
    EXPECT_EQ(cell->stackViewTopConstraint.lock()->constant(), 20);

    cell->setStepTitle("");
    EXPECT_TRUE(cell->stepTitleLabelView.lock()->isHidden());
    EXPECT_EQ(cell->stackViewTopConstraint.lock()->constant(), 0);

    // Messages win, and a reused cell forgets its formula.
    cell->setStepLatex({{"title", ""}, {"latexString", "x^2"}, {"messageString", "No solution"}});
    EXPECT_EQ(cell->mathLabel->latex(), "\\text{No solution}");
    cell->setStepLatex({{"title", ""}, {"latexString", "n = 5"}});
    EXPECT_EQ(cell->mathLabel->latex(), KivoStringOutput::beautifyLatex("n = 5"));
    cell->setStepLatex({{"title", "Only a title"}});
    EXPECT_EQ(cell->mathLabel->latex(), "");
}

// A wide formula can be swiped to its end; the next formula of a reused cell is shown from its
// start, fifty points in from the row's edge.
TEST_F(StepCell, AFormulaStartsFiftyPointsInAndAReusedCellShowsTheNextOneFromItsStart) {
    auto cell = makeStepCell();
    ASSERT_NE(cell, nullptr);
    const std::string wide = "s^2 = \\frac{1}{4} \\cdot " + std::string(40, 'x');
    cell->setStepLatex({{"title", ""}, {"latexString", wide}});
    cell->layoutIfNeeded();
    auto area = cell->scrollView;
    const CGSize wideSize = area->contentSize();
    EXPECT_EQ(wideSize, cell->mathLabel->intrinsicContentSize());
    ASSERT_GT(wideSize.width, area->bounds().width());
    area->setContentOffset({wideSize.width - area->bounds().width(), 0});

    cell->setStepLatex({{"title", ""}, {"latexString", wide + "y"}});
    cell->layoutIfNeeded();
    EXPECT_EQ(area->contentOffset(), (CGPoint{0, 0}));
    EXPECT_GT(area->contentSize().width, wideSize.width);
    cell->setStepLatex({{"title", ""}, {"latexString", "n = 5"}});
    cell->layoutIfNeeded();
    EXPECT_LT(area->contentSize().width, area->bounds().width());

    auto image = pixels::render(*cell->layer(), cell->bounds().size, 1);
    CGFloat firstInk = cell->bounds().width();
    for (CGFloat y = 0; y < cell->bounds().height(); ++y) {
        for (CGFloat x = 0; x < firstInk; ++x) {
            const auto c = image->colorAtPoint({x, y}).value_or(UIColor::RGBA{});
            if (c.alpha > 0.5 && c.red + c.green + c.blue < 1.5)
                firstInk = x;
        }
    }
    EXPECT_GE(firstInk, 50);
    EXPECT_LE(firstInk, 54);
}

class ResultPageTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        page = AppDelegate().solutionViewController();
        show(page);
    }
    CGFloat height(const SolutionStep& step) {
        page->solutionSteps = {step};
        return page->heightForSolutionRow({0, 0});
    }
    std::shared_ptr<SolutionViewController> page;
};

struct FixedRatioChart : ChartData {};

TEST_F(ResultPageTest, RowHeightsAndSectionsFollowStepsChartsAndVideosAndTheTableRunsPastTheEdge) {
    // The table runs fifty points past the trailing edge.
    EXPECT_EQ(page->tableView->frame().maxX(), page->view()->bounds().width() + 50);
    EXPECT_TRUE(page->shareButton->isHidden()) << "nothing to share yet";
    EXPECT_TRUE(page->manualButton.lock()->isHidden());

    EXPECT_EQ(height({{"title", ""}}), 54);
    EXPECT_EQ(height({{"title", "T"}, {"latexString", "n = 5"}}), 96);
    EXPECT_EQ(height({{"title", "T"}, {"latexString", "\\frac{1}{2}^2"}}), 56 + 30 + 15 + 20 + 20);
    EXPECT_EQ(height({{"title", ""}, {"latexString", "a \\\\ b \\\\ c"}}), 100 + 20 + 20 - 22);
    EXPECT_EQ(height({{"title", ""}, {"latexString", "\\prod x"}}), 56 + 20 + 20 - 22);
    EXPECT_EQ(height({{"title", ""}, {"latexString", "\\prod \\frac{1}{2}"}}), 56 + 30 + 20 - 22);
    EXPECT_EQ(height({{"title", ""}, {"latexString", "\\binom{4}{2}"}}), 56 + 30 + 20 - 22);
    EXPECT_EQ(height({{"title", ""}, {"latexString", "\\sqrt{\\left(\\frac{1}{2}\\right)^2}"}}),
              56 + 30 + 10 + 15 + 10 + 5 + 20 - 22);
    EXPECT_EQ(height({{"title", ""}, {"latexString", "x_i {\\frac{1}{2}} \\sum"}}),
              56 + 30 + 10 + 5 + 20 + 20 - 22);

    auto table = page->tableView;
    page->solutionSteps.clear();
    page->videoUrlStrings = {"link"};
    EXPECT_EQ(page->numberOfSectionsInTableView(table), 1) << "no video row without steps";
    page->solutionSteps = {{{"title", "T"}, {"latexString", "x"}}};
    page->videoUrlStrings.clear();
    EXPECT_EQ(page->numberOfSectionsInTableView(table), 1) << "nor without videos";
    page->videoUrlStrings = {"link"};
    EXPECT_EQ(page->numberOfSectionsInTableView(table), 2);
    EXPECT_EQ(page->tableViewNumberOfRowsInSection(table, 1), 1);
    EXPECT_EQ(page->heightForSolutionRow({1, 0}), window->bounds().width()) << "section 1 is the video row";

    auto chart = std::make_shared<FixedRatioChart>();
    chart->frameRatio = 2;
    page->chartSteps = {{chart}, {chart}};
    EXPECT_EQ(page->numberOfSectionsInTableView(table), 3);
    EXPECT_EQ(page->tableViewNumberOfRowsInSection(table, 1), 2);
    EXPECT_EQ(page->heightForSolutionRow({1, 1}), window->bounds().width() / 2);
    EXPECT_EQ(page->tableViewNumberOfRowsInSection(table, 2), 1);
    // A page narrower than the window, as in a split or a popover, sizes its charts by its own width.
    page->view()->setFrame({0, 0, 200, 500});
    EXPECT_EQ(page->heightForSolutionRow({1, 1}), 100);
}

TEST_F(Frame, TheMenuButtonOpensTheDrawerUnlessACalculationRuns) {
    auto toolbar = std::make_shared<AppToolbarController>(std::make_shared<UIViewController>());
    auto menu = std::make_shared<MenuToolbarController>(std::make_shared<UIViewController>());
    auto drawer = std::make_shared<AppNavigationDrawerController>(toolbar, menu);
    show(drawer);
    ASSERT_NE(toolbar->menuButton, nullptr);

    isCalculationRunning = true;
    toolbar->handleMenuButton();
    isCalculationRunning = false;
    EXPECT_FALSE(drawer->isLeftViewOpened());
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].name, "tapped_menu_button");

    toolbar->menuButton->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_TRUE(drawer->isLeftViewOpened());
    clock->advance(1.0);
    toolbar->menuButton->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_FALSE(drawer->isLeftViewOpened());

    EXPECT_EQ(menu->toolbar()->title(), "  Ombrel  ");
    EXPECT_TRUE(menu->statusBar()->isHidden());
    // Without its status bar the menu's tall bar starts at the top, its title in the lower part, and
    // keeps its height through a new layout.
    const CGFloat tall = MenuToolbarController::toolbarHeight;
    const CGFloat width = NavigationDrawerController::leftViewWidth;
    auto expectMenuBar = [&] {
        EXPECT_EQ(menu->toolbar()->frame(), (CGRect{0, 0, width, tall}));
        EXPECT_EQ(menu->container()->frame().minY(), tall);
        EXPECT_EQ(menu->toolbar()->titleLabel()->frame(), (CGRect{0, 57, width, tall - 57}));
    };
    expectMenuBar();
    window->setFrame({0, 0, 400, 700});
    settle();
    expectMenuBar();
    EXPECT_EQ(toolbar->statusBarStyle(), StatusBarStyle::lightContent);
}

TEST_F(InputPage, IdentifiersWithoutARowChangeNothing) {
    auto page = AppDelegate().calculateViewController();
    show(page);
    UITextField field;
    field.setText("5");
    for (const std::string identifier : {"event", "event9", "probabilityx", "probability-1", "ev"}) {
        field.setAccessibilityIdentifier(identifier);
        page->readInputFields(field);
    }
    EXPECT_EQ(page->allFields, (std::vector<CalculateViewController::InputRow>{{}, {}}));
    field.setAccessibilityIdentifier("probability1");
    page->readInputFields(field);
    EXPECT_EQ(page->allFields[1].probability, "5");
}

TEST_F(InputPage, AStoredFieldLongerThanTheKeypadTypesIsNotOpenedFromTheHistoryNorAtStart) {
    std::vector<std::string> shown;
    ErrorManager::setPresenter([&](const std::string& message) { shown.push_back(message); });
    const std::string full(maximumFieldLength, '7');
    auto store = CalcManager::shared();
    store->clearCalculations();
    const Calculation tooLong{"too long", {{"event0", "1"}, {"probability0", full + "1"}}, {}, {}};
    store->addCalculation(tooLong, false);
    store->addCalculation({"full", {{"event0", full}}, {}, {}}, false);
    auto history = std::dynamic_pointer_cast<HistoryTableViewController>(
        UIStoryboard::storyboardWithName(HistoryTableViewController::storyboardName)
            ->instantiateViewControllerWithIdentifier(HistoryTableViewController::storyboardIdentifier));
    show(history);

    history->selectHistoryItem(1);
    EXPECT_FALSE(store->currentSelectedCalculation()) << "refused";
    EXPECT_EQ(shown.size(), 1u);
    history->selectHistoryItem(0);
    auto page = AppDelegate().calculateViewController();
    show(page);
    EXPECT_EQ(page->allFields.at(0).event, full);

    // The same entry left selected by an earlier version is refused when the page loads.
    store->setCurrentSelectedCalculation(tooLong);
    page = AppDelegate().calculateViewController();
    show(page);
    EXPECT_EQ(page->allFields, (std::vector<CalculateViewController::InputRow>{{}, {}}));
    EXPECT_FALSE(store->currentSelectedCalculation());
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_NE(shown[1].find("larger than Ombrel can open"), std::string::npos) << shown[1];
    ErrorManager::setPresenter({});
    store->clearCalculations();
}

// The last row there may be: the table is full, and its add-row adds nothing.
TEST_F(InputPage, AtTheRowLimitTheAddRowAddsNothing) {
    auto page = AppDelegate().calculateViewController();
    show(page);
    page->allFields.resize(maximumInputRows);
    auto table = page->inputTableView.lock();
    table->reloadData();
    const int addRow = static_cast<int>(maximumInputRows);
    table->scrollToRowAtIndexPath({0, addRow}, UITableViewScrollPosition::bottom, false);
    settle();
    auto cell = table->cellForRowAtIndexPath({0, addRow});
    ASSERT_TRUE(cell && cell->reuseIdentifier() == "addCell");
    page->tableViewDidSelectRowAtIndexPath(table, {0, addRow});
    EXPECT_EQ(page->allFields.size(), maximumInputRows);
    EXPECT_EQ(table->numberOfRowsInSection(0), addRow + 1);
}

TEST_F(Services, VideoLinksPutTheUsersLanguageFirstThenEnglish) {
    auto manager = RemoteConfigManager::shared();
    manager->videoTutorials =
        RemoteConfigManager::VideoTutorials{{"OB", {{"de", {"a"}}, {"en", {"b", "c"}}}}};
    Locale::setCurrentLanguageOverride("de");
    EXPECT_EQ(manager->videoTutorialLinks(CalculatorCode::ombrel), (std::vector<std::string>{"a", "b", "c"}));
    // A language without videos, one the app does not know, and English itself get the English ones.
    for (const char* language : {"fr", "it", "en"}) {
        Locale::setCurrentLanguageOverride(language);
        EXPECT_EQ(manager->videoTutorialLinks(CalculatorCode::ombrel), (std::vector<std::string>{"b", "c"}))
            << language;
    }
    EXPECT_TRUE(manager->videoTutorialLinks(std::nullopt).empty());
    Locale::setCurrentLanguageOverride(std::nullopt);
    manager->videoTutorials.reset();
}

TEST_F(Services, TheManualShowsItsHeadingWithoutAnImageAndCloses) {
    auto root = std::make_shared<UIViewController>();
    show(root);
    auto manual = std::make_shared<ManualViewController>(ManualViewController::manualNibName);
    manual->imageName = "noSuchManual";
    root->presentViewController(manual, false);
    EXPECT_EQ(manual->imageView->image(), nullptr);
    EXPECT_EQ(manual->label.lock()->text(), "How to use the calculator");
    EXPECT_EQ(manual->viewForZoomingInScrollView(manual->scrollView.lock()), manual->imageView);
    auto close = manual->closeButton.lock();
    EXPECT_EQ(close->accessibilityIdentifier(), "closeManualButton");
    close->sendActionsForControlEvents(UIControlEventTouchUpInside);
    clock->advance(1.0);
    settle();
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

} // namespace
