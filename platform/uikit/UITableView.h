#pragma once

#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UIReusableViewPool.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UITableViewDataSource.h"
#include "platform/uikit/UITableViewDelegate.h"
#include "platform/uikit/UIVisibleCells.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class UINib;

enum class UITableViewStyle { plain = 0, grouped = 1, insetGrouped = 2 };
enum class UITableViewScrollPosition { none, top, middle, bottom };
enum class UITableViewRowAnimation { fade, right, left, top, bottom, none, middle, automatic = 100 };
enum class UITableViewCellSeparatorStyle { none, singleLine };

inline constexpr CGFloat UITableViewAutomaticDimension = -1;

// Rows in sections, asked of the data source and the delegate. The table measures every row
// (automatic rows take the estimate until shown, then their fitted height), but it only has
// cells for the rows that lie in its visible part: rows that scroll out go to a reuse queue by
// identifier and are handed out again by dequeue. Section headers of the plain style stay at the
// top while their section scrolls past. Counts and rectangles are answered at once after a
// reload; cells appear in the next layout pass (cellForRowAtIndexPath runs it).
class UITableView : public UIScrollView {
  public:
    UITableView();
    explicit UITableView(const CGRect& frame, UITableViewStyle style = UITableViewStyle::plain);
    explicit UITableView(const NSCoder& coder);

    UITableViewStyle style() const { return style_; }
    std::shared_ptr<UITableViewDataSource> dataSource() const { return dataSource_.lock(); }
    void setDataSource(std::weak_ptr<UITableViewDataSource> dataSource);
    std::shared_ptr<UITableViewDelegate> delegate() const { return tableDelegate_.lock(); }
    void setDelegate(std::weak_ptr<UITableViewDelegate> delegate);

    // Sizes (points); UITableViewAutomaticDimension fits rows to their cells and section views
    // to their views or titles.
    CGFloat rowHeight() const { return rowHeight_; }
    void setRowHeight(CGFloat height);
    CGFloat estimatedRowHeight() const { return estimatedRowHeight_; }
    void setEstimatedRowHeight(CGFloat height);
    CGFloat sectionHeaderHeight() const { return sectionHeaderHeight_; }
    void setSectionHeaderHeight(CGFloat height);
    CGFloat sectionFooterHeight() const { return sectionFooterHeight_; }
    void setSectionFooterHeight(CGFloat height);

    // Cells.
    void registerNib(const std::shared_ptr<UINib>& nib, const std::string& reuseIdentifier);
    void registerCellFactory(const std::string& reuseIdentifier,
                             std::function<std::shared_ptr<UITableViewCell>()> make);
    template <typename Cell> void registerClass(const std::string& reuseIdentifier) {
        registerCellFactory(reuseIdentifier, [reuseIdentifier] {
            return std::make_shared<Cell>(UITableViewCellStyle::defaultStyle, reuseIdentifier);
        });
    }
    // A queued cell, else a new registered one, else nothing.
    std::shared_ptr<UITableViewCell> dequeueReusableCellWithIdentifier(const std::string& reuseIdentifier);
    std::shared_ptr<UITableViewCell> dequeueReusableCellWithIdentifier(const std::string& reuseIdentifier,
                                                                       const NSIndexPath& indexPath);

