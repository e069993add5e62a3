#include "tests/support/Pixels.h"

#include "platform/graphics/CGPath.h"
#include "platform/graphics/UIBezierPath.h"
#include "platform/graphics/UIGraphics.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <numbers>

namespace {

constexpr double pi = std::numbers::pi;
const UIColor::RGBA red{1, 0, 0, 1};
const UIColor::RGBA blue{0, 0, 1, 1};

TEST(CGPathTest, ArcsLinesBoundsAndLengths) {
    // Clockwise on screen from angle 0 to pi passes below the centre (y grows downward).
    CGPath below;
    below.addArc({0, 0}, 10, 0, pi, true);
    EXPECT_NEAR(below.boundingBox().maxY(), 10, 1e-9);
    EXPECT_NEAR(below.boundingBox().minY(), 0, 1e-9);
    CGPath above;
    above.addArc({0, 0}, 10, 0, pi, false);
    EXPECT_NEAR(above.boundingBox().minY(), -10, 1e-9);
    EXPECT_NEAR(above.boundingBox().maxY(), 0, 1e-9);
    ASSERT_TRUE(above.currentPoint().has_value());
    EXPECT_NEAR(above.currentPoint()->x, -10, 1e-9);
    CGPath quarter;
    quarter.addArc({0, 0}, 10, 0, pi / 2, true);
    CGRect box = quarter.boundingBox();
    EXPECT_NEAR(box.minX(), 0, 1e-9);
    EXPECT_NEAR(box.minY(), 0, 1e-9);
    EXPECT_NEAR(box.maxX(), 10, 1e-9);
    EXPECT_NEAR(box.maxY(), 10, 1e-9);
    EXPECT_NEAR(quarter.length(), 5 * pi, 0.05);
    // A full turn counter-clockwise, as an animated arc of one whole turn draws it.
    CGPath full;
    full.addArc({0, 0}, 10, 0, -2 * pi, false);
    EXPECT_NEAR(full.length(), 20 * pi, 0.1);
    EXPECT_NEAR(CGPath::withRect({0, 0, 3, 4}).length(), 14, 1e-9);
    CGPath path;
    EXPECT_TRUE(path.isEmpty());
    EXPECT_TRUE(path.boundingBox().isNull());
    path.addLineToPoint({3, 4});
    ASSERT_EQ(path.elements().size(), 1u);
    EXPECT_EQ(path.elements()[0].type, CGPath::ElementType::moveTo);
    path.addLineToPoint({6, 8});
    EXPECT_NEAR(path.length(), 5, 1e-9);
}

TEST(CGContextTest, FillStrokeAndClear) {
    auto image = pixels::draw({40, 40}, 2, [](CGContext& context) {
        context.setFillColor(UIColor::redColor());
        context.fillRect({0, 0, 20, 20});
        context.setStrokeColor(UIColor::blueColor());
        context.setLineWidth(2);
        context.strokeEllipse({20, 20, 20, 20});
        context.clearRect({5, 5, 5, 5});
    });
    EXPECT_TRUE(pixels::near(pixels::at(*image, 10, 15), red));
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 7, 7)));
    // The ellipse is a ring: ink on its rim, nothing at its centre.
    EXPECT_TRUE(pixels::near(pixels::at(*image, 20.5, 30), blue, 0.1));
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 30, 30)));
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 30, 10)));
}

TEST(CGContextTest, RestoringTheStateUndoesColoursTransformsAndClip) {
    auto image = pixels::draw({40, 20}, 1, [](CGContext& context) {
        context.setFillColor(UIColor::redColor());
        context.saveGState();
        context.setFillColor(UIColor::blueColor());
        context.translateBy(20, 0);
        context.clipToRect({0, 0, 5, 5});
        context.fillRect({0, 0, 10, 10});
        context.restoreGState();
        context.fillRect({0, 10, 10, 10});
    });
    EXPECT_TRUE(pixels::near(pixels::at(*image, 22, 2), blue));
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 27, 7)));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 5, 15), red));
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 25, 15)));
}

