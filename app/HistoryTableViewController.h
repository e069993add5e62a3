#pragma once

#include "platform/uikit/UITableViewController.h"

#include <memory>

class IconButton;

// Every solved calculation of the history store, newest first, as typeset input lines. A row
// reopens its calculation in a fresh input screen; rows can be deleted and moved, and the whole
// history cleared after a confirmation. The screen keeps no copy: it asks the store every time.
class HistoryTableViewController : public UITableViewController {
  public:
    static constexpr const char* storyboardName = "Main";
    static constexpr const char* storyboardIdentifier = "HistoryTableViewController";

    HistoryTableViewController();
    explicit HistoryTableViewController(const NSCoder& coder);
    static void registerStoryboardScene();

    std::shared_ptr<IconButton> editButton;
    std::shared_ptr<IconButton> clearAllButton;

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

    int numberOfSectionsInTableView(const std::shared_ptr<UITableView>& tableView) override;
    int tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, int section) override;
    std::shared_ptr<UITableViewCell>
    tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                   const NSIndexPath& indexPath) override;
    bool tableViewCanEditRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) override {
        return true;
    }
    bool tableViewCanMoveRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) override {
        return true;
    }
    void tableViewCommitEditingStyleForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                      UITableViewCellEditingStyle editingStyle,
                                                      const NSIndexPath& indexPath) override;
    void tableViewMoveRowAtIndexPathToIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                const NSIndexPath& sourceIndexPath,
                                                const NSIndexPath& destinationIndexPath) override;
    void tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                          const NSIndexPath& indexPath) override;

    void handleEditButton();
    void handleClearAllButton();
    void confirmClearHistory();
    void clearHistory();
    void selectHistoryItem(int row);

    // Offers the example calculation to the store, which keeps it at the top unless an entry with
    // the same LaTeX text is already there.
    static void defaultExampleCalculation();
};
