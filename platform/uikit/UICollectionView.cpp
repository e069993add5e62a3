#include "platform/uikit/UICollectionView.h"

#include "platform/uikit/UICollectionViewFlowLayout.h"
#include "platform/uikit/UITouch.h"

#include <set>

UICollectionView::UICollectionView(const CGRect& frame, std::shared_ptr<UICollectionViewLayout> layout)
    : UIScrollView(frame),
      layout_(layout ? std::move(layout) : std::make_shared<UICollectionViewFlowLayout>()) {}

UICollectionView::UICollectionView(const NSCoder&) : UICollectionView(CGRect{}, nullptr) {}

std::shared_ptr<UICollectionView> UICollectionView::self() {
    return std::static_pointer_cast<UICollectionView>(shared_from_this());
}

void UICollectionView::setCollectionViewLayout(std::shared_ptr<UICollectionViewLayout> layout) {
    if (layout) {
        layout_ = std::move(layout);
        prepared_ = false;
        setNeedsLayout();
    }
}

void UICollectionView::setDataSource(std::weak_ptr<UICollectionViewDataSource> dataSource) {
    dataSource_ = std::move(dataSource);
    reloadData();
}

void UICollectionView::setDelegate(std::weak_ptr<UICollectionViewDelegate> delegate) {
    collectionDelegate_ = delegate;
    UIScrollView::setDelegate(std::weak_ptr<UIScrollViewDelegate>(delegate.lock()));
    prepared_ = false;
    setNeedsLayout();
}

void UICollectionView::registerNib(const std::shared_ptr<UINib>& nib, const std::string& reuseIdentifier) {
    pool_.registerNib(nib, reuseIdentifier);
}

void UICollectionView::registerCellFactory(const std::string& reuseIdentifier,
                                           std::function<std::shared_ptr<UICollectionViewCell>()> make) {
    pool_.registerFactory(reuseIdentifier, std::move(make));
}

std::shared_ptr<UICollectionViewCell>
UICollectionView::dequeueReusableCellWithReuseIdentifier(const std::string& reuseIdentifier,
                                                         const NSIndexPath&) {
    return pool_.dequeue(reuseIdentifier);
}

void UICollectionView::reloadData() {
    visibleCells_.removeAll(
        [this](const auto& cell, const NSIndexPath& indexPath) { enqueue(cell, indexPath); });
    counts_.reset();
    prepared_ = false;
    pressed_.reset();
    setNeedsLayout();
}

void UICollectionView::ensureCounts() {
    if (counts_) {
        return;
    }
    counts_.emplace();
    auto ds = dataSource();
    auto me = self();
    int sections = ds ? std::max(0, ds->numberOfSectionsInCollectionView(me)) : 0;
    for (int s = 0; s < sections; ++s) {
        counts_->push_back(std::max(0, ds->collectionViewNumberOfItemsInSection(me, s)));
    }
}

void UICollectionView::ensurePrepared() {
    ensureCounts();
    if (prepared_ && preparedSize_ == bounds().size) {
        return;
    }
    prepared_ = true;
    preparedSize_ = bounds().size;
    layout_->prepareLayout(*this);
    setContentSize(layout_->collectionViewContentSize());
}

int UICollectionView::numberOfSections() {
    ensureCounts();
    return static_cast<int>(counts_->size());
}

int UICollectionView::numberOfItemsInSection(int section) {
    ensureCounts();
    return section >= 0 && section < static_cast<int>(counts_->size())
               ? (*counts_)[static_cast<std::size_t>(section)]
               : 0;
}

std::optional<UICollectionViewLayoutAttributes>
UICollectionView::layoutAttributesForItemAtIndexPath(const NSIndexPath& indexPath) {
    ensurePrepared();
    return layout_->layoutAttributesForItemAtIndexPath(indexPath);
}

void UICollectionView::layoutSubviews() {
    UIScrollView::layoutSubviews();
    ensurePrepared();
    auto attributes = layout_->layoutAttributesForElementsInRect(bounds());
    std::set<NSIndexPath> wanted;
    for (const auto& item : attributes) {
        wanted.insert(item.indexPath);
    }
    visibleCells_.removeAllExcept(
        wanted, [this](const auto& cell, const NSIndexPath& indexPath) { enqueue(cell, indexPath); });
    auto me = self();
    for (const auto& item : attributes) {
        if (auto shown = visibleCells_.cellAt(item.indexPath)) {
            shown->setFrame(item.frame);
            continue;
        }
        std::shared_ptr<UICollectionViewCell> cell;
        if (auto ds = dataSource()) {
            cell = ds->collectionViewCellForItemAtIndexPath(me, item.indexPath);
        }
        if (!cell) {
            cell = std::make_shared<UICollectionViewCell>();
        }
        visibleCells_.set(item.indexPath, cell);
        UIView::performWithoutAnimation([&] { cell->setFrame(item.frame); });
        cell->setSelected(false);
        addSubview(cell);
        if (auto d = delegate()) {
            d->collectionViewWillDisplayCellForItemAtIndexPath(me, cell, item.indexPath);
        }
    }
}

void UICollectionView::enqueue(const std::shared_ptr<UICollectionViewCell>& cell,
                               const NSIndexPath& indexPath) {
    cell->removeFromSuperview();
    if (auto d = delegate()) {
        d->collectionViewDidEndDisplayingCellForItemAtIndexPath(self(), cell, indexPath);
    }
    pool_.enqueue(cell);
}

std::shared_ptr<UICollectionViewCell> UICollectionView::cellForItemAtIndexPath(const NSIndexPath& indexPath) {
    layoutIfNeeded();
    return visibleCells_.cellAt(indexPath);
}

std::vector<std::shared_ptr<UICollectionViewCell>> UICollectionView::visibleCells() {
    layoutIfNeeded();
    return visibleCells_.cells();
}

std::vector<NSIndexPath> UICollectionView::indexPathsForVisibleItems() {
    layoutIfNeeded();
    return visibleCells_.indexPaths();
}

std::optional<NSIndexPath> UICollectionView::indexPathForItemAtPoint(CGPoint point) {
    ensurePrepared();
    for (const auto& item : layout_->layoutAttributesForElementsInRect({point.x, point.y, 1, 1})) {
        if (item.frame.contains(point)) {
            return item.indexPath;
        }
    }
    return std::nullopt;
}

std::optional<NSIndexPath> UICollectionView::indexPathForCell(const UICollectionViewCell* cell) const {
    return visibleCells_.indexPathOf(cell);
}

void UICollectionView::touchesBegan(UITouch& touch) {
    pressed_ = indexPathForItemAtPoint(touch.locationInView(this));
    if (auto cell = pressed_ ? visibleCells_.cellAt(*pressed_) : nullptr) {
        cell->setHighlighted(true);
    }
}

void UICollectionView::touchesEnded(UITouch& touch) {
    auto pressed = pressed_;
    pressed_.reset();
    if (!pressed) {
        return;
    }
    if (auto cell = visibleCells_.cellAt(*pressed)) {
        cell->setHighlighted(false);
    }
    if (indexPathForItemAtPoint(touch.locationInView(this)) != pressed) {
        return;
    }
    for (const auto& [indexPath, cell] : visibleCells_) {
        cell->setSelected(indexPath == *pressed);
    }
    if (auto d = delegate()) {
        d->collectionViewDidSelectItemAtIndexPath(self(), *pressed);
    }
}

void UICollectionView::touchesCancelled(UITouch&) {
    if (pressed_) {
        if (auto cell = visibleCells_.cellAt(*pressed_)) {
            cell->setHighlighted(false);
        }
        pressed_.reset();
    }
}
