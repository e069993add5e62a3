#pragma once

#include "platform/graphics/NSAttributedString.h"
#include "platform/graphics/UIColor.h"
#include "platform/uikit/UITableViewController.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// A small list picker shown as a popover: one column of rows, the current choice highlighted, a
// border in the highlight colour around the popover, and a callback with the chosen row.
class SelectionPopupTableViewController : public UITableViewController {
  public:
    static constexpr const char* cellIdentifier = "DefaultCell";
    static constexpr CGFloat cellHeight = 40;

    SelectionPopupTableViewController();
    explicit SelectionPopupTableViewController(const NSCoder& coder);

    double rowHeight = 40.0;
    int rowWidth = 80;
    NSTextAlignment textAlignment = NSTextAlignment::center;
    UIColor tableViewBgColor;
    UIColor tableViewSeparatorColor;
    UIColor cellBgColor;
    UIColor cellHighlightColor;
    UIColor cellTextColor;
    std::optional<int> selectedIndex;
    std::vector<std::string> data;
    std::function<void(int)> completion;

    // rowWidth wide, one row height per entry.
    CGSize preferredContentSize() const;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidLayoutSubviews() override;

    int tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, int section) override;
    std::optional<CGFloat> tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                            const NSIndexPath& indexPath) override;
    std::shared_ptr<UITableViewCell>
    tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                   const NSIndexPath& indexPath) override;
    void tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                          const NSIndexPath& indexPath) override;

  private:
    void setDefaultColors();
};
