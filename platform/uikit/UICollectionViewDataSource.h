#pragma once

#include "platform/uikit/NSIndexPath.h"

#include <memory>

class UICollectionView;
class UICollectionViewCell;

// Supplies a collection view's sections, items and cells; defaults: one section of no items.
class UICollectionViewDataSource {
  public:
    virtual ~UICollectionViewDataSource() = default;
    virtual int numberOfSectionsInCollectionView(const std::shared_ptr<UICollectionView>&) { return 1; }
    virtual int collectionViewNumberOfItemsInSection(const std::shared_ptr<UICollectionView>&, int) {
        return 0;
    }
    // A missing cell is shown as an empty cell.
    virtual std::shared_ptr<UICollectionViewCell>
    collectionViewCellForItemAtIndexPath(const std::shared_ptr<UICollectionView>&, const NSIndexPath&) {
        return nullptr;
    }
};
