#include "app/HistoryTableViewController.h"

#include "app/AppDelegate.h"
#include "app/AppToolbarController.h"
#include "app/ColorManager.h"
#include "app/HistoryTableViewCell.h"
#include "app/InputRows.h"
#include "engine/CalcManager.h"
#include "engine/ErrorManager.h"
#include "engine/KivoStringOutput.h"
#include "engine/LocalizedString.h"
#include "platform/foundation/JSONCoding.h"
#include "platform/material/Icon.h"
#include "platform/material/IconButton.h"
#include "platform/material/NavigationDrawerController.h"
#include "platform/material/ToolbarController.h"
#include "platform/math/MTMathUILabel.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIStoryboard.h"
#include "platform/veraziva/VAVAnalytics.h"

namespace {

constexpr const char* exampleLatex =
    "x_i = [4;5;3;7;4] \\\\ P\\left(X = x_i\\right) = [0.3;0.25;0.4;0.04;0.01]";

using LocalizedString::localized;

void buildScene(UIViewController& owner) {
    auto& self = static_cast<HistoryTableViewController&>(owner);
    auto table = std::make_shared<UITableView>(NSCoder{});
    table->setFrame(UIScreen::mainScreen()->bounds());
    table->setRowHeight(HistoryTableViewCell::rowHeight);
    table->setEstimatedRowHeight(HistoryTableViewCell::rowHeight);
    table->setAccessibilityIdentifier("historyTable");
    table->registerNib(HistoryTableViewCell::prototypeNib(), HistoryTableViewCell::reuseIdentifierName);
    self.setTableView(table);
}

std::shared_ptr<IconButton> makeIconButton(const std::shared_ptr<UIImage>& icon, const char* identifier) {
    auto button = std::make_shared<IconButton>(icon, ColorManager::buttonWhite());
    button->setAccessibilityIdentifier(identifier);
    return button;
}

} // namespace

HistoryTableViewController::HistoryTableViewController() = default;

HistoryTableViewController::HistoryTableViewController(const NSCoder& coder) : UITableViewController(coder) {}

void HistoryTableViewController::registerStoryboardScene() {
    UIStoryboard::registerScene(storyboardName, storyboardIdentifier, [] {
        auto controller = std::make_shared<HistoryTableViewController>(NSCoder{});
        controller->setViewLoader(buildScene);
        return controller;
    });
}

void HistoryTableViewController::viewDidLoad() {
    UITableViewController::viewDidLoad();
    tableView()->setTableFooterView(std::make_shared<UIView>());
    auto self = sharedAs<HistoryTableViewController>();
    editButton = makeIconButton(Icon::edit(), "historyEditButton");
    editButton->addTarget(self, &HistoryTableViewController::handleEditButton, UIControlEventTouchUpInside);
    clearAllButton = makeIconButton(Icon::clear(), "historyClearButton");
    clearAllButton->addTarget(self, &HistoryTableViewController::handleClearAllButton,
                              UIControlEventTouchUpInside);
}

void HistoryTableViewController::viewDidAppear(bool animated) {
    UITableViewController::viewDidAppear(animated);
    auto toolbar = toolbarController(*this);
    if (!toolbar) {
        return;
    }
    toolbar->toolbar()->setTitle(localized("History", "Toolbar title for history view"));
    toolbar->toolbar()->setRightViews({clearAllButton, editButton});
}

int HistoryTableViewController::numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) {
    return 1;
}

int HistoryTableViewController::tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int) {
    return static_cast<int>(CalcManager::shared()->calculations().size());
}

std::shared_ptr<UITableViewCell>
HistoryTableViewController::tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                           const NSIndexPath& indexPath) {
    auto cell =
        tableView->dequeueReusableCellWithIdentifier(HistoryTableViewCell::reuseIdentifierName, indexPath);
    const auto& calculations = CalcManager::shared()->calculations();
    auto historyCell = std::dynamic_pointer_cast<HistoryTableViewCell>(cell);
    if (historyCell && historyCell->mathLabel && indexPath.row >= 0 &&
        static_cast<std::size_t>(indexPath.row) < calculations.size()) {
        historyCell->mathLabel->setLatex(calculations[static_cast<std::size_t>(indexPath.row)]._latexString);
    }
    return cell;
}

