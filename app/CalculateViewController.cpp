#include "app/CalculateViewController.h"

#include "app/AddCellTableViewCell.h"
#include "app/AppFlags.h"
#include "app/ColorManager.h"
#include "app/EnumeratedInputTableViewCell.h"
#include "app/ManualViewController.h"
#include "app/RatingViewController.h"
#include "app/SolutionViewController.h"
#include "app/ViewControllerOperations.h"
#include "app/ViewManager.h"
#include "engine/CalcManager.h"
#include "engine/KivoCalculation.h"
#include "engine/KivoOmbrel.h"
#include "engine/LocalizedString.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Utf8.h"
#include "platform/graphics/UIFont.h"
#include "platform/kits/DTTextField.h"
#include "platform/material/FlatButton.h"
#include "platform/material/Icon.h"
#include "platform/material/IconButton.h"
#include "platform/material/TabsController.h"
#include "platform/material/ToolbarController.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UIStackView.h"
#include "platform/uikit/UIStoryboard.h"
#include "platform/veraziva/VAVAnalytics.h"

#include <algorithm>
#include <utility>

namespace {

constexpr CGFloat keyHeight = 52;
constexpr CGFloat keySpacing = 8;
constexpr CGFloat margin = 12;

using LocalizedString::localized;

bool namesRow(const std::string& entry, int row) {
    return rowOfIdentifier(entry) == static_cast<std::size_t>(row);
}

// Empties the shared step collector for the next calculation.
void resetStepCollector(KivoStringOutput& output, KivoMathOperation& operation) {
    operation.withFraction = false;
    output.solutionSteps.clear();
    output.solutionStepCounter = 0;
}

void placeCaret(UITextField& field, int offset) {
    const int clamped = std::clamp(offset, 0, utf8CharacterCount(field.text()));
    field.setSelectedTextRange(UITextRange{{clamped}, {clamped}});
}

std::shared_ptr<FlatButton> makeKey(const std::string& title, ColorTag tag) {
    auto key = std::make_shared<FlatButton>(title);
    key->setTag(tag);
    key->setAccessibilityIdentifier("key " + title);
    key->layer()->setCornerRadius(8);
    if (auto font = UIFont::fontWithName("Avenir-Heavy", 24))
        key->titleLabel()->setFont(*font);
    return key;
}

std::shared_ptr<UIStackView> makeKeyRow(std::vector<std::shared_ptr<UIView>> keys) {
    auto row = std::make_shared<UIStackView>(keys);
    row->setAxis(UILayoutConstraintAxis::horizontal);
    row->setDistribution(UIStackViewDistribution::fillEqually);
    row->setSpacing(keySpacing);
    return row;
}

std::shared_ptr<UIStackView> buildKeypad(CalculateViewController& self) {
    auto shared = self.sharedAs<CalculateViewController>();
    auto key = [&](const std::string& title, ColorTag tag) {
        auto button = makeKey(title, tag);
        button->addTarget(shared, &CalculateViewController::tappedKeypadButtonWithValue,
                          UIControlEventTouchUpInside);
        return std::static_pointer_cast<UIView>(button);
    };
    auto deleteKey = makeKey("", darkBlueTag);
    deleteKey->setAccessibilityIdentifier("deleteButton");
    deleteKey->addTarget(shared, &CalculateViewController::tappedDeleteButton, UIControlEventTouchUpInside);
    auto calculateKey = makeKey("", greenAccentTag);
    calculateKey->setAccessibilityIdentifier("calculateButton");
    calculateKey->addTarget(shared, &CalculateViewController::tappedCalculateButton,
                            UIControlEventTouchUpInside);

    auto zeroAndPoint = makeKeyRow({key("0", blueTag), key(".", violetTag)});
    auto keypad = std::make_shared<UIStackView>(std::vector<std::shared_ptr<UIView>>{
        makeKeyRow({key("7", blueTag), key("8", blueTag), key("9", blueTag), deleteKey}),
        makeKeyRow({key("4", blueTag), key("5", blueTag), key("6", blueTag), key("/", violetTag)}),
        makeKeyRow({key("1", blueTag), key("2", blueTag), key("3", blueTag), key("-", violetTag)}),
        makeKeyRow({zeroAndPoint, calculateKey}),
    });
    keypad->setAxis(UILayoutConstraintAxis::vertical);
    keypad->setDistribution(UIStackViewDistribution::fillEqually);
    keypad->setSpacing(keySpacing);
    self.deleteButton = deleteKey;
    self.calculateButton = calculateKey;
    return keypad;
}

std::shared_ptr<UIView> buildTopPanel(CalculateViewController& self) {
    auto shared = self.sharedAs<CalculateViewController>();
    const CGFloat width = UIScreen::mainScreen()->bounds().width() - 2 * margin;
    auto panel = std::make_shared<UIView>(CGRect{0, 0, width, 52});
    panel->setBackgroundColor(UIColor::systemBackgroundColor());
    panel->layer()->setCornerRadius(10);

    auto selector =
        std::make_shared<UISegmentedControl>(std::vector<std::string>{"Sample", "Random variable"});
    selector->setSelectedSegmentIndex(0);
    selector->setSelectedSegmentTintColor(UIColor::systemBackgroundColor());
    selector->setFrame({10, 10, width - 72, 32});
    selector->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    selector->setAccessibilityIdentifier("modeSelector");
    selector->addTarget(shared, &CalculateViewController::segmentedControlValueChanged,
                        UIControlEventValueChanged);
    panel->addSubview(selector);

    auto manual = std::make_shared<FlatButton>("?");
    manual->setTag(violetTag);
    manual->setFrame({width - 52, 8, 42, 36});
    manual->layer()->setCornerRadius(8);
    manual->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    manual->setAccessibilityIdentifier("manualButton");
    manual->addTarget(shared, &CalculateViewController::manualButtonPressed, UIControlEventTouchUpInside);
    panel->addSubview(manual);

    self.segmentedControl = selector;
    self.manualButton = manual;
    return panel;
}

void buildScene(UIViewController& owner) {
    auto& self = static_cast<CalculateViewController&>(owner);
    auto root = std::make_shared<UIView>(UIScreen::mainScreen()->bounds());
    root->setBackgroundColor(UIColor::tertiarySystemGroupedBackgroundColor());
    root->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);

