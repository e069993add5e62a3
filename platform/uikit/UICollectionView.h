#pragma once

#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UICollectionViewCell.h"
#include "platform/uikit/UICollectionViewDataSource.h"
#include "platform/uikit/UICollectionViewDelegate.h"
#include "platform/uikit/UICollectionViewLayout.h"
#include "platform/uikit/UIReusableViewPool.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UIVisibleCells.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Items placed by a layout, with cells only for the items in the visible part; cells that
// scroll out are queued for reuse by identifier. A tap on an item selects it.
class UICollectionView : public UIScrollView {
  public:
    UICollectionView(const CGRect& frame, std::shared_ptr<UICollectionViewLayout> layout);
    // With a flow layout.
    explicit UICollectionView(const NSCoder& coder);

    const std::shared_ptr<UICollectionViewLayout>& collectionViewLayout() const { return layout_; }
    void setCollectionViewLayout(std::shared_ptr<UICollectionViewLayout> layout);
    std::shared_ptr<UICollectionViewDataSource> dataSource() const { return dataSource_.lock(); }
    void setDataSource(std::weak_ptr<UICollectionViewDataSource> dataSource);
    std::shared_ptr<UICollectionViewDelegate> delegate() const { return collectionDelegate_.lock(); }
    void setDelegate(std::weak_ptr<UICollectionViewDelegate> delegate);

    void registerNib(const std::shared_ptr<UINib>& nib, const std::string& reuseIdentifier);
    void registerCellFactory(const std::string& reuseIdentifier,
                             std::function<std::shared_ptr<UICollectionViewCell>()> make);
    template <typename Cell> void registerClass(const std::string& reuseIdentifier) {
        registerCellFactory(reuseIdentifier, [] { return std::make_shared<Cell>(CGRect{}); });
    }
    std::shared_ptr<UICollectionViewCell>
    dequeueReusableCellWithReuseIdentifier(const std::string& reuseIdentifier, const NSIndexPath& indexPath);

    void reloadData();
    int numberOfSections();
    int numberOfItemsInSection(int section);
    std::shared_ptr<UICollectionViewCell> cellForItemAtIndexPath(const NSIndexPath& indexPath);
    std::vector<std::shared_ptr<UICollectionViewCell>> visibleCells();
    std::vector<NSIndexPath> indexPathsForVisibleItems();
    std::optional<NSIndexPath> indexPathForItemAtPoint(CGPoint point);
    std::optional<NSIndexPath> indexPathForCell(const UICollectionViewCell* cell) const;
    std::optional<UICollectionViewLayoutAttributes>
    layoutAttributesForItemAtIndexPath(const NSIndexPath& indexPath);

    void layoutSubviews() override;
    void touchesBegan(UITouch& touch) override;
    void touchesEnded(UITouch& touch) override;
    void touchesCancelled(UITouch& touch) override;

  private:
    std::shared_ptr<UICollectionView> self();
    void ensureCounts();
    void ensurePrepared();
    void enqueue(const std::shared_ptr<UICollectionViewCell>& cell, const NSIndexPath& indexPath);

    std::shared_ptr<UICollectionViewLayout> layout_;
    std::weak_ptr<UICollectionViewDataSource> dataSource_;
    std::weak_ptr<UICollectionViewDelegate> collectionDelegate_;
    UIReusableViewPool<UICollectionViewCell> pool_;
    std::optional<std::vector<int>> counts_;
    bool prepared_ = false;
    CGSize preparedSize_;
    UIVisibleCells<UICollectionViewCell> visibleCells_;
    std::optional<NSIndexPath> pressed_;
};
