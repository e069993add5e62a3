#include "platform/graphics/CGGeometry.h"

CGRect CGRect::null() {
    constexpr CGFloat inf = std::numeric_limits<CGFloat>::infinity();
    return {inf, inf, 0, 0};
}

CGRect CGRect::standardized() const {
    if (isNull()) {
        return *this;
    }
    CGRect r = *this;
    if (r.size.width < 0) {
        r.origin.x += r.size.width;
        r.size.width = -r.size.width;
    }
    if (r.size.height < 0) {
        r.origin.y += r.size.height;
        r.size.height = -r.size.height;
    }
    return r;
}

CGFloat CGRect::maxX() const {
    CGRect r = standardized();
    return r.origin.x + r.size.width;
}

CGFloat CGRect::maxY() const {
    CGRect r = standardized();
    return r.origin.y + r.size.height;
}

bool CGRect::isNull() const {
    return std::isinf(origin.x) || std::isinf(origin.y);
}

bool CGRect::isEmpty() const {
    return isNull() || size.width == 0 || size.height == 0;
}

bool CGRect::contains(CGPoint p) const {
    if (isEmpty()) {
        return false;
    }
    return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
}

bool CGRect::contains(const CGRect& r) const {
    if (isNull() || r.isNull()) {
        return false;
    }
    return r.minX() >= minX() && r.maxX() <= maxX() && r.minY() >= minY() && r.maxY() <= maxY();
}

bool CGRect::intersects(const CGRect& r) const {
    return !intersection(r).isNull();
}

CGRect CGRect::insetBy(CGFloat dx, CGFloat dy) const {
    if (isNull()) {
        return *this;
    }
    CGRect r = standardized();
    r.origin.x += dx;
    r.origin.y += dy;
    r.size.width -= 2 * dx;
    r.size.height -= 2 * dy;
    if (r.size.width < 0 || r.size.height < 0) {
        return null();
    }
    return r;
}

CGRect CGRect::offsetBy(CGFloat dx, CGFloat dy) const {
    if (isNull()) {
        return *this;
    }
    CGRect r = standardized();
    r.origin.x += dx;
    r.origin.y += dy;
    return r;
}

CGRect CGRect::intersection(const CGRect& other) const {
    if (isNull() || other.isNull()) {
        return null();
    }
    CGFloat x0 = std::max(minX(), other.minX());
    CGFloat y0 = std::max(minY(), other.minY());
    CGFloat x1 = std::min(maxX(), other.maxX());
    CGFloat y1 = std::min(maxY(), other.maxY());
    if (x1 < x0 || y1 < y0) {
        return null();
    }
    return {x0, y0, x1 - x0, y1 - y0};
}

CGRect CGRect::unionWith(const CGRect& other) const {
    if (isNull()) {
        return other.standardized();
    }
    if (other.isNull()) {
        return standardized();
    }
    CGFloat x0 = std::min(minX(), other.minX());
    CGFloat y0 = std::min(minY(), other.minY());
    CGFloat x1 = std::max(maxX(), other.maxX());
    CGFloat y1 = std::max(maxY(), other.maxY());
    return {x0, y0, x1 - x0, y1 - y0};
}

CGRect CGRect::integral() const {
    if (isNull()) {
        return *this;
    }
    CGFloat x0 = std::floor(minX());
    CGFloat y0 = std::floor(minY());
    CGFloat x1 = std::ceil(maxX());
    CGFloat y1 = std::ceil(maxY());
    return {x0, y0, x1 - x0, y1 - y0};
}
