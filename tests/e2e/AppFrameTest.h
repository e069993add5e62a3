#pragma once

#include "app/AppFlags.h"
#include "app/ColorManager.h"
#include "app/EnumeratedInputTableViewCell.h"
#include "app/RatingViewController.h"
#include "app/SolutionStepTableViewCell.h"
#include "app/ViewControllerOperations.h"
#include "app/ViewManager.h"
#include "engine/CalcManager.h"
#include "engine/ErrorManager.h"
#include "platform/defaults/Defaults.h"
#include "platform/kits/DTTextField.h"
#include "platform/material/FABButton.h"
#include "platform/material/FlatButton.h"
#include "platform/material/IconButton.h"
#include "platform/material/TabItem.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UIStackView.h"
#include "tests/app/AppTest.h"
#include "tests/e2e/AppFrame.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The app's frame built as start-up builds it, with the toast as the error presenter, the rating
// already done and no calculation left from an earlier test. Touches go through the window like a
// user's.
class AppFrameTest : public AppTest {
  public:
    void SetUp() override {
        AppTest::SetUp();
        UITraitCollection::setCurrentTraitCollection(UITraitCollection(appearance()));
        ErrorManager::setPresenter([](const std::string& message) { ViewManager::showToast(message); });
        Defaults().set(RatingViewController::isRatingAlreadyDoneKey, true);
        CalcManager::shared()->clearCalculations();
        isCalculationRunning = false;
        configureScreen();

        AppFrame frame;
        ASSERT_TRUE(frame.input && frame.result);
        input = frame.input;
        result = frame.result;
        tabs = frame.tabs;
        drawer = frame.drawer;
        window = frame.window;
        settle();
    }

    void TearDown() override {
        ErrorManager::setPresenter({});
        AppTest::TearDown();
    }

    virtual UIUserInterfaceStyle appearance() const { return UIUserInterfaceStyle::light; }
    // Before the frame is built; the phone's screen unless a test sets another.
    virtual void configureScreen() {}

    using AppTest::settle;

    // Where the view lies in the window.
    CGRect inWindow(const UIView& view) const { return view.convertRectToView(view.bounds(), window.get()); }

    void tap(const UIView& view) {
        window->tapAtPoint(inWindow(view).center());
        settle();
    }

    std::shared_ptr<FlatButton> key(const std::string& title) {
        return findButton(title, *input->keypadStackView);
    }

    void tapKey(const std::string& title) { tap(*key(title)); }

    void typeKeys(const std::string& keys) {
        for (char c : keys)
            tapKey(std::string(1, c));
    }

    std::shared_ptr<UITableView> inputTable() { return input->inputTableView.lock(); }

    std::shared_ptr<DTTextField> field(int row, bool probability) {
        auto table = inputTable();
        table->scrollToRowAtIndexPath({0, row}, UITableViewScrollPosition::middle, false);
        settle();
        auto cell =
            std::dynamic_pointer_cast<EnumeratedInputTableViewCell>(table->cellForRowAtIndexPath({0, row}));
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

    // Toast labels on the root view, by text.
    std::vector<std::string> toastTexts() {
        std::vector<std::string> texts;
        for (const auto& view : drawer->view()->subviews()) {
            if (auto label = std::dynamic_pointer_cast<UILabel>(view))
                texts.push_back(label->text());
        }
        return texts;
    }

    std::filesystem::path outputPath(const std::string& name) const {
        return std::filesystem::path(OMBREL_BINARY_DIR) / name;
    }

    std::shared_ptr<CalculateViewController> input;
    std::shared_ptr<SolutionViewController> result;
    std::shared_ptr<AppPageTabBarController> tabs;
    std::shared_ptr<AppNavigationDrawerController> drawer;
};
