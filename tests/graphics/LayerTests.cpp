#include "tests/support/Pixels.h"

#include "platform/graphics/CAShapeLayer.h"
#include "platform/graphics/LayerTreeRenderer.h"
#include "platform/graphics/NSAttributedString.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

constexpr double pi = std::numbers::pi;
const UIColor::RGBA red{1, 0, 0, 1};
const UIColor::RGBA blue{0, 0, 1, 1};
const UIColor::RGBA green{0, 1, 0, 1};
const UIColor::RGBA white{1, 1, 1, 1};

std::shared_ptr<CALayer> coloured(const CGRect& frame, const UIColor& color) {
    auto layer = CALayer::layer();
    layer->setFrame(frame);
    layer->setBackgroundColor(color);
    return layer;
}

// A transparent root the size of the canvas, so that tests place layers by frame.
std::shared_ptr<CALayer> canvas(CGSize size) {
    auto root = CALayer::layer();
    root->setFrame({CGPoint{}, size});
    return root;
}

TEST(CALayerGeometryTest, FramePositionAnchorTransformAndConversion) {
    auto layer = CALayer::layer();
    layer->setFrame({10, 20, 100, 50});
    EXPECT_EQ(layer->position(), (CGPoint{60, 45}));
    EXPECT_EQ(layer->bounds(), (CGRect{0, 0, 100, 50}));
    layer->setAnchorPoint({0, 0});
    EXPECT_EQ(layer->frame(), (CGRect{60, 45, 100, 50}));
    layer->setFrame({0, 0, 10, 10});
    EXPECT_EQ(layer->position(), (CGPoint{0, 0}));
    // A transformed frame is the bounding box about the anchor.
    layer->setAnchorPoint({0.5, 0.5});
    layer->setFrame({0, 0, 100, 20});
    layer->setTransform(CATransform3D::makeRotation(pi / 2, 0, 0, 1));
    CGRect frame = layer->frame();
    EXPECT_NEAR(frame.minX(), 40, 1e-9);
    EXPECT_NEAR(frame.minY(), -40, 1e-9);
    EXPECT_NEAR(frame.width(), 20, 1e-9);
    EXPECT_NEAR(frame.height(), 100, 1e-9);
    auto root = canvas({200, 200});
    auto a = coloured({10, 10, 50, 50}, UIColor::redColor());
    auto b = coloured({100, 20, 50, 50}, UIColor::redColor());
    root->addSublayer(a);
    root->addSublayer(b);
    b->setBounds({5, 5, 50, 50});
    CGPoint p = a->convertPointToLayer({0, 0}, b.get());
    EXPECT_NEAR(p.x, -85, 1e-9);
    EXPECT_NEAR(p.y, -5, 1e-9);
    EXPECT_EQ(a->convertRectToLayer({1, 1, 2, 2}, nullptr), (CGRect{11, 11, 2, 2}));
}

TEST(CALayerTreeTest, InsertionOrderAndReparenting) {
    auto root = CALayer::layer();
    auto a = CALayer::layer();
    auto b = CALayer::layer();
    auto c = CALayer::layer();
    root->addSublayer(a);
    root->addSublayer(b);
    root->insertSublayerBelow(c, b.get());
    EXPECT_EQ(root->sublayers(), (std::vector<std::shared_ptr<CALayer>>{a, c, b}));
    root->insertSublayerAbove(a, b.get());
    EXPECT_EQ(root->sublayers(), (std::vector<std::shared_ptr<CALayer>>{c, b, a}));
    auto other = CALayer::layer();
    other->addSublayer(b);
    EXPECT_EQ(root->sublayers(), (std::vector<std::shared_ptr<CALayer>>{c, a}));
    EXPECT_EQ(b->superlayer(), other);
    a->removeFromSuperlayer();
    EXPECT_EQ(a->superlayer(), nullptr);
    EXPECT_EQ(root->sublayers().size(), 1u);
    root->addSublayer(root);
    EXPECT_EQ(root->sublayers().size(), 1u);
}

TEST(LayerRenderTest, MasksToBoundsClipsSublayersToTheRoundedShape) {
    auto render = [](bool masks) {
        auto root = canvas({100, 100});
        auto parent = coloured({0, 0, 50, 50}, UIColor::redColor());
        parent->setMasksToBounds(masks);
        parent->setCornerRadius(10);
        parent->addSublayer(coloured({25, 25, 50, 50}, UIColor::blueColor()));
        root->addSublayer(parent);
        return pixels::render(*root, {100, 100});
    };
    auto clipped = render(true);
    EXPECT_TRUE(pixels::near(pixels::at(*clipped, 40, 40), blue));
    EXPECT_TRUE(pixels::transparent(pixels::at(*clipped, 60, 60)));
    EXPECT_TRUE(pixels::transparent(pixels::at(*clipped, 49.5, 49.5)));
    auto free = render(false);
    EXPECT_TRUE(pixels::near(pixels::at(*free, 60, 60), blue));
}

