#include "platform/uikit/UICollectionViewFlowLayout.h"

#include "platform/uikit/UICollectionView.h"
#include "platform/uikit/UICollectionViewDelegateFlowLayout.h"

#include <algorithm>

void UICollectionViewFlowLayout::prepareLayout(UICollectionView& collectionView) {
    attributes_.clear();
    auto view = std::static_pointer_cast<UICollectionView>(collectionView.shared_from_this());
    auto flow = std::dynamic_pointer_cast<UICollectionViewDelegateFlowLayout>(collectionView.delegate());
    bool vertical = scrollDirection == UICollectionViewScrollDirection::vertical;
    // "Along" runs the way lines fill, "across" the way the view scrolls.
    CGFloat extent = vertical ? collectionView.bounds().size.width : collectionView.bounds().size.height;
    CGFloat position = 0;
    for (int s = 0; s < collectionView.numberOfSections(); ++s) {
        UIEdgeInsets inset = sectionInset;
        CGFloat lineSpacing = minimumLineSpacing;
        CGFloat itemSpacing = minimumInteritemSpacing;
        if (flow) {
            inset = flow->collectionViewLayoutInsetForSectionAtIndex(view, *this, s).value_or(inset);
            lineSpacing = flow->collectionViewLayoutMinimumLineSpacingForSectionAtIndex(view, *this, s)
                              .value_or(lineSpacing);
            itemSpacing = flow->collectionViewLayoutMinimumInteritemSpacingForSectionAtIndex(view, *this, s)
                              .value_or(itemSpacing);
        }
        CGFloat alongStart = vertical ? inset.left : inset.top;
        CGFloat alongEnd = extent - (vertical ? inset.right : inset.bottom);
        position += vertical ? inset.top : inset.left;
        CGFloat along = alongStart;
        CGFloat lineThickness = 0;
        std::size_t lineStart = attributes_.size();
        // Finishes a line: centred across it, and along it a lone item is centred and a full line
        // is spread out to both ends; the last line keeps the minimum spacing.
        auto closeLine = [&](bool last) {
            std::size_t count = attributes_.size() - lineStart;
            CGFloat used = 0;
            for (std::size_t i = lineStart; i < attributes_.size(); ++i) {
                used += vertical ? attributes_[i].frame.size.width : attributes_[i].frame.size.height;
            }
            CGFloat room = alongEnd - alongStart;
            CGFloat gap = count > 1 && !last ? (room - used) / static_cast<CGFloat>(count - 1) : itemSpacing;
            CGFloat cursor = count == 1 ? alongStart + (room - used) / 2 : alongStart;
            for (std::size_t i = lineStart; i < attributes_.size(); ++i) {
                CGRect& f = attributes_[i].frame;
                CGFloat thickness = vertical ? f.size.height : f.size.width;
                (vertical ? f.origin.y : f.origin.x) = position + (lineThickness - thickness) / 2;
                (vertical ? f.origin.x : f.origin.y) = cursor;
                cursor += (vertical ? f.size.width : f.size.height) + gap;
            }
            lineStart = attributes_.size();
        };
        int items = collectionView.numberOfItemsInSection(s);
        for (int item = 0; item < items; ++item) {
            NSIndexPath indexPath{s, item};
            CGSize size = itemSize;
            if (flow) {
                size =
                    flow->collectionViewLayoutSizeForItemAtIndexPath(view, *this, indexPath).value_or(size);
            }
            CGFloat length = vertical ? size.width : size.height;
            CGFloat thickness = vertical ? size.height : size.width;
            if (along > alongStart && along + length > alongEnd) {
                closeLine(false);
                position += lineThickness + lineSpacing;
                along = alongStart;
                lineThickness = 0;
            }
            CGRect frame = vertical ? CGRect{along, position, size.width, size.height}
                                    : CGRect{position, along, size.width, size.height};
            attributes_.push_back({indexPath, frame});
            along += length + itemSpacing;
            lineThickness = std::max(lineThickness, thickness);
        }
        closeLine(true);
        position += lineThickness + (vertical ? inset.bottom : inset.right);
    }
    contentSize_ = vertical ? CGSize{collectionView.bounds().size.width, position}
                            : CGSize{position, collectionView.bounds().size.height};
}