    auto banner = std::make_shared<UIView>();
    auto keypad = buildKeypad(self);
    auto panel = buildTopPanel(self);
    auto table = std::make_shared<UITableView>(NSCoder{});
    table->setBackgroundColor(UIColor::systemBackgroundColor());
    table->setAccessibilityIdentifier("inputTable");
    for (const auto& view : std::vector<std::shared_ptr<UIView>>{banner, keypad, panel, table}) {
        view->setTranslatesAutoresizingMaskIntoConstraints(false);
        root->addSubview(view);
    }
    auto bottom = NSLayoutConstraint::constraintWithItem(
        root, NSLayoutAttribute::bottom, NSLayoutRelation::equal, banner, NSLayoutAttribute::bottom, 1, 0);
    root->addConstraint(bottom);
    NSLayoutConstraint::activateConstraints({
        banner->leadingAnchor().constraintEqualToAnchor(root->leadingAnchor()),
        banner->trailingAnchor().constraintEqualToAnchor(root->trailingAnchor()),
        banner->heightAnchor().constraintEqualToConstant(0),
        keypad->leadingAnchor().constraintEqualToAnchor(root->leadingAnchor(), margin),
        keypad->trailingAnchor().constraintEqualToAnchor(root->trailingAnchor(), -margin),
        keypad->bottomAnchor().constraintEqualToAnchor(banner->topAnchor(), -keySpacing),
        keypad->heightAnchor().constraintEqualToConstant(4 * keyHeight + 3 * keySpacing),
        panel->topAnchor().constraintEqualToAnchor(root->topAnchor(), margin),
        panel->leadingAnchor().constraintEqualToAnchor(root->leadingAnchor(), margin),
        panel->trailingAnchor().constraintEqualToAnchor(root->trailingAnchor(), -margin),
        panel->heightAnchor().constraintEqualToConstant(52),
        table->topAnchor().constraintEqualToAnchor(panel->bottomAnchor(), margin),
        table->leadingAnchor().constraintEqualToAnchor(root->leadingAnchor(), margin),
        table->trailingAnchor().constraintEqualToAnchor(root->trailingAnchor(), -margin),
        table->bottomAnchor().constraintEqualToAnchor(keypad->topAnchor(), -margin),
    });

