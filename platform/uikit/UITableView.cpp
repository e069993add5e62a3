#include "platform/uikit/UITableView.h"

#include "platform/foundation/DebugConsole.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UITableViewHeaderFooterView.h"
#include "platform/uikit/UITouch.h"

#include <algorithm>
#include <set>

namespace {

constexpr double updateDuration = 0.3;
constexpr CGFloat plainTitleHeight = 28;
constexpr CGFloat groupedTitleHeight = 38;
constexpr CGFloat groupedSpacing = 18;

std::map<int, std::vector<int>> rowsBySection(const std::vector<NSIndexPath>& indexPaths) {
    std::map<int, std::vector<int>> rows;
    for (const auto& indexPath : indexPaths) {
        rows[indexPath.section].push_back(indexPath.row);
    }
    for (auto& [section, list] : rows) {
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }
    return rows;
}

} // namespace

CGFloat UITableView::Section::rowsBottom() const {
    return rowTops.empty() ? rowsTop() : rowTops.back() + rowHeights.back();
}

UITableView::UITableView() : UITableView(CGRect{}) {}

UITableView::UITableView(const NSCoder&) : UITableView(CGRect{}) {}

UITableView::UITableView(const CGRect& frame, UITableViewStyle style) : UIScrollView(frame), style_(style) {
    setBackgroundColor(style == UITableViewStyle::plain
                           ? UIColor::systemBackgroundColor()
                           : UIColor::dynamicColor(UIColor::colorWithWhite(0.95, 1), UIColor::blackColor()));
    setAlwaysBounceVertical(true);
}

std::shared_ptr<UITableView> UITableView::self() {
    return std::static_pointer_cast<UITableView>(shared_from_this());
}

void UITableView::setDataSource(std::weak_ptr<UITableViewDataSource> dataSource) {
    dataSource_ = std::move(dataSource);
    reloadData();
}

void UITableView::setDelegate(std::weak_ptr<UITableViewDelegate> delegate) {
    tableDelegate_ = delegate;
    UIScrollView::setDelegate(std::weak_ptr<UIScrollViewDelegate>(delegate.lock()));
    geometryValid_ = false;
    setNeedsLayout();
}

void UITableView::setRowHeight(CGFloat height) {
    rowHeight_ = height;
    geometryValid_ = false;
    setNeedsLayout();
}

void UITableView::setEstimatedRowHeight(CGFloat height) {
    estimatedRowHeight_ = height;
    geometryValid_ = false;
    setNeedsLayout();
}

void UITableView::setSectionHeaderHeight(CGFloat height) {
    sectionHeaderHeight_ = height;
    geometryValid_ = false;
    setNeedsLayout();
}

void UITableView::setSectionFooterHeight(CGFloat height) {
    sectionFooterHeight_ = height;
    geometryValid_ = false;
    setNeedsLayout();
}

// Cells.

void UITableView::registerNib(const std::shared_ptr<UINib>& nib, const std::string& reuseIdentifier) {
    pool_.registerNib(nib, reuseIdentifier);
}

void UITableView::registerCellFactory(const std::string& reuseIdentifier,
                                      std::function<std::shared_ptr<UITableViewCell>()> make) {
    pool_.registerFactory(reuseIdentifier, std::move(make));
}

std::shared_ptr<UITableViewCell>
UITableView::dequeueReusableCellWithIdentifier(const std::string& reuseIdentifier) {
    return pool_.dequeue(reuseIdentifier);
}

std::shared_ptr<UITableViewCell>
UITableView::dequeueReusableCellWithIdentifier(const std::string& reuseIdentifier, const NSIndexPath&) {
    return pool_.dequeue(reuseIdentifier);
}

// Geometry.

void UITableView::ensureGeometry() {
    if (!geometryValid_) {
        rebuildGeometry();
    }
}

std::shared_ptr<UIView> UITableView::sectionView(int section, bool header) {
    auto& cache = header ? headerViews_ : footerViews_;
    if (auto it = cache.find(section); it != cache.end()) {
        return it->second;
    }
    std::shared_ptr<UIView> view;
    auto me = self();
    if (auto d = delegate()) {
        view = header ? d->tableViewViewForHeaderInSection(me, section)
                      : d->tableViewViewForFooterInSection(me, section);
    }
    if (!view) {
        if (auto ds = dataSource()) {
            auto title = header ? ds->tableViewTitleForHeaderInSection(me, section)
                                : ds->tableViewTitleForFooterInSection(me, section);
            if (title) {
                auto titled = std::make_shared<UITableViewHeaderFooterView>();
                titled->textLabel()->setText(*title);
                view = titled;
            }
        }
    }
    cache[section] = view;
    return view;
}