    // Reloading and editing the rows. Reloads drop the selection of the rows they touch.
    void reloadData();
    void reloadRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths,
                                UITableViewRowAnimation animation);
    void reloadSections(const std::vector<int>& sections, UITableViewRowAnimation animation);
    // The data source must already hold the new rows; when its counts do not match the change the
    // table reloads everything instead.
    void deleteRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths,
                                UITableViewRowAnimation animation);
    void insertRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths,
                                UITableViewRowAnimation animation);

    int numberOfSections();
    int numberOfRowsInSection(int section);
    std::shared_ptr<UITableViewCell> cellForRowAtIndexPath(const NSIndexPath& indexPath);
    std::optional<NSIndexPath> indexPathForCell(const UITableViewCell* cell) const;
    std::optional<NSIndexPath> indexPathForRowAtPoint(CGPoint point);
    std::vector<NSIndexPath> indexPathsForVisibleRows();
    std::vector<std::shared_ptr<UITableViewCell>> visibleCells();
    std::shared_ptr<UIView> headerViewForSection(int section);
    std::shared_ptr<UIView> footerViewForSection(int section);

    // Rectangles in content coordinates; zero for what does not exist.
    CGRect rectForSection(int section);
    CGRect rectForRowAtIndexPath(const NSIndexPath& indexPath);
    CGRect rectForHeaderInSection(int section);
    CGRect rectForFooterInSection(int section);

    // Offsets stay within the scrollable range; with no position a row already in view stays put.
    void scrollToRowAtIndexPath(const NSIndexPath& indexPath, UITableViewScrollPosition position,
                                bool animated);

    // Selection (one row at a time).
    bool allowsSelection() const { return allowsSelection_; }
    void setAllowsSelection(bool allows) { allowsSelection_ = allows; }
    bool allowsSelectionDuringEditing() const { return allowsSelectionDuringEditing_; }
    void setAllowsSelectionDuringEditing(bool allows) { allowsSelectionDuringEditing_ = allows; }
    std::optional<NSIndexPath> indexPathForSelectedRow() const { return selected_; }
    void selectRowAtIndexPath(std::optional<NSIndexPath> indexPath, bool animated,
                              UITableViewScrollPosition position);
    void deselectRowAtIndexPath(const NSIndexPath& indexPath, bool animated);

    // Editing: delete controls on editable rows, reorder grips on movable ones.
    bool isEditing() const { return editing_; }
    void setEditing(bool editing, bool animated);

    const std::shared_ptr<UIView>& tableHeaderView() const { return tableHeaderView_; }
    void setTableHeaderView(std::shared_ptr<UIView> view);
    const std::shared_ptr<UIView>& tableFooterView() const { return tableFooterView_; }
    void setTableFooterView(std::shared_ptr<UIView> view);
    UITableViewCellSeparatorStyle separatorStyle() const { return separatorStyle_; }
    void setSeparatorStyle(UITableViewCellSeparatorStyle style);
    const UIColor& separatorColor() const { return separatorColor_; }
    void setSeparatorColor(UIColor color);
    const UIEdgeInsets& separatorInset() const { return separatorInset_; }
    void setSeparatorInset(const UIEdgeInsets& inset);

    void layoutSubviews() override;
    void touchesBegan(UITouch& touch) override;
    void touchesMoved(UITouch& touch) override;
    void touchesEnded(UITouch& touch) override;
    void touchesCancelled(UITouch& touch) override;
    bool touchesShouldCancelInContentView(const std::shared_ptr<UIView>& view) override;

  private:
    struct Section {
        CGFloat top = 0;
        CGFloat headerHeight = 0;
        std::vector<CGFloat> rowTops;
        std::vector<CGFloat> rowHeights;
        std::vector<bool> estimated;
        CGFloat footerHeight = 0;
        CGFloat rowsTop() const { return top + headerHeight; }
        CGFloat rowsBottom() const;
        CGFloat bottom() const { return rowsBottom() + footerHeight; }
    };

    std::shared_ptr<UITableView> self();
    void ensureGeometry();
    void rebuildGeometry();
    void restack(std::size_t fromSection);
    CGFloat defaultHeaderFooterHeight(int section, bool header);
    CGFloat heightForRow(const NSIndexPath& indexPath);
    bool validIndexPath(const NSIndexPath& indexPath);
    std::shared_ptr<UIView> sectionView(int section, bool header);
    CGRect displayedHeaderRect(int section);

    void layoutVisibleContent();
    std::shared_ptr<UITableViewCell> makeCell(const NSIndexPath& indexPath);
    void configureCell(UITableViewCell& cell, const NSIndexPath& indexPath);
    bool measureRow(UITableViewCell& cell, const NSIndexPath& indexPath);
    void enqueue(const std::shared_ptr<UITableViewCell>& cell, const NSIndexPath& indexPath);
    void dropVisibleContent();
    void placeTableHeaderAndFooter();
    void applyUpdate(const std::map<NSIndexPath, std::optional<NSIndexPath>>& moves,
                     UITableViewRowAnimation animation, const std::vector<NSIndexPath>& fadingOut);

    void showDeleteConfirmation(UITableViewCell& cell);
    void hideDeleteConfirmation();
    void commitDeletion(UITableViewCell& cell);
    void finishReordering(bool commit);

    UITableViewStyle style_ = UITableViewStyle::plain;
    std::weak_ptr<UITableViewDataSource> dataSource_;
    std::weak_ptr<UITableViewDelegate> tableDelegate_;
    CGFloat rowHeight_ = 44;
    CGFloat estimatedRowHeight_ = 44;
    CGFloat sectionHeaderHeight_ = UITableViewAutomaticDimension;
    CGFloat sectionFooterHeight_ = UITableViewAutomaticDimension;

    UIReusableViewPool<UITableViewCell> pool_;

    bool geometryValid_ = false;
    std::vector<Section> sections_;
    CGFloat contentTop_ = 0;
    UIVisibleCells<UITableViewCell> visibleCells_;
    std::map<int, std::shared_ptr<UIView>> headerViews_;
    std::map<int, std::shared_ptr<UIView>> footerViews_;
    std::shared_ptr<UIView> tableHeaderView_;
    std::shared_ptr<UIView> tableFooterView_;

    bool allowsSelection_ = true;
    bool allowsSelectionDuringEditing_ = false;
    std::optional<NSIndexPath> selected_;
    std::optional<NSIndexPath> pressed_;
    bool editing_ = false;
    std::optional<NSIndexPath> confirmingDeletion_;
    std::optional<NSIndexPath> reorderingFrom_;
    std::optional<NSIndexPath> reorderingTo_;

    UITableViewCellSeparatorStyle separatorStyle_ = UITableViewCellSeparatorStyle::singleLine;
    UIColor separatorColor_ = UIColor::separatorColor();
    UIEdgeInsets separatorInset_{0, 16, 0, 0};
};
