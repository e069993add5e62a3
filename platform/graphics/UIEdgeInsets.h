#pragma once

#include "platform/graphics/CGGeometry.h"

struct UIEdgeInsets {
    CGFloat top = 0;
    CGFloat left = 0;
    CGFloat bottom = 0;
    CGFloat right = 0;

    static constexpr UIEdgeInsets zero() { return {}; }
    CGRect insetRect(const CGRect& r) const {
        return {r.origin.x + left, r.origin.y + top, r.size.width - left - right,
                r.size.height - top - bottom};
    }
    bool operator==(const UIEdgeInsets&) const = default;
};

inline UIEdgeInsets UIEdgeInsetsMake(CGFloat top, CGFloat left, CGFloat bottom, CGFloat right) {
    return {top, left, bottom, right};
}