CGFloat UITableView::defaultHeaderFooterHeight(int section, bool header) {
    auto me = self();
    if (auto d = delegate()) {
        auto height = header ? d->tableViewHeightForHeaderInSection(me, section)
                             : d->tableViewHeightForFooterInSection(me, section);
        if (height && *height != UITableViewAutomaticDimension) {
            return std::max<CGFloat>(0, *height);
        }
    }
    auto view = sectionView(section, header);
    if (!view) {
        return style_ == UITableViewStyle::plain ? 0 : groupedSpacing;
    }
    CGFloat setting = header ? sectionHeaderHeight_ : sectionFooterHeight_;
    if (setting != UITableViewAutomaticDimension) {
        return std::max<CGFloat>(0, setting);
    }
    if (std::dynamic_pointer_cast<UITableViewHeaderFooterView>(view)) {
        return style_ == UITableViewStyle::plain ? plainTitleHeight : groupedTitleHeight;
    }
    return view->frame().size.height;
}

CGFloat UITableView::heightForRow(const NSIndexPath& indexPath) {
    if (auto d = delegate()) {
        if (auto height = d->tableViewHeightForRowAtIndexPath(self(), indexPath)) {
            return *height;
        }
    }
    return rowHeight_;
}

void UITableView::rebuildGeometry() {
    geometryValid_ = true;
    for (auto* cache : {&headerViews_, &footerViews_}) {
        for (const auto& [section, view] : *cache) {
            if (view && view->superview().get() == this) {
                view->removeFromSuperview();
            }
        }
        cache->clear();
    }
    auto ds = dataSource();
    auto me = self();
    int count = ds ? std::max(0, ds->numberOfSectionsInTableView(me)) : 0;
    sections_.assign(static_cast<std::size_t>(count), Section{});
    for (int s = 0; s < count; ++s) {
        Section& section = sections_[static_cast<std::size_t>(s)];
        int rows = std::max(0, ds->tableViewNumberOfRowsInSection(me, s));
        section.headerHeight = defaultHeaderFooterHeight(s, true);
        section.rowHeights.resize(static_cast<std::size_t>(rows));
        section.estimated.assign(static_cast<std::size_t>(rows), false);
        for (int r = 0; r < rows; ++r) {
            CGFloat height = heightForRow({s, r});
            if (height == UITableViewAutomaticDimension) {
                height = estimatedRowHeight_ > 0 ? estimatedRowHeight_ : 44;
                section.estimated[static_cast<std::size_t>(r)] = true;
            }
            section.rowHeights[static_cast<std::size_t>(r)] = std::max<CGFloat>(0, height);
        }
        section.footerHeight = defaultHeaderFooterHeight(s, false);
    }
    restack(0);
}

void UITableView::restack(std::size_t fromSection) {
    contentTop_ = tableHeaderView_ ? tableHeaderView_->frame().size.height : 0;
    CGFloat y = fromSection == 0 ? contentTop_ : sections_[fromSection - 1].bottom();
    for (std::size_t s = fromSection; s < sections_.size(); ++s) {
        Section& section = sections_[s];
        section.top = y;
        y += section.headerHeight;
        section.rowTops.resize(section.rowHeights.size());
        for (std::size_t r = 0; r < section.rowHeights.size(); ++r) {
            section.rowTops[r] = y;
            y += section.rowHeights[r];
        }
        y += section.footerHeight;
    }
    if (fromSection == 0 && sections_.empty()) {
        y = contentTop_;
    } else if (!sections_.empty()) {
        y = sections_.back().bottom();
    }
    CGFloat footer = tableFooterView_ ? tableFooterView_->frame().size.height : 0;
    setContentSize({bounds().size.width, y + footer});
}

bool UITableView::validIndexPath(const NSIndexPath& indexPath) {
    ensureGeometry();
    return indexPath.section >= 0 && indexPath.section < static_cast<int>(sections_.size()) &&
           indexPath.row >= 0 &&
           indexPath.row <
               static_cast<int>(sections_[static_cast<std::size_t>(indexPath.section)].rowHeights.size());
}

int UITableView::numberOfSections() {
    ensureGeometry();
    return static_cast<int>(sections_.size());
}

int UITableView::numberOfRowsInSection(int section) {
    ensureGeometry();
    if (section < 0 || section >= static_cast<int>(sections_.size())) {
        return 0;
    }
    return static_cast<int>(sections_[static_cast<std::size_t>(section)].rowHeights.size());
}