    self.bannerBackgroundView = banner;
    self.bottomBannerConstraint = bottom;
    self.keypadStackView = keypad;
    self.topBackgroundView = panel;
    self.inputTableView = table;
    self.setView(root);
}

} // namespace

CalculateViewController::CalculateViewController() = default;

CalculateViewController::CalculateViewController(const NSCoder& coder) : AdHandlingViewController(coder) {}

int CalculateViewController::selectedSegmentIndex() const {
    auto selector = segmentedControl.lock();
    return selector ? selector->selectedSegmentIndex() : 0;
}

void CalculateViewController::reloadInputTable() {
    if (auto table = inputTableView.lock())
        table->reloadData();
}

void CalculateViewController::viewDidLoad() {
    AdHandlingViewController::viewDidLoad();
    restoreCurrentInputs();
    setupInputTable();
    configureTabItem(*this, localized("Input", "Pagebar title for main calculate view"), true);
}

void CalculateViewController::viewWillAppear(bool animated) {
    AdHandlingViewController::viewWillAppear(animated);
    if (bannerView)
        bannerView->setHidden(true);
    if (auto bottom = bottomBannerConstraint.lock())
        bottom->setConstant(ViewManager::bottomSafeAreaInset());
    view()->layoutIfNeeded();
    setupToolbar();
    if (manualButton)
        manualButton->setHidden(manualImageName.empty());
}

void CalculateViewController::viewDidAppear(bool animated) {
    AdHandlingViewController::viewDidAppear(animated);
    refocusEditedField();
    RatingViewController::sharedRatingViewController()->countDownToRatingPrompt(
        sharedAs<CalculateViewController>());
}

void CalculateViewController::viewWillDisappear(bool animated) {
    AdHandlingViewController::viewWillDisappear(animated);
    storeCurrentInputs();
}

void CalculateViewController::setupInputTable() {
    ColorManager::styleSubviews(*view());
    ViewManager::applyContentModeRecursively(*view());
    auto table = inputTableView.lock();
    if (!table)
        return;
    auto self = sharedAs<CalculateViewController>();
    table->setDelegate(self);
    table->setDataSource(self);
    table->registerNib(UINib::nibWithNibName(EnumeratedInputTableViewCell::cellNibName), "inputCell");
    table->registerNib(UINib::nibWithNibName(AddCellTableViewCell::cellNibName), "addCell");
    table->setTableHeaderView(std::make_shared<UIView>());
    table->setContentInset({-5, 0, 0, 0});
    ColorManager::applyCardShadow(*table);
    if (auto panel = topBackgroundView.lock())
        ColorManager::applyCardShadow(*panel);
    table->setAllowsSelection(true);
}

void CalculateViewController::setupToolbar() {
    auto toolbar = toolbarController(*this);
    if (!toolbar)
        return;
    clearAllButton = std::make_shared<IconButton>(localized("Clear", "Clear"), ColorManager::buttonWhite());
    // No font is named "Avenier", so the title keeps the button's default font: the look the app has.
    // Spelling it "Avenir" would change the button.
    if (auto font = UIFont::fontWithName("Avenier", 14))
        clearAllButton->titleLabel()->setFont(*font);
    clearAllButton->addTarget(sharedAs<CalculateViewController>(),
                              &CalculateViewController::handleClearAllButton, UIControlEventTouchUpInside);
    clearAllButton->setAccessibilityIdentifier("toolbarRemoveButton");
    toolbar->toolbar()->setTitle(localized("Calculate Title", "Toolbar title for calculate view"));
    toolbar->toolbar()->setRightViews({clearAllButton});
    if (deleteButton)
        deleteButton->setImage(Icon::arrowBack(), UIControlStateNormal);
    if (calculateButton)
        calculateButton->setImage(Icon::check(), UIControlStateNormal);
}