TEST(LayerRenderTest, BackgroundShowsWhereverSublayersLeaveItUncovered) {
    auto root = canvas({160, 40});
    auto parent = coloured({0, 0, 160, 40}, UIColor::whiteColor());
    auto faded = coloured({0, 10, 20, 20}, UIColor::redColor());
    faded->setOpacity(0.5);
    auto translucent = coloured({30, 10, 20, 20}, UIColor(1, 0, 0, 0.5));
    auto masked = coloured({60, 10, 20, 20}, UIColor::redColor());
    masked->setMask(coloured({0, 0, 10, 20}, UIColor::blackColor()));
    auto clipping = CALayer::layer();
    clipping->setFrame({90, 10, 10, 20});
    clipping->setMasksToBounds(true);
    clipping->addSublayer(coloured({0, 0, 20, 20}, UIColor::redColor()));
    auto round = coloured({110, 10, 20, 20}, UIColor::redColor());
    round->setCornerRadius(10);
    // Its left edge halves a device pixel.
    auto offGrid = coloured({140.5, 10, 10, 20}, UIColor::redColor());
    for (const auto& sublayer : {faded, translucent, masked, clipping, round, offGrid})
        parent->addSublayer(sublayer);
    root->addSublayer(parent);
    auto image = pixels::render(*root, {160, 40});
    const UIColor::RGBA pink{1, 0.5, 0.5, 1};
    EXPECT_TRUE(pixels::near(pixels::at(*image, 10, 20), pink));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 40, 20), pink));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 65, 20), red)) << "where the mask has ink";
    EXPECT_TRUE(pixels::near(pixels::at(*image, 75, 20), white));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 105, 20), white));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 120, 20), red));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 110.2, 10.2), white)) << "outside the rounded corner";
    EXPECT_TRUE(pixels::near(pixels::at(*image, 140.5, 20), pink, 0.05));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 145, 20), red));
}

TEST(LayerRenderTest, RenderingReplacingSetsEveryPixel) {
    auto root = canvas({60, 20});
    root->addSublayer(coloured({0, 0, 20.2, 20}, UIColor::blueColor()));
    auto faded = coloured({40, 0, 20, 20}, UIColor::blueColor());
    faded->setOpacity(0.5);
    root->addSublayer(faded);
    auto image = pixels::draw({60, 20}, 3, [&](CGContext& context) {
        context.setFillColor(UIColor::redColor());
        context.fillRect({0, 0, 60, 20});
        LayerTreeRenderer::renderReplacing(*root, context);
    });
    EXPECT_TRUE(pixels::near(pixels::at(*image, 10, 10), blue));
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 30, 10)));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 50, 10), {0, 0, 1, 0.5}));
    // The device pixel the blue edge cuts keeps none of the red below.
    EXPECT_TRUE(pixels::near(pixels::at(*image, 20.1, 10), {0, 0, 1, 0.6}, 0.05));
}

TEST(LayerRenderTest, BorderLiesInsideTheBoundsAboveSublayers) {
    auto root = canvas({60, 60});
    auto box = coloured({10, 10, 40, 40}, UIColor::redColor());
    box->setBorderWidth(4);
    box->setBorderColor(UIColor::greenColor());
    box->addSublayer(coloured({0, 0, 40, 20}, UIColor::blueColor()));
    root->addSublayer(box);
    auto image = pixels::render(*root, {60, 60});
    EXPECT_TRUE(pixels::near(pixels::at(*image, 11, 30), green));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 30, 11), green));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 30, 20), blue));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 30, 40), red));
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 9, 30)));
}

