#include "platform/graphics/CATransform3D.h"

#include <cmath>

CATransform3D CATransform3D::makeTranslation(CGFloat tx, CGFloat ty, CGFloat tz) {
    CATransform3D t;
    t.m41 = tx;
    t.m42 = ty;
    t.m43 = tz;
    return t;
}

CATransform3D CATransform3D::makeScale(CGFloat sx, CGFloat sy, CGFloat sz) {
    CATransform3D t;
    t.m11 = sx;
    t.m22 = sy;
    t.m33 = sz;
    return t;
}

CATransform3D CATransform3D::makeRotation(CGFloat angle, CGFloat x, CGFloat y, CGFloat z) {
    CGFloat length = std::sqrt(x * x + y * y + z * z);
    if (length == 0 || !std::isfinite(length)) {
        return {};
    }
    x /= length;
    y /= length;
    z /= length;
    CGFloat c = std::cos(angle);
    CGFloat s = std::sin(angle);
    CGFloat k = 1 - c;
    CATransform3D t;
    t.m11 = c + k * x * x;
    t.m12 = k * x * y + s * z;
    t.m13 = k * x * z - s * y;
    t.m21 = k * x * y - s * z;
    t.m22 = c + k * y * y;
    t.m23 = k * y * z + s * x;
    t.m31 = k * x * z + s * y;
    t.m32 = k * y * z - s * x;
    t.m33 = c + k * z * z;
    return t;
}

CATransform3D CATransform3D::makeAffineTransform(const CGAffineTransform& a) {
    CATransform3D t;
    t.m11 = a.a;
    t.m12 = a.b;
    t.m21 = a.c;
    t.m22 = a.d;
    t.m41 = a.tx;
    t.m42 = a.ty;
    return t;
}

CATransform3D CATransform3D::concatenating(const CATransform3D& b) const {
    const CGFloat a[4][4] = {
        {m11, m12, m13, m14}, {m21, m22, m23, m24}, {m31, m32, m33, m34}, {m41, m42, m43, m44}};
    const CGFloat o[4][4] = {{b.m11, b.m12, b.m13, b.m14},
                             {b.m21, b.m22, b.m23, b.m24},
                             {b.m31, b.m32, b.m33, b.m34},
                             {b.m41, b.m42, b.m43, b.m44}};
    CGFloat r[4][4] = {};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            for (int k = 0; k < 4; ++k) {
                r[i][j] += a[i][k] * o[k][j];
            }
        }
    }
    return {r[0][0], r[0][1], r[0][2], r[0][3], r[1][0], r[1][1], r[1][2], r[1][3],
            r[2][0], r[2][1], r[2][2], r[2][3], r[3][0], r[3][1], r[3][2], r[3][3]};
}

CGAffineTransform CATransform3D::affineTransform() const {
    return {m11, m12, m21, m22, m41, m42};
}

CGFloat CATransform3D::rotationZ() const {
    return std::atan2(m12, m11);
}
