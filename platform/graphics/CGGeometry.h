#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

using CGFloat = double;

struct CGPoint {
    CGFloat x = 0;
    CGFloat y = 0;

    static constexpr CGPoint zero() { return {}; }
    bool operator==(const CGPoint&) const = default;
};

struct CGSize {
    CGFloat width = 0;
    CGFloat height = 0;

    static constexpr CGSize zero() { return {}; }
    bool operator==(const CGSize&) const = default;
};

struct CGVector {
    CGFloat dx = 0;
    CGFloat dy = 0;
    bool operator==(const CGVector&) const = default;
};

// Rectangles may carry a negative size; the min/max helpers and all operations work on the
// standardized form, as the platform does.
struct CGRect {
    CGPoint origin;
    CGSize size;

    constexpr CGRect() = default;
    constexpr CGRect(CGPoint o, CGSize s) : origin(o), size(s) {}
    constexpr CGRect(CGFloat x, CGFloat y, CGFloat width, CGFloat height)
        : origin{x, y}, size{width, height} {}

    static constexpr CGRect zero() { return {}; }
    // The result of intersecting disjoint rectangles.
    static CGRect null();

    CGRect standardized() const;
    CGFloat minX() const { return standardized().origin.x; }
    CGFloat minY() const { return standardized().origin.y; }
    CGFloat maxX() const;
    CGFloat maxY() const;
    CGFloat midX() const { return origin.x + size.width / 2; }
    CGFloat midY() const { return origin.y + size.height / 2; }
    CGFloat width() const { return std::abs(size.width); }
    CGFloat height() const { return std::abs(size.height); }
    CGPoint center() const { return {midX(), midY()}; }

    bool isNull() const;
    bool isEmpty() const;
    bool contains(CGPoint p) const;
    bool contains(const CGRect& r) const;
    bool intersects(const CGRect& r) const;

    CGRect insetBy(CGFloat dx, CGFloat dy) const;
    CGRect offsetBy(CGFloat dx, CGFloat dy) const;
    CGRect intersection(const CGRect& r) const;
    CGRect unionWith(const CGRect& r) const;
    // Smallest rectangle with integral coordinates that contains this one.
    CGRect integral() const;

    bool operator==(const CGRect&) const = default;
};

inline CGPoint CGPointMake(CGFloat x, CGFloat y) {
    return {x, y};
}
inline CGSize CGSizeMake(CGFloat w, CGFloat h) {
    return {w, h};
}
inline CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat w, CGFloat h) {
    return {x, y, w, h};
}