TEST(LayerRenderTest, ShadowFallsBelowACardWithoutTintingIt) {
    auto root = canvas({140, 120});
    auto card = coloured({20, 20, 100, 60}, UIColor::whiteColor());
    card->setShadowColor(UIColor::blackColor());
    card->setShadowOpacity(0.5);
    card->setShadowOffset({0, 4});
    card->setShadowRadius(4);
    root->addSublayer(card);
    auto image = pixels::render(*root, {140, 120});
    EXPECT_TRUE(pixels::near(pixels::at(*image, 70, 50), white));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 70, 79.5), white));
    UIColor::RGBA below = pixels::at(*image, 70, 82);
    UIColor::RGBA above = pixels::at(*image, 70, 18);
    EXPECT_GT(below.alpha, 0.15);
    EXPECT_LT(below.red, 0.1) << "the shadow is black";
    EXPECT_GT(below.alpha, above.alpha + 0.1) << "the offset moves the shadow down";
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 70, 105)));

    card->setOpacity(0.5);
    EXPECT_NEAR(pixels::at(*pixels::render(*root, {140, 120}), 70, 50).alpha, 0.625, 0.03)
        << "the shadow shows through a faded card";
    card->setOpacity(1);
    card->setMasksToBounds(true);
    auto clipped = pixels::render(*root, {140, 120});
    EXPECT_TRUE(pixels::transparent(pixels::at(*clipped, 70, 82))) << "clipping to bounds hides the shadow";
    card->setMasksToBounds(false);
    card->setShadowOpacity(0);
    auto none = pixels::render(*root, {140, 120});
    EXPECT_TRUE(pixels::transparent(pixels::at(*none, 70, 82)));
}

TEST(LayerRenderTest, ShadowFollowsTheRoundedShape) {
    auto root = canvas({100, 100});
    auto dot = coloured({30, 30, 40, 40}, UIColor::whiteColor());
    dot->setCornerRadius(20);
    dot->setShadowOpacity(1);
    dot->setShadowOffset({0, 0});
    dot->setShadowRadius(2);
    root->addSublayer(dot);
    auto image = pixels::render(*root, {100, 100});
    // Beside the circle's edge there is shadow; at the bounding box corner, well outside the circle, none.
    EXPECT_GT(pixels::at(*image, 50, 71).alpha, 0.1);
    EXPECT_LT(pixels::at(*image, 31, 31).alpha, 0.05);
}

TEST(LayerRenderTest, ShadowOfATransparentLayerFollowsItsContent) {
    auto root = canvas({140, 140});
    auto holder = CALayer::layer();
    holder->setFrame({20, 20, 100, 100});
    holder->setShadowOpacity(1);
    holder->setShadowOffset({0, 5});
    holder->setShadowRadius(2);
    holder->addSublayer(coloured({0, 0, 40, 40}, UIColor::blueColor()));
    root->addSublayer(holder);
    auto image = pixels::render(*root, {140, 140});
    EXPECT_GT(pixels::at(*image, 40, 63).alpha, 0.3);
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 100, 123)));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 40, 50), blue));
}

TEST(LayerRenderTest, ShapeShadowsMatchContentShadowsAndDependOnSize) {
    // An opaque background casts its shape's shadow; a nearly opaque one goes through the content.
    // Also off the pixel grid, where the cached shape sits within its pixel.
    auto shadowBelow = [](CGFloat alpha, CGFloat left) {
        auto root = canvas({200, 100});
        auto card = coloured({left, 20, 100, 40}, UIColor(1, 1, 1, alpha));
        card->setCornerRadius(6);
        card->setShadowOpacity(0.6);
        card->setShadowOffset({0, 3});
        card->setShadowRadius(3);
        root->addSublayer(card);
        auto image = pixels::render(*root, {200, 100});
        return std::pair{pixels::at(*image, left + 50, 62).alpha, pixels::at(*image, left + 101, 45).alpha};
    };
    for (CGFloat left : {20.0, 20.1, 20.6}) {
        auto [shapeBelow, shapeSide] = shadowBelow(1, left);
        auto [contentBelow, contentSide] = shadowBelow(0.999, left);
        EXPECT_GT(shapeBelow, 0.2);
        EXPECT_NEAR(shapeBelow, contentBelow, 0.05) << left;
        EXPECT_NEAR(shapeSide, contentSide, 0.03) << left;
    }
    // A narrower card (a different cached shadow) leaves the old right edge empty.
    auto root = canvas({200, 100});
    auto narrow = coloured({20, 20, 50, 40}, UIColor::whiteColor());
    narrow->setShadowOpacity(0.6);
    narrow->setShadowRadius(3);
    root->addSublayer(narrow);
    EXPECT_TRUE(pixels::transparent(pixels::at(*pixels::render(*root, {200, 100}), 122, 45)));
}

TEST(LayerRenderTest, OpacityAppliesToTheLayerAsAGroup) {
    auto root = canvas({40, 40});
    auto parent = coloured({0, 0, 40, 40}, UIColor::redColor());
    parent->setOpacity(0.5);
    parent->addSublayer(coloured({0, 0, 20, 40}, UIColor::blueColor()));
    root->addSublayer(parent);
    auto image = pixels::render(*root, {40, 40});
    EXPECT_TRUE(pixels::near(pixels::at(*image, 10, 20), {0, 0, 1, 0.5}));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 30, 20), {1, 0, 0, 0.5}));
    parent->setHidden(true);
    EXPECT_TRUE(pixels::transparent(pixels::at(*pixels::render(*root, {40, 40}), 30, 20)));
}

