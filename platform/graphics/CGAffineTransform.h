#pragma once

#include "platform/graphics/CGGeometry.h"

// Maps (x, y) to (a x + c y + tx, b x + d y + ty).
struct CGAffineTransform {
    CGFloat a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    static constexpr CGAffineTransform identity() { return {}; }
    static CGAffineTransform makeTranslation(CGFloat tx, CGFloat ty);
    static CGAffineTransform makeScale(CGFloat sx, CGFloat sy);
    static CGAffineTransform makeRotation(CGFloat angle);

    bool isIdentity() const { return *this == CGAffineTransform{}; }
    // this first, then t.
    CGAffineTransform concatenating(const CGAffineTransform& t) const;
    CGAffineTransform translatedBy(CGFloat tx, CGFloat ty) const;
    CGAffineTransform scaledBy(CGFloat sx, CGFloat sy) const;
    CGAffineTransform rotatedBy(CGFloat angle) const;
    // A singular transform is returned unchanged (the platform does the same).
    CGAffineTransform inverted() const;

    CGPoint apply(CGPoint p) const;
    CGSize apply(CGSize s) const;
    // Bounding box of the transformed corners.
    CGRect apply(const CGRect& r) const;

    bool operator==(const CGAffineTransform&) const = default;
};
