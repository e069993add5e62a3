#pragma once

#include "app/AdHandlingViewController.h"
#include "app/InputRows.h"
#include "engine/ErrorManager.h"
#include "engine/KivoMathOperation.h"
#include "engine/KivoStringOutput.h"
#include "engine/SolutionStep.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITextFieldDelegate.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class ChartData;
class DTTextField;
class EnumeratedInputTableViewCell;
class IconButton;
class NSLayoutConstraint;
class UIButton;
class UISegmentedControl;
class UIStackView;
class UITextField;

// The input page: numbered rows of values x_i and probabilities P(X = x_i), typed with the page's
// own keypad, a mode selector, and the Calculate key that solves them onto the result page.
class CalculateViewController : public AdHandlingViewController,
                                public UITableViewDataSource,
                                public UITableViewDelegate,
                                public UITextFieldDelegate {
  public:
    static constexpr const char* storyboardName = "Main";
    static constexpr CGFloat inputRowHeight = 80;

    using InputRow = ::InputRow;

    CalculateViewController();
    explicit CalculateViewController(const NSCoder& coder);

    std::shared_ptr<UIButton> manualButton;
    std::weak_ptr<UIView> bannerBackgroundView;
    std::weak_ptr<NSLayoutConstraint> bottomBannerConstraint;
    std::shared_ptr<IconButton> clearAllButton;
    std::weak_ptr<UISegmentedControl> segmentedControl;
    std::shared_ptr<UIStackView> keypadStackView;
    std::shared_ptr<UIButton> deleteButton;
    std::shared_ptr<UIButton> calculateButton;
    std::weak_ptr<UITableView> inputTableView;
    std::weak_ptr<UIView> topBackgroundView;
    const std::shared_ptr<KivoStringOutput> outputHelper = KivoStringOutput::shared();
    const std::shared_ptr<KivoMathOperation> basicOperationHelper = KivoMathOperation::shared();
    const std::shared_ptr<ErrorManager> errorManager = ErrorManager::sharedErrorManager();
    std::shared_ptr<UITextField> currentTextField;
    std::vector<std::string> errorIdArray;
    std::optional<std::string> currentError;
    std::string manualImageName;
    std::vector<InputRow> allFields{InputRow{}, InputRow{}};

    // Life cycle.
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // Actions.
    void tappedKeypadButtonWithValue(const std::shared_ptr<UIButton>& sender);
    void tappedDeleteButton(const std::shared_ptr<UIButton>& sender);
    void tappedCalculateButton(const std::shared_ptr<UIButton>& sender);
    void manualButtonPressed(const std::shared_ptr<UIButton>& sender);
    void segmentedControlValueChanged(const std::shared_ptr<UISegmentedControl>& sender);
    void handleClearAllButton();
    bool textFieldShouldBeginEditing(const std::shared_ptr<UITextField>& textField) override;

    // Editing.
    void setupInputTable();
    void setupToolbar();
    void configureInputCell(EnumeratedInputTableViewCell& cell, int row);
    void addInputRow(const NSIndexPath& indexPath);
    void highlightActiveField(const std::shared_ptr<UITextField>& textField);
    void insertKeypadValue(const std::shared_ptr<UIButton>& key);
    void deleteAtCursor();
    void readInputFields(const UITextField& textField);
    void clearAll();
    void storeCurrentInputs();
    void restoreCurrentInputs();

    // The calculation road; true on success.
    bool calculate();
    void saveCalculationToHistory(const std::string& inputLatexString);
    void showSolutionPage(const std::optional<std::vector<SolutionStep>>& steps,
                          const std::vector<std::vector<std::shared_ptr<ChartData>>>& chartSteps,
                          const std::string& imageName);

    // Table.
    int tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, int section) override;
    std::shared_ptr<UITableViewCell>
    tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                   const NSIndexPath& indexPath) override;
    std::optional<std::string> tableViewTitleForHeaderInSection(const std::shared_ptr<UITableView>& tableView,
                                                                int section) override;
    std::optional<CGFloat> tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                            const NSIndexPath& indexPath) override;
    void tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                          const NSIndexPath& indexPath) override;
    void scrollViewDidEndScrollingAnimation(const std::shared_ptr<UIScrollView>& scrollView) override;

    static void registerStoryboardScene();

  private:
    int selectedSegmentIndex() const;
    void reloadInputTable();
    void markErrors(EnumeratedInputTableViewCell& cell, int row);
    // Once per failed run: the analytics event, the console line and the message.
    void reportError(const std::string& error);
    // The marks and the message of the last run go.
    void forgetErrors();
    void refocusEditedField();
    // Scrolls the first marked field into view and gives it the caret once it is there.
    void showFirstMarkedField();
    bool focusField(const std::string& identifier);
    std::optional<std::string> fieldAwaitingFocus;
    // The row's inputs by field identifier, rows with an empty value left out.
    std::map<std::string, std::string> inputsByIdentifier() const;

    // The identifier of the field last edited, which names its row.
    std::string editedFieldIdentifier;
};