// Actions.

void CalculateViewController::tappedKeypadButtonWithValue(const std::shared_ptr<UIButton>& sender) {
    insertKeypadValue(sender);
}

void CalculateViewController::tappedDeleteButton(const std::shared_ptr<UIButton>&) {
    deleteAtCursor();
}

void CalculateViewController::tappedCalculateButton(const std::shared_ptr<UIButton>&) {
    if (!isCalculationRunning)
        calculate();
}

void CalculateViewController::manualButtonPressed(const std::shared_ptr<UIButton>&) {
    auto manual = std::make_shared<ManualViewController>(ManualViewController::manualNibName);
    manual->setModalPresentationStyle(UIModalPresentationStyle::pageSheet);
    manual->imageName = manualImageName;
    presentViewController(manual, true);
}

void CalculateViewController::segmentedControlValueChanged(
    const std::shared_ptr<UISegmentedControl>& sender) {
    if (auto selector = segmentedControl.lock(); selector && sender)
        selector->setSelectedSegmentIndex(sender->selectedSegmentIndex());
    forgetErrors();
    reloadInputTable();
}

void CalculateViewController::handleClearAllButton() {
    clearAll();
}

bool CalculateViewController::textFieldShouldBeginEditing(const std::shared_ptr<UITextField>& textField) {
    highlightActiveField(textField);
    return true;
}

// Editing.

void CalculateViewController::configureInputCell(EnumeratedInputTableViewCell& cell, int row) {
    cell.setSelectionStyle(UITableViewCellSelectionStyle::none);
    if (auto label = cell.enumeratingLabel.lock())
        label->setText(std::to_string(row + 1));
    auto self = sharedAs<CalculateViewController>();
    auto value = cell.integerTextField.lock();
    auto probability = cell.doubleTextField.lock();
    if (value) {
        value->setDelegate(self);
        value->setPlaceholder("x");
        value->setAccessibilityIdentifier("event" + std::to_string(row));
    }
    if (probability) {
        probability->setDelegate(self);
        probability->setPlaceholder("P(X)");
        probability->setAccessibilityIdentifier("probability" + std::to_string(row));
        probability->setHidden(selectedSegmentIndex() == 0);
    }
    if (row >= 0 && static_cast<std::size_t>(row) < allFields.size()) {
        if (value)
            value->setText(allFields[static_cast<std::size_t>(row)].event);
        if (probability)
            probability->setText(allFields[static_cast<std::size_t>(row)].probability);
    }
    for (const auto& field : {value, probability}) {
        if (field)
            field->setBorderColor(ColorManager::fieldBorderGrey());
    }
    markErrors(cell, row);
}

void CalculateViewController::markErrors(EnumeratedInputTableViewCell& cell, int row) {
    std::vector<std::string> matching;
    std::copy_if(errorIdArray.begin(), errorIdArray.end(), std::back_inserter(matching),
                 [row](const std::string& entry) { return namesRow(entry, row); });
    if (!currentError || matching.empty())
        return;
    const UIColor color =
        *currentError == "notEnoughInputValues" ? ColorManager::warningOrange() : ColorManager::errorRed();
    for (const auto& entry : matching) {
        std::shared_ptr<DTTextField> field;
        if (entry.starts_with("event"))
            field = cell.integerTextField.lock();
        else if (entry.starts_with("probability"))
            field = cell.doubleTextField.lock();
        if (field)
            field->setBorderColor(color);
    }
}