CGRect UITableView::rectForSection(int section) {
    if (section < 0 || section >= numberOfSections()) {
        return {};
    }
    const Section& s = sections_[static_cast<std::size_t>(section)];
    return {0, s.top, bounds().size.width, s.bottom() - s.top};
}

CGRect UITableView::rectForRowAtIndexPath(const NSIndexPath& indexPath) {
    if (!validIndexPath(indexPath)) {
        return {};
    }
    const Section& s = sections_[static_cast<std::size_t>(indexPath.section)];
    auto r = static_cast<std::size_t>(indexPath.row);
    return {0, s.rowTops[r], bounds().size.width, s.rowHeights[r]};
}

CGRect UITableView::rectForHeaderInSection(int section) {
    if (section < 0 || section >= numberOfSections()) {
        return {};
    }
    const Section& s = sections_[static_cast<std::size_t>(section)];
    return {0, s.top, bounds().size.width, s.headerHeight};
}

CGRect UITableView::rectForFooterInSection(int section) {
    if (section < 0 || section >= numberOfSections()) {
        return {};
    }
    const Section& s = sections_[static_cast<std::size_t>(section)];
    return {0, s.rowsBottom(), bounds().size.width, s.footerHeight};
}

CGRect UITableView::displayedHeaderRect(int section) {
    CGRect rect = rectForHeaderInSection(section);
    if (style_ != UITableViewStyle::plain) {
        return rect;
    }
    const Section& s = sections_[static_cast<std::size_t>(section)];
    CGFloat pinned = std::min(contentOffset().y + contentInset().top, s.rowsBottom() - s.headerHeight);
    rect.origin.y = std::max(rect.origin.y, pinned);
    return rect;
}

std::optional<NSIndexPath> UITableView::indexPathForRowAtPoint(CGPoint point) {
    ensureGeometry();
    for (std::size_t s = 0; s < sections_.size(); ++s) {
        const Section& section = sections_[s];
        if (point.y < section.rowsTop() || point.y >= section.rowsBottom()) {
            continue;
        }
        auto it = std::upper_bound(section.rowTops.begin(), section.rowTops.end(), point.y);
        if (it == section.rowTops.begin()) {
            return std::nullopt;
        }
        return NSIndexPath{static_cast<int>(s), static_cast<int>(it - section.rowTops.begin()) - 1};
    }
    return std::nullopt;
}

std::optional<NSIndexPath> UITableView::indexPathForCell(const UITableViewCell* cell) const {
    return visibleCells_.indexPathOf(cell);
}

std::shared_ptr<UITableViewCell> UITableView::cellForRowAtIndexPath(const NSIndexPath& indexPath) {
    layoutIfNeeded();
    return visibleCells_.cellAt(indexPath);
}

std::vector<NSIndexPath> UITableView::indexPathsForVisibleRows() {
    layoutIfNeeded();
    return visibleCells_.indexPaths();
}

std::vector<std::shared_ptr<UITableViewCell>> UITableView::visibleCells() {
    layoutIfNeeded();
    return visibleCells_.cells();
}

std::shared_ptr<UIView> UITableView::headerViewForSection(int section) {
    layoutIfNeeded();
    auto it = headerViews_.find(section);
    return it != headerViews_.end() && it->second && it->second->superview().get() == this ? it->second
                                                                                           : nullptr;
}

std::shared_ptr<UIView> UITableView::footerViewForSection(int section) {
    layoutIfNeeded();
    auto it = footerViews_.find(section);
    return it != footerViews_.end() && it->second && it->second->superview().get() == this ? it->second
                                                                                           : nullptr;
}

// Layout.

void UITableView::layoutSubviews() {
    UIScrollView::layoutSubviews();
    ensureGeometry();
    if (contentSize().width != bounds().size.width) {
        setContentSize({bounds().size.width, contentSize().height});
    }
    placeTableHeaderAndFooter();
    layoutVisibleContent();
}

void UITableView::placeTableHeaderAndFooter() {
    CGFloat width = bounds().size.width;
    if (tableHeaderView_) {
        CGFloat height = tableHeaderView_->frame().size.height;
        tableHeaderView_->setFrame({0, 0, width, height});
        if (height != contentTop_) {
            restack(0);
        }
    }
    if (tableFooterView_) {
        CGFloat top = sections_.empty() ? contentTop_ : sections_.back().bottom();
        tableFooterView_->setFrame({0, top, width, tableFooterView_->frame().size.height});
    }
}

