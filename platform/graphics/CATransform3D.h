#pragma once

#include "platform/graphics/CGAffineTransform.h"

// Row-vector 4×4 matrix as the platform lays it out; layers render its affine part.
struct CATransform3D {
    CGFloat m11 = 1, m12 = 0, m13 = 0, m14 = 0;
    CGFloat m21 = 0, m22 = 1, m23 = 0, m24 = 0;
    CGFloat m31 = 0, m32 = 0, m33 = 1, m34 = 0;
    CGFloat m41 = 0, m42 = 0, m43 = 0, m44 = 1;

    static constexpr CATransform3D identity() { return {}; }
    static CATransform3D makeTranslation(CGFloat tx, CGFloat ty, CGFloat tz);
    static CATransform3D makeScale(CGFloat sx, CGFloat sy, CGFloat sz);
    // Rotation by angle about the axis (x, y, z); about z, positive angles turn clockwise on screen.
    static CATransform3D makeRotation(CGFloat angle, CGFloat x, CGFloat y, CGFloat z);
    static CATransform3D makeAffineTransform(const CGAffineTransform& t);

    bool isIdentity() const { return *this == CATransform3D{}; }
    // this first, then t.
    CATransform3D concatenating(const CATransform3D& t) const;
    CGAffineTransform affineTransform() const;
    // The angle of the transform's rotation about z.
    CGFloat rotationZ() const;

    bool operator==(const CATransform3D&) const = default;
};

inline CATransform3D CATransform3DMakeRotation(CGFloat angle, CGFloat x, CGFloat y, CGFloat z) {
    return CATransform3D::makeRotation(angle, x, y, z);
}
inline constexpr CATransform3D CATransform3DIdentity{};
