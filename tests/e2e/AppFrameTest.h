#pragma once

#include "app/AppFlags.h"
#include "app/AppNavigationDrawerController.h"
#include "app/AppPageTabBarController.h"
#include "app/AppToolbarController.h"
#include "app/CalculateViewController.h"
#include "app/ColorManager.h"
#include "app/EnumeratedInputTableViewCell.h"
#include "app/InterfaceBuilders.h"
#include "app/MenuToolbarController.h"
#include "app/RatingViewController.h"
#include "app/SolutionStepTableViewCell.h"
#include "app/SolutionViewController.h"
#include "app/ViewManager.h"
#include "engine/CalcManager.h"
#include "engine/ErrorManager.h"
#include "platform/defaults/Defaults.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/ManualClock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/CGContext.h"
#include "platform/kits/DTTextField.h"
#include "platform/material/FABButton.h"
#include "platform/material/FlatButton.h"
#include "platform/material/IconButton.h"
#include "platform/material/TabItem.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UIStackView.h"
#include "platform/uikit/UIStoryboard.h"
#include "platform/uikit/UIWindow.h"
#include "platform/veraziva/VAVAnalytics.h"
#include "platform/veraziva/VAVApp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

// The app's frame built as start-up builds it (drawer, toolbar, two pages, window), on a manual
// clock, with its own user defaults, the toast as the error presenter and the analytics events
// collected. Touches go through the window like a user's.
class AppFrameTest : public ::testing::Test {
  public:
    void SetUp() override { build(UIUserInterfaceStyle::light); }

    void TearDown() override {
        VAVAnalytics::removeEventListener(listener_);
        ErrorManager::setPresenter({});
        window.reset();
        RunLoop::main()->removeAllWork();
        Clock::setCurrent(nullptr);
        UserDefaults::resetStandardUserDefaults();
        std::error_code ignored;
        std::filesystem::remove_all(home_, ignored);
    }

    void build(UIUserInterfaceStyle style) {
        Bundle::setMainBundlePath(OMBREL_BUNDLE_DIR);
        std::random_device random;
        home_ = std::filesystem::temp_directory_path() / ("ombrel-e2e-" + std::to_string(random()));
        std::filesystem::create_directories(home_);
        setenv("OMBREL_HOME", home_.c_str(), 1);
        UserDefaults::resetStandardUserDefaults();
        RunLoop::main()->removeAllWork();
        clock = std::make_shared<ManualClock>();
        Clock::setCurrent(clock);
        UIScreen::mainScreen()->reset();
        UITraitCollection::setCurrentTraitCollection(UITraitCollection(style));
        if (!VAVApp::isDefaultAppConfigured())
            VAVApp::configure();
        listener_ =
            VAVAnalytics::addEventListener([this](const APMEvent& event) { events.push_back(event); });
        ErrorManager::setPresenter([](const std::string& message) { ViewManager::showToast(message); });
        Defaults().set(RatingViewController::isRatingAlreadyDoneKey, true);
        CalcManager::shared()->clearCalculations();
        isCalculationRunning = false;

        InterfaceBuilders::registerAll();
        input = std::dynamic_pointer_cast<CalculateViewController>(
            UIStoryboard::storyboardWithName("Main")->instantiateViewControllerWithIdentifier(
                "CalculateViewController"));
        result = std::dynamic_pointer_cast<SolutionViewController>(
            UIStoryboard::storyboardWithName("SolutionViewController")
                ->instantiateViewControllerWithIdentifier("SolutionViewController"));
        ASSERT_TRUE(input && result);
        tabs = std::make_shared<AppPageTabBarController>(
            std::vector<std::shared_ptr<UIViewController>>{input, result}, 0);
        toolbar = std::make_shared<AppToolbarController>(tabs);
        auto menu = std::make_shared<MenuToolbarController>(std::make_shared<UIViewController>());
        drawer = std::make_shared<AppNavigationDrawerController>(toolbar, menu);
        window = std::make_shared<UIWindow>(UIScreen::mainScreen()->bounds());
        window->setRootViewController(drawer);
        window->makeKeyAndVisible();
        settle();
    }

    // Runs due work and lays the window out.
    void settle() {
        RunLoop::main()->runUntilIdle();
        window->layoutIfNeeded();
    }