void UITableView::layoutVisibleContent() {
    for (int pass = 0; pass < 3; ++pass) {
        CGRect visible = bounds();
        std::set<NSIndexPath> wanted;
        for (std::size_t s = 0; s < sections_.size(); ++s) {
            const Section& section = sections_[s];
            if (section.rowsBottom() <= visible.minY() || section.rowsTop() >= visible.maxY()) {
                continue;
            }
            auto first = std::upper_bound(section.rowTops.begin(), section.rowTops.end(), visible.minY());
            std::size_t r = first == section.rowTops.begin()
                                ? 0
                                : static_cast<std::size_t>(first - section.rowTops.begin()) - 1;
            for (; r < section.rowTops.size() && section.rowTops[r] < visible.maxY(); ++r) {
                if (section.rowTops[r] + section.rowHeights[r] > visible.minY()) {
                    wanted.insert({static_cast<int>(s), static_cast<int>(r)});
                }
            }
        }
        visibleCells_.removeAllExcept(
            wanted, [this](const auto& cell, const NSIndexPath& indexPath) { enqueue(cell, indexPath); });
        bool remeasured = false;
        for (const NSIndexPath& indexPath : wanted) {
            auto cell = visibleCells_.cellAt(indexPath);
            if (!cell) {
                cell = makeCell(indexPath);
            }
            const Section& section = sections_[static_cast<std::size_t>(indexPath.section)];
            if (section.estimated[static_cast<std::size_t>(indexPath.row)] && measureRow(*cell, indexPath)) {
                remeasured = true;
            }
            cell->setFrame(rectForRowAtIndexPath(indexPath));
        }
        if (!remeasured) {
            break;
        }
    }
    for (int s = 0; s < static_cast<int>(sections_.size()); ++s) {
        const Section& section = sections_[static_cast<std::size_t>(s)];
        for (bool header : {true, false}) {
            CGFloat height = header ? section.headerHeight : section.footerHeight;
            CGRect rect = header ? displayedHeaderRect(s) : rectForFooterInSection(s);
            bool shown = height > 0 && rect.intersects(bounds());
            auto view = shown ? sectionView(s, header) : nullptr;
            auto& cache = header ? headerViews_ : footerViews_;
            if (auto it = cache.find(s);
                !shown && it != cache.end() && it->second && it->second->superview().get() == this) {
                it->second->removeFromSuperview();
            }
            if (view) {
                if (view->superview().get() != this) {
                    UIView::performWithoutAnimation([&] { view->setFrame(rect); });
                    addSubview(view);
                }
                view->setFrame(rect);
                bringSubviewToFront(view.get());
            }
        }
    }
}

std::shared_ptr<UITableViewCell> UITableView::makeCell(const NSIndexPath& indexPath) {
    auto me = self();
    std::shared_ptr<UITableViewCell> cell;
    if (auto ds = dataSource()) {
        cell = ds->tableViewCellForRowAtIndexPath(me, indexPath);
    }
    if (!cell) {
        cell = std::make_shared<UITableViewCell>();
    }
    configureCell(*cell, indexPath);
    UIView::performWithoutAnimation([&] {
        cell->setAlpha(1);
        cell->setFrame(rectForRowAtIndexPath(indexPath));
    });
    insertSubviewAtIndex(cell, 0);
    visibleCells_.set(indexPath, cell);
    if (auto d = delegate()) {
        d->tableViewWillDisplayCellForRowAtIndexPath(me, cell, indexPath);
    }
    return cell;
}

void UITableView::configureCell(UITableViewCell& cell, const NSIndexPath& indexPath) {
    auto me = self();
    auto ds = dataSource();
    bool canEdit = ds && ds->tableViewCanEditRowAtIndexPath(me, indexPath);
    bool canMove = ds && ds->tableViewCanMoveRowAtIndexPath(me, indexPath);
    auto d = delegate();
    UITableViewCellEditingStyle style = !canEdit ? UITableViewCellEditingStyle::none
                                        : d      ? d->tableViewEditingStyleForRowAtIndexPath(me, indexPath)
                                                 : UITableViewCellEditingStyle::deleteStyle;
    cell.setEditingDecoration(style, canMove);
    cell.setEditing(editing_, false);
    cell.setShowingDeleteConfirmation(confirmingDeletion_ == indexPath);
    cell.setSelected(selected_ == indexPath, false);
    cell.setHighlighted(false, false);
    bool last = indexPath.section + 1 == static_cast<int>(sections_.size()) &&
                indexPath.row + 1 == numberOfRowsInSection(indexPath.section);
    cell.setSeparatorInset(separatorInset_);
    cell.setSeparator(separatorStyle_ == UITableViewCellSeparatorStyle::singleLine && !last, separatorColor_);
    std::weak_ptr<UIResponder> weakTable = weak_from_this();
    cell.onDeleteControl_ = [weakTable](UITableViewCell& tapped) {
        if (auto table = std::static_pointer_cast<UITableView>(weakTable.lock())) {
            table->showDeleteConfirmation(tapped);
        }
    };
    cell.onDeleteConfirmed_ = [weakTable](UITableViewCell& tapped) {
        if (auto table = std::static_pointer_cast<UITableView>(weakTable.lock())) {
            table->commitDeletion(tapped);
        }
    };
}

