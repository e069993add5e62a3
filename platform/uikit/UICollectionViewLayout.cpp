#include "platform/uikit/UICollectionViewLayout.h"

std::vector<UICollectionViewLayoutAttributes>
UICollectionViewLayout::layoutAttributesForElementsInRect(const CGRect& rect) const {
    std::vector<UICollectionViewLayoutAttributes> result;
    for (const auto& attributes : attributes_) {
        if (attributes.frame.intersects(rect)) {
            result.push_back(attributes);
        }
    }
    return result;
}

std::optional<UICollectionViewLayoutAttributes>
UICollectionViewLayout::layoutAttributesForItemAtIndexPath(const NSIndexPath& indexPath) const {
    for (const auto& attributes : attributes_) {
        if (attributes.indexPath == indexPath) {
            return attributes;
        }
    }
    return std::nullopt;
}