void CalculateViewController::reportError(const std::string& error) {
    VAVAnalytics::logEventWithNameParameters("kivo_got_error",
                                             AnyValue::Dictionary{{"error_case", AnyValue(error)}});
    DebugConsole::print(error == "notEnoughInputValues" ? "INPUT: NOT ENOUGH INPUT VALUES"
                                                        : "INPUT ERROR: " + error);
    ErrorManager::localizedErrorMessage(error);
}

void CalculateViewController::forgetErrors() {
    if (currentError)
        ViewManager::removeToasts();
    errorIdArray.clear();
    currentError.reset();
}

void CalculateViewController::showFirstMarkedField() {
    auto table = inputTableView.lock();
    const auto row = errorIdArray.empty() ? std::nullopt : rowOfIdentifier(errorIdArray.front());
    if (!table || !row || *row >= allFields.size())
        return;
    fieldAwaitingFocus = errorIdArray.front();
    table->scrollToRowAtIndexPath({0, static_cast<int>(*row)}, UITableViewScrollPosition::none, true);
    if (focusField(*fieldAwaitingFocus))
        fieldAwaitingFocus.reset();
}

void CalculateViewController::scrollViewDidEndScrollingAnimation(const std::shared_ptr<UIScrollView>&) {
    if (const auto identifier = std::exchange(fieldAwaitingFocus, std::nullopt))
        focusField(*identifier);
}

void CalculateViewController::addInputRow(const NSIndexPath& indexPath) {
    auto table = inputTableView.lock();
    auto cell = table ? table->cellForRowAtIndexPath(indexPath) : nullptr;
    if (!cell || cell->reuseIdentifier() != "addCell" || allFields.size() >= maximumInputRows)
        return;
    allFields.push_back(InputRow{});
    table->reloadData();
}

void CalculateViewController::highlightActiveField(const std::shared_ptr<UITextField>& textField) {
    currentTextField = textField;
    if (textField)
        editedFieldIdentifier = textField->accessibilityIdentifier();
    if (!keypadStackView || !textField)
        return;
    if (auto point = findButton(".", *keypadStackView)) {
        const bool probability = textField->accessibilityIdentifier().starts_with("probability");
        point->setUserInteractionEnabled(probability);
        point->setAlpha(probability ? 1.0 : 0.5);
    }
}

// A field loses the focus when the page leaves the screen, and its cell may show another row when
// the page comes back: the field is found again by the row it was editing.
void CalculateViewController::refocusEditedField() {
    focusField(editedFieldIdentifier);
}

// Cells are reused, so a field is found by the row its identifier names, among the rows on screen.
bool CalculateViewController::focusField(const std::string& identifier) {
    bool probability = false;
    const auto row = rowOfIdentifier(identifier, &probability);
    auto table = inputTableView.lock();
    if (!row || *row >= allFields.size() || !table)
        return false;
    auto cell = std::dynamic_pointer_cast<EnumeratedInputTableViewCell>(
        table->cellForRowAtIndexPath({0, static_cast<int>(*row)}));
    auto field = cell ? (probability ? cell->doubleTextField : cell->integerTextField).lock() : nullptr;
    return field && !field->isHidden() && field->becomeFirstResponder();
}

void CalculateViewController::insertKeypadValue(const std::shared_ptr<UIButton>& key) {
    if (isCalculationRunning || !currentTextField || !key)
        return;
    UITextField& field = *currentTextField;
    const auto selection = field.selectedTextRange();
    if (!selection)
        return;
    const int p = field.offsetFromPosition(field.beginningOfDocument(), selection->start);
    field.replaceRange(*selection, "");
    if (!field.isFirstResponder())
        return;
    std::string text = field.text();
    const std::string title = key->titleLabel() ? key->titleLabel()->text() : std::string();
    int move = 0;
    if (title == "-") {
        if (text.find('-') != std::string::npos) {
            std::erase(text, '-');
            move = -1;
        } else {
            text.insert(0, "-");
            move = 1;
        }
    } else {
        text.insert(utf8ByteIndex(text, p), title);
        move = 1;
    }
    if (utf8CharacterCount(text) > maximumFieldLength)
        return;
    field.setText(text);
    readInputFields(field);
    placeCaret(field, p + move);
}