bool UITableView::measureRow(UITableViewCell& cell, const NSIndexPath& indexPath) {
    Section& section = sections_[static_cast<std::size_t>(indexPath.section)];
    auto r = static_cast<std::size_t>(indexPath.row);
    section.estimated[r] = false;
    CGFloat height = cell.systemLayoutSizeFittingSize({bounds().size.width, 0}).height;
    if (height == section.rowHeights[r]) {
        return false;
    }
    section.rowHeights[r] = height;
    restack(static_cast<std::size_t>(indexPath.section));
    return true;
}

void UITableView::enqueue(const std::shared_ptr<UITableViewCell>& cell, const NSIndexPath& indexPath) {
    cell->removeFromSuperview();
    cell->setHighlighted(false, false);
    if (auto d = delegate()) {
        d->tableViewDidEndDisplayingCellForRowAtIndexPath(self(), cell, indexPath);
    }
    pool_.enqueue(cell);
}

void UITableView::dropVisibleContent() {
    visibleCells_.removeAll(
        [this](const auto& cell, const NSIndexPath& indexPath) { enqueue(cell, indexPath); });
}

// Reloading and updates.

void UITableView::reloadData() {
    dropVisibleContent();
    selected_.reset();
    pressed_.reset();
    confirmingDeletion_.reset();
    reorderingFrom_.reset();
    geometryValid_ = false;
    setNeedsLayout();
}

void UITableView::reloadRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths,
                                         UITableViewRowAnimation) {
    std::map<NSIndexPath, std::optional<NSIndexPath>> same;
    for (const auto& [indexPath, cell] : visibleCells_) {
        bool reloaded = std::find(indexPaths.begin(), indexPaths.end(), indexPath) != indexPaths.end();
        same[indexPath] = reloaded ? std::nullopt : std::optional<NSIndexPath>(indexPath);
    }
    for (const auto& indexPath : indexPaths) {
        if (selected_ == indexPath) {
            selected_.reset();
        }
    }
    applyUpdate(same, UITableViewRowAnimation::none, {});
}

void UITableView::reloadSections(const std::vector<int>& sections, UITableViewRowAnimation) {
    std::map<NSIndexPath, std::optional<NSIndexPath>> same;
    for (const auto& [indexPath, cell] : visibleCells_) {
        bool reloaded = std::find(sections.begin(), sections.end(), indexPath.section) != sections.end();
        same[indexPath] = reloaded ? std::nullopt : std::optional<NSIndexPath>(indexPath);
    }
    if (selected_ && std::find(sections.begin(), sections.end(), selected_->section) != sections.end()) {
        selected_.reset();
    }
    applyUpdate(same, UITableViewRowAnimation::none, {});
}

void UITableView::deleteRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths,
                                         UITableViewRowAnimation animation) {
    if (!geometryValid_) {
        reloadData();
        return;
    }
    auto deleted = rowsBySection(indexPaths);
    auto ds = dataSource();
    auto me = self();
    bool consistent = ds && ds->numberOfSectionsInTableView(me) == static_cast<int>(sections_.size());
    for (int s = 0; consistent && s < static_cast<int>(sections_.size()); ++s) {
        int before = static_cast<int>(sections_[static_cast<std::size_t>(s)].rowHeights.size());
        auto gone = deleted.count(s) ? deleted[s] : std::vector<int>{};
        bool inRange = gone.empty() || (gone.front() >= 0 && gone.back() < before);
        consistent =
            inRange && ds->tableViewNumberOfRowsInSection(me, s) == before - static_cast<int>(gone.size());
    }
    if (!consistent || deleted.size() > sections_.size()) {
        DebugConsole::print("Row deletion does not match the data source; reloading the table");
        reloadData();
        return;
    }
    auto shift = [&](const NSIndexPath& indexPath) -> std::optional<NSIndexPath> {
        auto it = deleted.find(indexPath.section);
        if (it == deleted.end()) {
            return indexPath;
        }
        if (std::binary_search(it->second.begin(), it->second.end(), indexPath.row)) {
            return std::nullopt;
        }
        int before = static_cast<int>(std::lower_bound(it->second.begin(), it->second.end(), indexPath.row) -
                                      it->second.begin());
        return NSIndexPath{indexPath.section, indexPath.row - before};
    };
    std::map<NSIndexPath, std::optional<NSIndexPath>> moves;
    std::vector<NSIndexPath> fading;
    for (const auto& [indexPath, cell] : visibleCells_) {
        moves[indexPath] = shift(indexPath);
        if (!moves[indexPath]) {
            fading.push_back(indexPath);
        }
    }
    if (selected_) {
        selected_ = shift(*selected_);
    }
    confirmingDeletion_.reset();
    applyUpdate(moves, animation, fading);
}

