#pragma once

#include "platform/uikit/UICollectionViewLayoutAttributes.h"

#include <memory>
#include <optional>
#include <vector>

class UICollectionView;

// Decides where a collection view's items go. prepareLayout runs before the collection view
// asks anything after a reload or a change of its size.
class UICollectionViewLayout : public std::enable_shared_from_this<UICollectionViewLayout> {
  public:
    virtual ~UICollectionViewLayout() = default;

    virtual void prepareLayout(UICollectionView& collectionView) = 0;
    virtual CGSize collectionViewContentSize() const = 0;
    virtual std::vector<UICollectionViewLayoutAttributes>
    layoutAttributesForElementsInRect(const CGRect& rect) const;
    virtual std::optional<UICollectionViewLayoutAttributes>
    layoutAttributesForItemAtIndexPath(const NSIndexPath& indexPath) const;

  protected:
    std::vector<UICollectionViewLayoutAttributes> attributes_;
};
