#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/uikit/NSIndexPath.h"

// Where a layout puts one item.
struct UICollectionViewLayoutAttributes {
    NSIndexPath indexPath;
    CGRect frame;
    bool operator==(const UICollectionViewLayoutAttributes&) const = default;
};