void HistoryTableViewController::tableViewCommitEditingStyleForRowAtIndexPath(
    const std::shared_ptr<UITableView>& tableView, UITableViewCellEditingStyle editingStyle,
    const NSIndexPath& indexPath) {
    if (editingStyle != UITableViewCellEditingStyle::deleteStyle) {
        return;
    }
    VAVAnalytics::logEventWithNameParameters("tapped_history_delete_single_calc", std::nullopt);
    CalcManager::shared()->removeCalculation(static_cast<std::size_t>(indexPath.row));
    tableView->deleteRowsAtIndexPaths({indexPath}, UITableViewRowAnimation::fade);
}

void HistoryTableViewController::tableViewMoveRowAtIndexPathToIndexPath(
    const std::shared_ptr<UITableView>&, const NSIndexPath& sourceIndexPath,
    const NSIndexPath& destinationIndexPath) {
    CalcManager::shared()->moveCalculation(static_cast<std::size_t>(sourceIndexPath.row),
                                           static_cast<std::size_t>(destinationIndexPath.row));
}

void HistoryTableViewController::tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                                  const NSIndexPath& indexPath) {
    selectHistoryItem(indexPath.row);
}

void HistoryTableViewController::selectHistoryItem(int row) {
    auto table = tableView();
    if (auto selected = table->indexPathForSelectedRow()) {
        table->reloadRowsAtIndexPaths({*selected}, UITableViewRowAnimation::none);
    }
    auto store = CalcManager::shared();
    if (row < 0 || static_cast<std::size_t>(row) >= store->calculations().size()) {
        return;
    }
    Calculation entry = store->calculations()[static_cast<std::size_t>(row)];
    if (!fitsInputTable(entry.inputParameters)) {
        // Refused here, so that the pages the user left keep their table.
        ErrorManager::localizedErrorMessage("storedCalculationTooLarge");
        return;
    }
    store->currentCalculation = std::nullopt;
    store->setCurrentSelectedCalculation(entry);
    // The analytics facade takes no dictionaries: the parameters go as their JSON text.
    auto parameters = JSONCoding::encode(AnyValue(entry.inputParameters));
    VAVAnalytics::logEventWithNameParameters(
        "tapped_history_item",
        AnyValue::Dictionary{{"calc_parameters", AnyValue(parameters ? *parameters : std::string())},
                             {"latex_string", AnyValue(entry._latexString)}});
    auto drawer = navigationDrawerController(*this);
    if (!drawer) {
        return;
    }
    auto freshPages = std::make_shared<AppDelegate>()->appToolbarController();
    std::weak_ptr<NavigationDrawerController> weakDrawer = drawer;
    drawer->transition(freshPages, [weakDrawer](bool) {
        if (auto strong = weakDrawer.lock()) {
            strong->closeLeftView(0);
        }
    });
}

void HistoryTableViewController::handleEditButton() {
    setEditing(!isEditing(), true);
}

void HistoryTableViewController::handleClearAllButton() {
    confirmClearHistory();
}

void HistoryTableViewController::confirmClearHistory() {
    auto alert = UIAlertController::alertControllerWithTitle(
        localized("Clear History", "Alert view title for clearing history"),
        localized("Are you sure to delete your whole history?", "Alert view message for clearing history"),
        UIAlertControllerStyle::alert);
    std::weak_ptr<HistoryTableViewController> weakSelf = sharedAs<HistoryTableViewController>();
    alert->addAction(
        UIAlertAction::actionWithTitle(localized("Clear", "Alert view action -Clear- for clearing history"),
                                       UIAlertActionStyle::defaultStyle, [weakSelf](const auto&) {
                                           if (auto self = weakSelf.lock()) {
                                               self->clearHistory();
                                           }
                                       }));
    alert->addAction(UIAlertAction::actionWithTitle(
        localized("Cancel", "Alert view action -Cancel- for clearing history"), UIAlertActionStyle::cancel));
    presentViewController(alert, true);
}

void HistoryTableViewController::clearHistory() {
    auto store = CalcManager::shared();
    VAVAnalytics::logEventWithNameParameters(
        "tapped_history_clear",
        AnyValue::Dictionary{
            {"calc_count", AnyValue(static_cast<std::int64_t>(store->calculations().size()))}});
    store->clearCalculations();
    tableView()->reloadData();
}

void HistoryTableViewController::defaultExampleCalculation() {
    Calculation example{KivoStringOutput::beautifyLatex(exampleLatex),
                        LocalizedString::defaultExampleInputs(),
                        {},
                        LocalizedString::appKeyDictionary()};
    CalcManager::shared()->addCalculation(example, false);
}
