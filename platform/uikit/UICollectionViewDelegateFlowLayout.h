#pragma once

#include "platform/graphics/UIEdgeInsets.h"
#include "platform/uikit/UICollectionViewDelegate.h"

#include <optional>

class UICollectionViewLayout;

// What a flow layout asks its collection view's delegate; nothing keeps the layout's own value.
class UICollectionViewDelegateFlowLayout : public UICollectionViewDelegate {
  public:
    virtual std::optional<CGSize>
    collectionViewLayoutSizeForItemAtIndexPath(const std::shared_ptr<UICollectionView>&,
                                               UICollectionViewLayout&, const NSIndexPath&) {
        return std::nullopt;
    }
    virtual std::optional<UIEdgeInsets>
    collectionViewLayoutInsetForSectionAtIndex(const std::shared_ptr<UICollectionView>&,
                                               UICollectionViewLayout&, int) {
        return std::nullopt;
    }
    virtual std::optional<CGFloat>
    collectionViewLayoutMinimumLineSpacingForSectionAtIndex(const std::shared_ptr<UICollectionView>&,
                                                            UICollectionViewLayout&, int) {
        return std::nullopt;
    }
    virtual std::optional<CGFloat>
    collectionViewLayoutMinimumInteritemSpacingForSectionAtIndex(const std::shared_ptr<UICollectionView>&,
                                                                 UICollectionViewLayout&, int) {
        return std::nullopt;
    }
};