void CalculateViewController::deleteAtCursor() {
    if (isCalculationRunning || !currentTextField || currentTextField->text().empty())
        return;
    UITextField& field = *currentTextField;
    const auto selection = field.selectedTextRange();
    if (!selection)
        return;
    const int start = selection->start.offset;
    const int end = selection->end.offset;
    if (start == 0 && end == 0)
        return;
    std::string text = field.text();
    const int from = start == end ? start - 1 : start;
    const std::size_t first = utf8ByteIndex(text, from);
    text.erase(first, utf8ByteIndex(text, end) - first);
    field.setText(text);
    readInputFields(field);
    placeCaret(field, from);
}

void CalculateViewController::readInputFields(const UITextField& textField) {
    bool probability = false;
    const auto row = rowOfIdentifier(textField.accessibilityIdentifier(), &probability);
    if (!row || *row >= allFields.size())
        return;
    if (probability)
        allFields[*row].probability = textField.text();
    else
        allFields[*row].event = textField.text();
}

void CalculateViewController::clearAll() {
    VAVAnalytics::logEventWithNameParameters("tapped_clear", std::nullopt);
    errorIdArray.clear();
    if (isCalculationRunning)
        return;
    auto tabs = tabsController(*this);
    auto page = tabs && tabs->viewControllers().size() > 1
                    ? std::dynamic_pointer_cast<SolutionViewController>(tabs->viewControllers()[1])
                    : nullptr;
    if (page)
        page->clearSolution();
    else
        NotificationCenter::defaultCenter()->postNotificationName(
            SolutionViewController::clearNotificationName);
    allFields = {InputRow{}, InputRow{}};
    resetStepCollector(*outputHelper, *basicOperationHelper);
    auto history = CalcManager::shared();
    history->currentCalculation.reset();
    history->saveCurrentSelectedCalculation();
    history->setCurrentSelectedCalculation(std::nullopt);
    if (tabs)
        tabs->select(0);
    reloadInputTable();
}

std::map<std::string, std::string> CalculateViewController::inputsByIdentifier() const {
    std::map<std::string, std::string> inputs;
    for (std::size_t row = 0; row < allFields.size(); ++row) {
        if (allFields[row].event.empty())
            continue;
        inputs["event" + std::to_string(row)] = allFields[row].event;
        inputs["probability" + std::to_string(row)] = allFields[row].probability;
    }
    return inputs;
}

void CalculateViewController::storeCurrentInputs() {
    auto history = CalcManager::shared();
    history->currentCalculation = Calculation{"", inputsByIdentifier(), {}, {}};
    history->saveCurrentSelectedCalculation();
}

void CalculateViewController::restoreCurrentInputs() {
    auto history = CalcManager::shared();
    const auto selected = history->currentSelectedCalculation();
    if (!selected)
        return;
    const Calculation calculation = *selected;
    history->setCurrentSelectedCalculation(std::nullopt);
    auto rows = rowsWithStoredInputs(allFields, calculation.inputParameters);
    if (!rows) {
        // Shown once the screen is on the window (at start the window comes later).
        DispatchQueue::main()->async(
            [] { ErrorManager::localizedErrorMessage("storedCalculationTooLarge"); });
        return;
    }
    allFields = std::move(*rows);
    if (const auto mode = storedMode(calculation.setupParameter)) {
        if (auto selector = segmentedControl.lock())
            selector->setSelectedSegmentIndex(*mode);
        reloadInputTable();
    }
}

// The calculation road.

