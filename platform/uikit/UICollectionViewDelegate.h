#pragma once

#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UIScrollViewDelegate.h"

#include <memory>

class UICollectionView;
class UICollectionViewCell;

class UICollectionViewDelegate : public UIScrollViewDelegate {
  public:
    virtual void collectionViewDidSelectItemAtIndexPath(const std::shared_ptr<UICollectionView>&,
                                                        const NSIndexPath&) {}
    virtual void collectionViewWillDisplayCellForItemAtIndexPath(const std::shared_ptr<UICollectionView>&,
                                                                 const std::shared_ptr<UICollectionViewCell>&,
                                                                 const NSIndexPath&) {}
    virtual void
    collectionViewDidEndDisplayingCellForItemAtIndexPath(const std::shared_ptr<UICollectionView>&,
                                                         const std::shared_ptr<UICollectionViewCell>&,
                                                         const NSIndexPath&) {}
};