void UITableView::insertRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths,
                                         UITableViewRowAnimation animation) {
    if (!geometryValid_) {
        reloadData();
        return;
    }
    auto inserted = rowsBySection(indexPaths);
    auto ds = dataSource();
    auto me = self();
    bool consistent = ds && ds->numberOfSectionsInTableView(me) == static_cast<int>(sections_.size());
    for (int s = 0; consistent && s < static_cast<int>(sections_.size()); ++s) {
        int before = static_cast<int>(sections_[static_cast<std::size_t>(s)].rowHeights.size());
        int added = inserted.count(s) ? static_cast<int>(inserted[s].size()) : 0;
        consistent = ds->tableViewNumberOfRowsInSection(me, s) == before + added;
    }
    if (!consistent || inserted.size() > sections_.size()) {
        DebugConsole::print("Row insertion does not match the data source; reloading the table");
        reloadData();
        return;
    }
    auto shift = [&](const NSIndexPath& indexPath) {
        auto it = inserted.find(indexPath.section);
        int row = indexPath.row;
        if (it != inserted.end()) {
            for (int added : it->second) {
                if (added <= row) {
                    ++row;
                }
            }
        }
        return NSIndexPath{indexPath.section, row};
    };
    std::map<NSIndexPath, std::optional<NSIndexPath>> moves;
    for (const auto& [indexPath, cell] : visibleCells_) {
        moves[indexPath] = shift(indexPath);
    }
    if (selected_) {
        selected_ = shift(*selected_);
    }
    applyUpdate(moves, animation, {});
}

void UITableView::applyUpdate(const std::map<NSIndexPath, std::optional<NSIndexPath>>& moves,
                              UITableViewRowAnimation animation, const std::vector<NSIndexPath>& fadingOut) {
    auto old = visibleCells_.takeAll();
    for (const auto& [indexPath, cell] : old) {
        auto it = moves.find(indexPath);
        if (it != moves.end() && it->second) {
            visibleCells_.set(*it->second, cell);
        } else if (std::find(fadingOut.begin(), fadingOut.end(), indexPath) == fadingOut.end()) {
            enqueue(cell, indexPath);
        }
    }
    bool animated = animation != UITableViewRowAnimation::none;
    for (const auto& indexPath : fadingOut) {
        auto cell = old[indexPath];
        if (!animated) {
            enqueue(cell, indexPath);
            continue;
        }
        std::weak_ptr<UIResponder> weakTable = weak_from_this();
        UIView::animateWithDuration(
            updateDuration, [&] { cell->setAlpha(0); },
            [weakTable, cell, indexPath](bool) {
                auto table = std::static_pointer_cast<UITableView>(weakTable.lock());
                if (table && !table->indexPathForCell(cell.get())) {
                    table->enqueue(cell, indexPath);
                }
                UIView::performWithoutAnimation([&] { cell->setAlpha(1); });
            });
    }
    rebuildGeometry();
    CGPoint clamped = clampedContentOffset(contentOffset());
    if (clamped != contentOffset()) {
        setContentOffset(clamped);
    }
    for (const auto& [indexPath, cell] : visibleCells_) {
        configureCell(*cell, indexPath);
    }
    if (animated) {
        UIView::animateWithDuration(updateDuration, [&] { layoutVisibleContent(); });
    } else {
        layoutVisibleContent();
    }
    setNeedsLayout();
}

// Scrolling and selection.