bool CalculateViewController::calculate() {
    isCalculationRunning = true;
    errorIdArray.clear();
    currentError.reset();
    reloadInputTable();
    const int mode = selectedSegmentIndex();
    resetStepCollector(*outputHelper, *basicOperationHelper);
    std::vector<KivoOmbrel::Row> rows;
    for (const auto& row : rowsToCalculate(allFields, mode))
        rows.emplace_back(row.event, row.probability);
    // The family's per-run record: made for every calculation, read by nothing in this app.
    const auto calculation = std::make_shared<KivoCalculation>();
    const CalculatorResult result = KivoOmbrel().readEventsAndProbabilities(rows, mode);
    if (result.error && result.errorIdArray) {
        currentError = result.error;
        errorIdArray = *result.errorIdArray;
        isCalculationRunning = false;
        reloadInputTable();
        reportError(*currentError);
        showFirstMarkedField();
        resetStepCollector(*outputHelper, *basicOperationHelper);
        return false;
    }
    saveCalculationToHistory(result.inputLatexString.value_or(""));
    showSolutionPage(result.solutionSteps, {}, manualImageName);
    VAVAnalytics::logEventWithNameParameters(
        "kivo_calculate", SolutionViewController::solutionStepsParameters(outputHelper->solutionSteps));
    isCalculationRunning = false;
    resetStepCollector(*outputHelper, *basicOperationHelper);
    return true;
}

void CalculateViewController::saveCalculationToHistory(const std::string& inputLatexString) {
    Calculation record;
    record._latexString = KivoStringOutput::beautifyLatex(inputLatexString);
    record.inputParameters = inputsByIdentifier();
    record.setupParameter = {
        {"inputCalculationSelection", AnyValue(static_cast<std::int64_t>(selectedSegmentIndex()))},
        {"appKey", AnyValue("OB")}};
    if (!CalcManager::shared()->addCalculation(record, true))
        ErrorManager::localizedErrorMessage("historyFull");
}

void CalculateViewController::showSolutionPage(
    const std::optional<std::vector<SolutionStep>>& steps,
    const std::vector<std::vector<std::shared_ptr<ChartData>>>& chartSteps, const std::string& imageName) {
    auto tabs = tabsController(*this);
    auto page = tabs && tabs->viewControllers().size() > 1
                    ? std::dynamic_pointer_cast<SolutionViewController>(tabs->viewControllers()[1])
                    : nullptr;
    if (!page || !steps)
        return;
    page->loadViewIfNeeded();
    page->solutionSteps = *steps;
    page->tableView->reloadData();
    page->chartSteps = chartSteps;
    page->manualImageName = imageName;
    page->tableView->setRowHeight(100);
    if (page->tableView->numberOfRowsInSection(0) > 0)
        page->tableView->scrollToRowAtIndexPath({0, 0}, UITableViewScrollPosition::top, false);
    tabs->select(1);
}

// Table.

int CalculateViewController::tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int) {
    return static_cast<int>(allFields.size()) + 1;
}

std::shared_ptr<UITableViewCell>
CalculateViewController::tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                        const NSIndexPath& indexPath) {
    if (indexPath.row < static_cast<int>(allFields.size())) {
        if (auto cell = std::dynamic_pointer_cast<EnumeratedInputTableViewCell>(
                tableView->dequeueReusableCellWithIdentifier("inputCell", indexPath))) {
            configureInputCell(*cell, indexPath.row);
            return cell;
        }
    } else if (auto cell = tableView->dequeueReusableCellWithIdentifier("addCell", indexPath)) {
        return cell;
    }
    return std::make_shared<UITableViewCell>(UITableViewCellStyle::defaultStyle, "");
}

std::optional<std::string>
CalculateViewController::tableViewTitleForHeaderInSection(const std::shared_ptr<UITableView>&, int) {
    return LocalizedString::fillInYourGivenNumbers();
}

std::optional<CGFloat>
CalculateViewController::tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                          const NSIndexPath&) {
    return inputRowHeight;
}

void CalculateViewController::tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                               const NSIndexPath& indexPath) {
    addInputRow(indexPath);
}

void CalculateViewController::registerStoryboardScene() {
    UIStoryboard::registerScene(storyboardName, "CalculateViewController", [] {
        auto controller = std::make_shared<CalculateViewController>(NSCoder{});
        controller->setViewLoader(buildScene);
        return controller;
    });
}