TEST(LayerRenderTest, TransformRotatesAboutTheAnchorPoint) {
    auto root = canvas({100, 100});
    auto bar = coloured({30, 45, 40, 10}, UIColor::redColor());
    bar->setTransform(CATransform3D::makeRotation(pi / 2, 0, 0, 1));
    root->addSublayer(bar);
    auto image = pixels::render(*root, {100, 100});
    EXPECT_TRUE(pixels::near(pixels::at(*image, 50, 33), red));
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 35, 50)));
}

TEST(LayerRenderTest, ShapeLayerStrokeEndHalfDrawsHalfTheCircle) {
    auto root = canvas({100, 100});
    auto shape = CAShapeLayer::layer();
    CGPath circle;
    circle.addArc({50, 50}, 30, 0, 2 * pi, true);
    shape->setPath(circle);
    shape->setFillColor(UIColor::clearColor());
    shape->setStrokeColor(UIColor::blueColor());
    shape->setLineWidth(4);
    shape->setStrokeEnd(0.5);
    // No frame: the path is drawn in the superlayer's coordinates from the layer's origin.
    root->addSublayer(shape);
    auto image = pixels::render(*root, {100, 100});
    auto onCircle = [&](double angle) {
        return pixels::at(*image, 50 + 30 * std::cos(angle), 50 + 30 * std::sin(angle));
    };
    EXPECT_TRUE(pixels::near(onCircle(0.1), blue));
    EXPECT_TRUE(pixels::near(onCircle(pi / 2), blue));
    EXPECT_TRUE(pixels::near(onCircle(0.9 * pi), blue));
    EXPECT_TRUE(pixels::transparent(onCircle(1.1 * pi)));
    EXPECT_TRUE(pixels::transparent(onCircle(1.5 * pi)));
    EXPECT_TRUE(pixels::transparent(onCircle(1.9 * pi)));
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 50, 50)));

    shape->setStrokeEnd(0);
    EXPECT_EQ(pixels::inkIn(*pixels::render(*root, {100, 100}, 1), {0, 0, 100, 100}).count, 0);
}

class TextDelegate : public CALayerDelegate {
  public:
    void drawLayerInContext(CALayer& layer, CGContext& context) override {
        ++draws;
        // Reaches past the bounds on purpose: own drawing is clipped to them.
        context.setFillColor(UIColor::colorWithWhite(0.9, 1));
        context.fillRect(layer.bounds().insetBy(-20, -20));
        NSAttributedString("Σ x·P",
                           NSStringAttributes{UIFont::systemFontOfSize(16), UIColor::blackColor(), {}})
            .drawInRect(layer.bounds());
    }
    int draws = 0;
};

TEST(LayerRenderTest, DelegateDrawsTextClippedToTheLayer) {
    auto root = canvas({200, 100});
    auto label = CALayer::layer();
    label->setFrame({50, 30, 100, 30});
    auto delegate = std::make_shared<TextDelegate>();
    label->setDelegate(delegate);
    root->addSublayer(label);
    auto image = pixels::render(*root, {200, 100});
    EXPECT_EQ(delegate->draws, 1);
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 45, 45)));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 149, 59), {0.9, 0.9, 0.9, 1}));
    // Dark ink (the text) only inside the label's frame.
    int dark = 0;
    for (CGFloat y = 30.25; y < 60; y += 0.5) {
        for (CGFloat x = 50.25; x < 150; x += 0.5) {
            dark += image->colorAtPoint({x, y})->red < 0.4 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 40);
}

TEST(LayerRenderTest, ContentsImageFillsTheBounds) {
    auto picture = pixels::draw({2, 2}, 1, [](CGContext& context) {
        context.setFillColor(UIColor::greenColor());
        context.fillRect({0, 0, 2, 2});
    });
    auto root = canvas({40, 40});
    auto layer = CALayer::layer();
    layer->setFrame({10, 10, 20, 20});
    layer->setContents(picture);
    root->addSublayer(layer);
    auto image = pixels::render(*root, {40, 40});
    EXPECT_TRUE(pixels::near(pixels::at(*image, 28, 28), green));
    EXPECT_TRUE(pixels::transparent(pixels::at(*image, 32, 32)));
}

} // namespace
