#include "platform/graphics/CATransform3D.h"
#include "platform/graphics/CGAffineTransform.h"
#include "platform/graphics/UIEdgeInsets.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

constexpr double pi = std::numbers::pi;

void expectPoint(CGPoint actual, CGPoint expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

TEST(CGRectTest, EdgesContainmentIntersectionUnionInsetsAndIntegral) {
    CGRect r{10, 20, -4, -6};
    EXPECT_EQ(r.minX(), 6);
    EXPECT_EQ(r.maxX(), 10);
    EXPECT_EQ(r.minY(), 14);
    EXPECT_EQ(r.maxY(), 20);
    EXPECT_TRUE(r.contains(CGPoint{7, 15}));
    EXPECT_EQ(r.standardized(), (CGRect{6, 14, 4, 6}));
    // Containment includes the minimum edges only.
    CGRect a{0, 0, 10, 10};
    EXPECT_TRUE(a.contains(CGPoint{0, 0}));
    EXPECT_FALSE(a.contains(CGPoint{10, 5}));
    EXPECT_FALSE(a.contains(CGPoint{5, 10}));
    EXPECT_FALSE(CGRect().contains(CGPoint{0, 0}));
    CGRect b{20, 20, 5, 5};
    EXPECT_TRUE(a.intersection(b).isNull());
    EXPECT_FALSE(a.intersects(b));
    EXPECT_EQ(a.intersection(CGRect{5, 5, 10, 10}), (CGRect{5, 5, 5, 5}));
    EXPECT_EQ(CGRect::null().unionWith(b), b);
    EXPECT_EQ(a.unionWith(b), (CGRect{0, 0, 25, 25}));
    // Touching edges intersect in an empty rectangle, not in nothing.
    CGRect touching = a.intersection(CGRect{10, 0, 5, 5});
    EXPECT_FALSE(touching.isNull());
    EXPECT_TRUE(touching.isEmpty());
    EXPECT_EQ((CGRect{0, 0, 10, 10}.insetBy(2, 3)), (CGRect{2, 3, 6, 4}));
    EXPECT_TRUE((CGRect{0, 0, 10, 10}.insetBy(6, 0)).isNull());
    EXPECT_EQ((CGRect{0, 0, 10, 10}.insetBy(-1, -1)), (CGRect{-1, -1, 12, 12}));
    EXPECT_EQ((CGRect{1, 1, 2, 2}.offsetBy(3, -1)), (CGRect{4, 0, 2, 2}));
    EXPECT_EQ((CGRect{0.5, 0.2, 1.2, 1.0}.integral()), (CGRect{0, 0, 2, 2}));
    EXPECT_EQ((UIEdgeInsets{1, 2, 3, 4}.insetRect({0, 0, 10, 10})), (CGRect{2, 1, 4, 6}));
}

TEST(CGAffineTransformTest, ConcatenationInverseAndRectangles) {
    auto translate = CGAffineTransform::makeTranslation(10, 0);
    auto rotate = CGAffineTransform::makeRotation(pi / 2);
    expectPoint(translate.concatenating(rotate).apply(CGPoint{1, 0}), {0, 11});
    expectPoint(rotate.concatenating(translate).apply(CGPoint{1, 0}), {10, 1});
    // translatedBy prepends, as on the platform: the translation happens in the rotated space.
    expectPoint(rotate.translatedBy(10, 0).apply(CGPoint{0, 0}), {0, 10});
    auto t = CGAffineTransform::makeScale(2, 3).rotatedBy(0.3).translatedBy(5, -7);
    CGPoint p{3.5, -1.25};
    expectPoint(t.inverted().apply(t.apply(p)), p);
    auto singular = CGAffineTransform::makeScale(0, 1);
    EXPECT_EQ(singular.inverted(), singular);
    CGRect r = CGAffineTransform::makeRotation(pi / 4).apply(CGRect{0, 0, 2, 2});
    EXPECT_NEAR(r.minX(), -std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(r.width(), 2 * std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(r.minY(), 0, 1e-9);
    EXPECT_NEAR(r.height(), 2 * std::sqrt(2.0), 1e-9);
}

TEST(CATransform3DTest, RotationAboutZAndConcatenation) {
    auto t = CATransform3D::makeRotation(-0.7, 0, 0, 1);
    expectPoint(t.affineTransform().apply(CGPoint{2, 3}),
                CGAffineTransform::makeRotation(-0.7).apply(CGPoint{2, 3}));
    EXPECT_NEAR(t.rotationZ(), -0.7, 1e-12);
    // Positive angles turn clockwise on screen (y down): the x axis turns toward +y.
    expectPoint(CATransform3D::makeRotation(pi / 2, 0, 0, 1).affineTransform().apply(CGPoint{1, 0}), {0, 1});
    EXPECT_TRUE(CATransform3D::makeRotation(1, 0, 0, 0).isIdentity());
    auto scaled = CATransform3D::makeScale(2, 2, 1).concatenating(CATransform3D::makeTranslation(5, 1, 0));
    expectPoint(scaled.affineTransform().apply(CGPoint{1, 1}), {7, 3});
}

} // namespace
