#pragma once

#include "platform/graphics/UIEdgeInsets.h"
#include "platform/uikit/UICollectionViewLayout.h"

enum class UICollectionViewScrollDirection { vertical, horizontal };

// Items in lines: across the width, line under line, when scrolling vertically; down the height,
// column after column, when scrolling horizontally. Sizes, insets and spacings come from the
// collection view's delegate when it is a flow-layout delegate that answers, else from the
// layout's own settings. Items of one line are centred on the line; a lone item is centred
// along it and a full line spreads its items to both ends.
class UICollectionViewFlowLayout : public UICollectionViewLayout {
  public:
    UICollectionViewScrollDirection scrollDirection = UICollectionViewScrollDirection::vertical;
    CGSize itemSize{50, 50};
    CGFloat minimumLineSpacing = 10;
    CGFloat minimumInteritemSpacing = 10;
    UIEdgeInsets sectionInset;

    void prepareLayout(UICollectionView& collectionView) override;
    CGSize collectionViewContentSize() const override { return contentSize_; }

  private:
    CGSize contentSize_;
};