void UITableView::scrollToRowAtIndexPath(const NSIndexPath& indexPath, UITableViewScrollPosition position,
                                         bool animated) {
    if (!validIndexPath(indexPath)) {
        return;
    }
    CGRect row = rectForRowAtIndexPath(indexPath);
    UIEdgeInsets inset = contentInset();
    if (style_ == UITableViewStyle::plain) {
        // The pinned header of the row's section covers the top of the view.
        inset.top += sections_[static_cast<std::size_t>(indexPath.section)].headerHeight;
    }
    CGFloat height = bounds().size.height;
    CGFloat y = contentOffset().y;
    if (position == UITableViewScrollPosition::none) {
        if (row.minY() < y + inset.top) {
            position = UITableViewScrollPosition::top;
        } else if (row.maxY() > y + height - inset.bottom) {
            position = UITableViewScrollPosition::bottom;
        } else {
            return;
        }
    }
    switch (position) {
    case UITableViewScrollPosition::top:
        y = row.minY() - inset.top;
        break;
    case UITableViewScrollPosition::middle:
        y = row.midY() - (height - inset.top - inset.bottom) / 2 - inset.top;
        break;
    case UITableViewScrollPosition::bottom:
        y = row.maxY() - height + inset.bottom;
        break;
    case UITableViewScrollPosition::none:
        break;
    }
    setContentOffset(clampedContentOffset({contentOffset().x, y}), animated);
}

void UITableView::selectRowAtIndexPath(std::optional<NSIndexPath> indexPath, bool animated,
                                       UITableViewScrollPosition position) {
    if (selected_) {
        deselectRowAtIndexPath(*selected_, animated);
    }
    if (!indexPath || !validIndexPath(*indexPath)) {
        return;
    }
    selected_ = indexPath;
    if (auto cell = visibleCells_.cellAt(*indexPath)) {
        cell->setSelected(true, animated);
    }
    if (position != UITableViewScrollPosition::none) {
        scrollToRowAtIndexPath(*indexPath, position, animated);
    }
}

void UITableView::deselectRowAtIndexPath(const NSIndexPath& indexPath, bool animated) {
    if (selected_ != indexPath) {
        return;
    }
    selected_.reset();
    if (auto cell = visibleCells_.cellAt(indexPath)) {
        cell->setSelected(false, animated);
    }
}

// Editing.

void UITableView::setEditing(bool editing, bool animated) {
    if (editing == editing_) {
        return;
    }
    editing_ = editing;
    hideDeleteConfirmation();
    auto update = [&] {
        for (const auto& [indexPath, cell] : visibleCells_) {
            cell->setEditing(editing, animated);
            cell->layoutIfNeeded();
        }
    };
    if (animated) {
        UIView::animateWithDuration(updateDuration, update);
    } else {
        update();
    }
}

void UITableView::showDeleteConfirmation(UITableViewCell& cell) {
    auto indexPath = indexPathForCell(&cell);
    if (!indexPath) {
        return;
    }
    hideDeleteConfirmation();
    confirmingDeletion_ = indexPath;
    cell.setShowingDeleteConfirmation(true);
}

void UITableView::hideDeleteConfirmation() {
    if (!confirmingDeletion_) {
        return;
    }
    if (auto cell = visibleCells_.cellAt(*confirmingDeletion_)) {
        cell->setShowingDeleteConfirmation(false);
    }
    confirmingDeletion_.reset();
}

void UITableView::commitDeletion(UITableViewCell& cell) {
    auto indexPath = indexPathForCell(&cell);
    hideDeleteConfirmation();
    auto ds = dataSource();
    if (indexPath && ds) {
        ds->tableViewCommitEditingStyleForRowAtIndexPath(self(), UITableViewCellEditingStyle::deleteStyle,
                                                         *indexPath);
    }
}

void UITableView::finishReordering(bool commit) {
    auto from = reorderingFrom_;
    auto to = reorderingTo_;
    reorderingFrom_.reset();
    reorderingTo_.reset();
    if (!from || !to) {
        return;
    }
    bool moved = commit && *from != *to;
    if (moved) {
        if (auto ds = dataSource()) {
            ds->tableViewMoveRowAtIndexPathToIndexPath(self(), *from, *to);
        }
    }
    // Every row keeps its place, except that the moved one leaves `from` and lands at `to`.
    auto relocate = [&](const NSIndexPath& indexPath) {
        if (!moved) {
            return indexPath;
        }
        if (indexPath == *from) {
            return *to;
        }
        NSIndexPath result = indexPath;
        if (result.section == from->section && result.row > from->row) {
            --result.row;
        }
        if (result.section == to->section && result.row >= to->row) {
            ++result.row;
        }
        return result;
    };
    std::map<NSIndexPath, std::optional<NSIndexPath>> moves;
    for (const auto& [indexPath, cell] : visibleCells_) {
        moves[indexPath] = relocate(indexPath);
    }
    if (selected_) {
        selected_ = relocate(*selected_);
    }
    applyUpdate(moves, UITableViewRowAnimation::automatic, {});
}

