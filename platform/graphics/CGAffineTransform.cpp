#include "platform/graphics/CGAffineTransform.h"

CGAffineTransform CGAffineTransform::makeTranslation(CGFloat tx, CGFloat ty) {
    return {1, 0, 0, 1, tx, ty};
}

CGAffineTransform CGAffineTransform::makeScale(CGFloat sx, CGFloat sy) {
    return {sx, 0, 0, sy, 0, 0};
}

CGAffineTransform CGAffineTransform::makeRotation(CGFloat angle) {
    CGFloat c = std::cos(angle);
    CGFloat s = std::sin(angle);
    return {c, s, -s, c, 0, 0};
}

CGAffineTransform CGAffineTransform::concatenating(const CGAffineTransform& t) const {
    return {a * t.a + b * t.c, a * t.b + b * t.d,          c * t.a + d * t.c,
            c * t.b + d * t.d, tx * t.a + ty * t.c + t.tx, tx * t.b + ty * t.d + t.ty};
}

CGAffineTransform CGAffineTransform::translatedBy(CGFloat x, CGFloat y) const {
    return makeTranslation(x, y).concatenating(*this);
}

CGAffineTransform CGAffineTransform::scaledBy(CGFloat sx, CGFloat sy) const {
    return makeScale(sx, sy).concatenating(*this);
}

CGAffineTransform CGAffineTransform::rotatedBy(CGFloat angle) const {
    return makeRotation(angle).concatenating(*this);
}

CGAffineTransform CGAffineTransform::inverted() const {
    CGFloat det = a * d - b * c;
    if (det == 0 || !std::isfinite(det)) {
        return *this;
    }
    return {d / det, -b / det, -c / det, a / det, (c * ty - d * tx) / det, (b * tx - a * ty) / det};
}

CGPoint CGAffineTransform::apply(CGPoint p) const {
    return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty};
}

CGSize CGAffineTransform::apply(CGSize s) const {
    return {a * s.width + c * s.height, b * s.width + d * s.height};
}

CGRect CGAffineTransform::apply(const CGRect& r) const {
    if (r.isNull()) {
        return r;
    }
    CGPoint corners[] = {apply(CGPoint{r.minX(), r.minY()}), apply(CGPoint{r.maxX(), r.minY()}),
                         apply(CGPoint{r.minX(), r.maxY()}), apply(CGPoint{r.maxX(), r.maxY()})};
    CGRect box = CGRect::null();
    for (const CGPoint& p : corners) {
        box = box.unionWith(CGRect{p.x, p.y, 0, 0});
    }
    return box;
}