    void tap(const UIView& view) {
        window->tapAtPoint(view.convertRectToView(view.bounds(), window.get()).center());
        settle();
    }

    std::shared_ptr<FlatButton> key(const std::string& title) {
        for (const auto& view : allViews(*input->keypadStackView)) {
            auto button = std::dynamic_pointer_cast<FlatButton>(view);
            if (button && button->accessibilityIdentifier() == "key " + title)
                return button;
        }
        return nullptr;
    }

    void tapKey(const std::string& title) { tap(*key(title)); }

    void typeKeys(const std::string& keys) {
        for (char c : keys)
            tapKey(std::string(1, c));
    }

    std::shared_ptr<UITableView> inputTable() { return input->inputTableView.lock(); }

    std::shared_ptr<EnumeratedInputTableViewCell> inputCell(int row) {
        auto table = inputTable();
        table->scrollToRowAtIndexPath({0, row}, UITableViewScrollPosition::middle, false);
        settle();
        return std::dynamic_pointer_cast<EnumeratedInputTableViewCell>(
            table->cellForRowAtIndexPath({0, row}));
    }

    std::shared_ptr<DTTextField> field(int row, bool probability) {
        auto cell = inputCell(row);
        return cell ? (probability ? cell->doubleTextField : cell->integerTextField).lock() : nullptr;
    }

    // Taps the field and types into it with the keypad.
    void typeInto(int row, bool probability, const std::string& keys) {
        auto target = field(row, probability);
        ASSERT_NE(target, nullptr) << "row " << row;
        tap(*target);
        ASSERT_TRUE(target->isFirstResponder());
        typeKeys(keys);
    }

    void tapAddRow() {
        auto table = inputTable();
        const int last = table->numberOfRowsInSection(0) - 1;
        table->scrollToRowAtIndexPath({0, last}, UITableViewScrollPosition::bottom, false);
        settle();
        tap(*table->cellForRowAtIndexPath({0, last}));
    }

    void chooseMode(int index) {
        auto selector = input->segmentedControl.lock();
        tap(*selector->segmentViews().at(static_cast<std::size_t>(index)));
    }

    // The worked example of the first start: values 4, 5, 3, 7, 4 with their probabilities.
    void typeWorkedExample(int mode) {
        chooseMode(mode);
        for (int i = 0; i < 3; ++i)
            tapAddRow();
        const std::vector<std::string> values{"4", "5", "3", "7", "4"};
        const std::vector<std::string> probabilities{".3", ".25", ".4", ".04", ".01"};
        for (int row = 0; row < 5; ++row) {
            typeInto(row, false, values[static_cast<std::size_t>(row)]);
            if (mode == 1)
                typeInto(row, true, "0" + probabilities[static_cast<std::size_t>(row)]);
        }
    }

    void tapCalculate() { tap(*input->calculateButton); }

    static std::vector<std::shared_ptr<UIView>> allViews(UIView& root) {
        std::vector<std::shared_ptr<UIView>> views;
        std::function<void(UIView&)> walk = [&](UIView& view) {
            for (const auto& subview : view.subviews()) {
                views.push_back(subview);
                walk(*subview);
            }
        };
        walk(root);
        return views;
    }

    // Toast labels on the root view, by text.
    std::vector<std::string> toastTexts() {
        std::vector<std::string> texts;
        for (const auto& view : drawer->view()->subviews()) {
            if (auto label = std::dynamic_pointer_cast<UILabel>(view))
                texts.push_back(label->text());
        }
        return texts;
    }

    std::vector<APMEvent> eventsNamed(const std::string& name) const {
        std::vector<APMEvent> found;
        for (const auto& event : events) {
            if (event.name == name)
                found.push_back(event);
        }
        return found;
    }

    std::filesystem::path outputPath(const std::string& name) const {
        return std::filesystem::path(OMBREL_BINARY_DIR) / name;
    }

    std::shared_ptr<ManualClock> clock;
    std::shared_ptr<CalculateViewController> input;
    std::shared_ptr<SolutionViewController> result;
    std::shared_ptr<AppPageTabBarController> tabs;
    std::shared_ptr<AppToolbarController> toolbar;
    std::shared_ptr<AppNavigationDrawerController> drawer;
    std::shared_ptr<UIWindow> window;
    std::vector<APMEvent> events;

  private:
    std::filesystem::path home_;
    int listener_ = 0;
};