TEST(CGContextTest, RotationLineJoinAndGlobalAlpha) {
    auto image = pixels::draw({40, 40}, 2, [](CGContext& context) {
        context.translateBy(20, 20);
        context.rotateBy(pi / 2);
        context.setFillColor(UIColor::redColor());
        context.fillRect({0, -1, 15, 2});
    });
    // A bar along +x turned a quarter clockwise points down.
    EXPECT_TRUE(pixels::near(pixels::at(*image, 20, 30), red));
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 30, 20)));

    // The outer corner of a thick right angle: filled by a miter join, cut off by a bevel.
    auto cornerInk = [](CGLineJoin join) {
        auto corner = pixels::draw({40, 40}, 2, [&](CGContext& context) {
            context.setStrokeColor(UIColor::blackColor());
            context.setLineWidth(8);
            context.setLineJoin(join);
            context.beginPath();
            context.moveTo({10, 30});
            context.addLineTo({10, 10});
            context.addLineTo({30, 10});
            context.strokePath();
        });
        return pixels::at(*corner, 6.5, 6.5).alpha;
    };
    EXPECT_GT(cornerInk(CGLineJoin::miter), 0.9);
    EXPECT_LT(cornerInk(CGLineJoin::bevel), 0.1);

    auto faded = pixels::draw({10, 10}, 1, [](CGContext& context) {
        context.setAlpha(0.5);
        context.setFillColor(UIColor::redColor());
        context.fillRect({0, 0, 10, 10});
    });
    EXPECT_TRUE(pixels::near(pixels::at(*faded, 5, 5), {1, 0, 0, 0.5}, 0.02));
}

TEST(UIGraphicsTest, ImageContextsNestAndGiveImagesAtTheirScaleUnlessEmpty) {
    UIGraphics::beginImageContextWithOptions({10, 5}, false, 2);
    CGContext* outer = UIGraphics::currentContext();
    ASSERT_NE(outer, nullptr);
    outer->setFillColor(UIColor::redColor());
    outer->fillRect({0, 0, 10, 5});
    UIGraphics::beginImageContextWithOptions({4, 4}, false, 0);
    EXPECT_NE(UIGraphics::currentContext(), outer);
    auto inner = UIGraphics::imageFromCurrentImageContext();
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->scale(), UIGraphics::mainScreenScale());
    UIGraphics::endImageContext();
    EXPECT_EQ(UIGraphics::currentContext(), outer);
    auto image = UIGraphics::imageFromCurrentImageContext();
    UIGraphics::endImageContext();
    EXPECT_EQ(UIGraphics::currentContext(), nullptr);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), (CGSize{10, 5}));
    EXPECT_EQ(image->scale(), 2);
    EXPECT_EQ(cairo_image_surface_get_width(image->cairoSurface()), 20);
    EXPECT_TRUE(pixels::near(pixels::at(*image, 9.9, 4.9), red));
    // The image is a copy: it does not change with later drawing.
    EXPECT_EQ(UIGraphics::imageFromCurrentImageContext(), nullptr);
    UIGraphics::beginImageContextWithOptions({0, 0}, false, 0);
    EXPECT_EQ(UIGraphics::imageFromCurrentImageContext(), nullptr);
    UIGraphics::endImageContext();
    UIGraphics::endImageContext();
    EXPECT_EQ(UIGraphics::currentContext(), nullptr);
}

TEST(UIGraphicsTest, RendererBoundsOriginMapsToTheImageOrigin) {
    UIGraphicsImageRendererFormat format;
    format.scale = 1;
    auto image = UIGraphicsImageRenderer(CGRect{100, 50, 20, 20}, format).image([](auto& context) {
        context.cgContext().setFillColor(UIColor::blueColor());
        context.fillRect({100, 50, 5, 5});
    });
    EXPECT_TRUE(pixels::near(pixels::at(*image, 2, 2), blue));
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 10, 10)));
}

TEST(UIBezierPathTest, StrokesIntoTheCurrentContext) {
    auto image = pixels::draw({20, 20}, 2, [](CGContext& context) {
        context.setStrokeColor(UIColor::redColor());
        auto path = UIBezierPath::bezierPath();
        path->moveToPoint({0, 10});
        path->addLineToPoint({20, 10});
        path->lineWidth = 4;
        path->stroke();
        EXPECT_EQ(context.lineWidth(), 1) << "stroke leaves the context's line width alone";
    });
    EXPECT_TRUE(pixels::near(pixels::at(*image, 10, 11.5), red));
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 10, 13)));
}

} // namespace