// Touches.

void UITableView::touchesBegan(UITouch& touch) {
    CGPoint point = touch.locationInView(this);
    auto indexPath = indexPathForRowAtPoint(point);
    if (confirmingDeletion_ && indexPath != confirmingDeletion_) {
        hideDeleteConfirmation();
        return;
    }
    if (!indexPath) {
        return;
    }
    auto cell = visibleCells_.cellAt(*indexPath);
    if (editing_ && cell && cell->showsReorderControl() &&
        cell->reorderControlFrame().contains(cell->convertPointFromView(point, this))) {
        reorderingFrom_ = indexPath;
        reorderingTo_ = indexPath;
        bringSubviewToFront(cell.get());
        return;
    }
    if (!allowsSelection_ || (editing_ && !allowsSelectionDuringEditing_)) {
        return;
    }
    pressed_ = indexPath;
    if (cell) {
        cell->setHighlighted(true, false);
    }
}

void UITableView::touchesMoved(UITouch& touch) {
    if (!reorderingFrom_) {
        return;
    }
    CGPoint point = touch.locationInView(this);
    auto cell = visibleCells_.cellAt(*reorderingFrom_);
    if (cell) {
        CGFloat y = std::clamp(point.y, contentTop_, std::max(contentTop_, contentSize().height));
        cell->setCenter({cell->center().x, y});
    }
    if (auto target = indexPathForRowAtPoint({bounds().midX(), point.y})) {
        reorderingTo_ = target;
    }
}

void UITableView::touchesEnded(UITouch& touch) {
    if (reorderingFrom_) {
        finishReordering(true);
        return;
    }
    auto pressed = pressed_;
    pressed_.reset();
    if (!pressed) {
        return;
    }
    auto here = indexPathForRowAtPoint(touch.locationInView(this));
    if (auto cell = visibleCells_.cellAt(*pressed)) {
        cell->setHighlighted(false, false);
    }
    if (here != pressed) {
        return;
    }
    auto me = self();
    auto d = delegate();
    if (selected_ && *selected_ != *pressed) {
        NSIndexPath previous = *selected_;
        deselectRowAtIndexPath(previous, false);
        if (d) {
            d->tableViewDidDeselectRowAtIndexPath(me, previous);
        }
    }
    selected_ = pressed;
    if (auto cell = visibleCells_.cellAt(*pressed)) {
        cell->setSelected(true, false);
    }
    if (d) {
        d->tableViewDidSelectRowAtIndexPath(me, *pressed);
    }
}

void UITableView::touchesCancelled(UITouch&) {
    if (reorderingFrom_) {
        finishReordering(false);
        return;
    }
    if (pressed_) {
        if (auto cell = visibleCells_.cellAt(*pressed_)) {
            cell->setHighlighted(false, false);
        }
        pressed_.reset();
    }
}

bool UITableView::touchesShouldCancelInContentView(const std::shared_ptr<UIView>&) {
    return !reorderingFrom_;
}

// Table header, footer and separators.

void UITableView::setTableHeaderView(std::shared_ptr<UIView> view) {
    if (tableHeaderView_) {
        tableHeaderView_->removeFromSuperview();
    }
    tableHeaderView_ = std::move(view);
    if (tableHeaderView_) {
        addSubview(tableHeaderView_);
    }
    if (geometryValid_) {
        restack(0);
    }
    setNeedsLayout();
}

void UITableView::setTableFooterView(std::shared_ptr<UIView> view) {
    if (tableFooterView_) {
        tableFooterView_->removeFromSuperview();
    }
    tableFooterView_ = std::move(view);
    if (tableFooterView_) {
        addSubview(tableFooterView_);
    }
    if (geometryValid_) {
        restack(0);
    }
    setNeedsLayout();
}

void UITableView::setSeparatorStyle(UITableViewCellSeparatorStyle style) {
    separatorStyle_ = style;
    for (const auto& [indexPath, cell] : visibleCells_) {
        configureCell(*cell, indexPath);
    }
}

void UITableView::setSeparatorColor(UIColor color) {
    separatorColor_ = std::move(color);
    for (const auto& [indexPath, cell] : visibleCells_) {
        configureCell(*cell, indexPath);
    }
}

void UITableView::setSeparatorInset(const UIEdgeInsets& inset) {
    separatorInset_ = inset;
    for (const auto& [indexPath, cell] : visibleCells_) {
        configureCell(*cell, indexPath);
    }
}
