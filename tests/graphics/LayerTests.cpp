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
    root->addSublayer(root);
    EXPECT_EQ(root->sublayers().size(), 2u) << "a layer is never its own sublayer";
}

TEST(LayerRenderTest, EachLayersEffectsComposeOverTheParentsBackground) {
    auto root = canvas({290, 40});
    auto parent = coloured({0, 0, 290, 40}, UIColor::whiteColor());
    auto faded = coloured({0, 10, 20, 20}, UIColor::redColor());
    faded->setOpacity(0.5);
    auto translucent = coloured({30, 10, 20, 20}, UIColor(1, 0, 0, 0.5));
    auto masked = coloured({60, 10, 20, 20}, UIColor::redColor());
    masked->setMask(coloured({0, 0, 10, 20}, UIColor::blackColor()));
    auto clipping = CALayer::layer();
    clipping->setFrame({90, 10, 10, 20});
    clipping->setMasksToBounds(true);
    clipping->setCornerRadius(5);
    clipping->addSublayer(coloured({0, 0, 20, 20}, UIColor::redColor()));
    auto round = coloured({110, 10, 20, 20}, UIColor::redColor());
    round->setCornerRadius(10);
    // Its left edge halves a device pixel.
    auto offGrid = coloured({140.5, 10, 10, 20}, UIColor::redColor());
    auto bordered = coloured({170, 10, 20, 20}, UIColor::redColor());
    bordered->setBorderWidth(4);
    bordered->setBorderColor(UIColor::greenColor());
    bordered->addSublayer(coloured({0, 0, 20, 10}, UIColor::blueColor()));
    // Opacity fades the layer with its sublayers as one group.
    auto group = coloured({200, 10, 20, 20}, UIColor::redColor());
    group->setOpacity(0.5);
    group->addSublayer(coloured({0, 0, 10, 20}, UIColor::blueColor()));
    auto turned = coloured({230, 17.5, 20, 5}, UIColor::redColor());
    turned->setTransform(CATransform3D::makeRotation(pi / 2, 0, 0, 1));
    auto pictured = CALayer::layer();
    pictured->setFrame({260, 10, 20, 20});
    pictured->setContents(pixels::draw({2, 2}, 1, [](CGContext& context) {
        context.setFillColor(UIColor::greenColor());
        context.fillRect({0, 0, 2, 2});
    }));
    for (const auto& sublayer :
         {faded, translucent, masked, clipping, round, offGrid, bordered, group, turned, pictured})
        parent->addSublayer(sublayer);
    root->addSublayer(parent);
    auto image = pixels::render(*root, {290, 40});
    const UIColor::RGBA pink{1, 0.5, 0.5, 1};
    const struct {
        CGPoint at;
        UIColor::RGBA expected;
        const char* what;
    } probes[] = {
        {{10, 20}, pink, "faded"},
        {{40, 20}, pink, "translucent"},
        {{65, 20}, red, "where the mask has ink"},
        {{75, 20}, white, "where the mask has none"},
        {{92, 20}, red, "inside the clipping parent"},
        {{90.3, 10.3}, white, "clipped to the rounded corner"},
        {{99.7, 29.7}, white, "clipped to the opposite rounded corner"},
        {{105, 20}, white, "cut off beside the clipping parent"},
        {{120, 20}, red, "round"},
        {{110.2, 10.2}, white, "outside the rounded corner"},
        {{129.8, 29.8}, white, "outside the opposite rounded corner"},
        {{145, 20}, red, "off the grid"},
        {{171, 20}, green, "the border lies inside the bounds"},
        {{180, 11}, green, "the border lies above sublayers"},
        {{180, 15}, blue, "sublayer"},
        {{180, 25}, red, "background under the border"},
        {{205, 20}, {0.5, 0.5, 1, 1}, "group opacity over the sublayer"},
        {{240, 12}, red, "a quarter turn about the anchor stands the bar up"},
        {{278, 28}, green, "the contents image fills the bounds"},
    };
    for (const auto& probe : probes) {
        EXPECT_TRUE(pixels::near(pixels::at(*image, probe.at.x, probe.at.y), probe.expected)) << probe.what;
    }
    EXPECT_TRUE(pixels::near(pixels::at(*image, 140.5, 20), pink, 0.05)) << "the half-covered device pixel";
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

TEST(LayerRenderTest, ShadowsFallBelowACardWithoutTintingItAndShapeShadowsMatchContentShadows) {
    // An opaque background casts its shape's cached shadow; a nearly opaque one goes through the
    // content. Also off the pixel grid, where the cached shape sits within its pixel.
    auto render = [](CGFloat alpha, CGFloat left, CGFloat width = 100, bool clipped = false,
                     float opacity = 1) {
        auto root = canvas({200, 100});
        auto card = coloured({left, 20, width, 40}, UIColor(1, 1, 1, alpha));
        card->setCornerRadius(6);
        card->setShadowOpacity(0.6);
        card->setShadowOffset({0, 3});
        card->setShadowRadius(3);
        card->setMasksToBounds(clipped);
        card->setOpacity(opacity);
        root->addSublayer(card);
        return pixels::render(*root, {200, 100});
    };
    auto card = render(1, 20);
    EXPECT_TRUE(pixels::near(pixels::at(*card, 70, 40), white));
    UIColor::RGBA below = pixels::at(*card, 70, 62);
    EXPECT_GT(below.alpha, 0.2);
    EXPECT_LT(below.red, 0.1) << "the shadow is black";
    EXPECT_GT(below.alpha, pixels::at(*card, 70, 18).alpha + 0.1) << "the offset moves the shadow down";
    EXPECT_TRUE(pixels::transparent(pixels::at(*card, 70, 80)));
    EXPECT_TRUE(pixels::transparent(pixels::at(*render(1, 20, 100, true), 70, 62)))
        << "clipping to bounds hides the shadow";
    // Half the card over half the shadow beneath it: 0.5 + 0.5 * (0.6 * 0.5).
    EXPECT_NEAR(pixels::at(*render(1, 20, 100, false, 0.5), 70, 40).alpha, 0.65, 0.03)
        << "the faded shadow shows through a faded card";
    for (CGFloat left : {20.0, 20.6}) {
        auto shape = render(1, left);
        auto content = render(0.999, left);
        EXPECT_NEAR(pixels::at(*shape, left + 50, 62).alpha, pixels::at(*content, left + 50, 62).alpha, 0.05);
        EXPECT_NEAR(pixels::at(*shape, left + 101, 45).alpha, pixels::at(*content, left + 101, 45).alpha,
                    0.03);
    }
    // A narrower card (a different cached shadow) leaves the old right edge empty.
    EXPECT_TRUE(pixels::transparent(pixels::at(*render(1, 20, 50), 122, 45)));
}

TEST(LayerRenderTest, DynamicColoursFollowTheStyleAtRenderTime) {
    auto root = canvas({10, 10});
    root->addSublayer(coloured({0, 0, 10, 10}, UIColor::systemBackgroundColor()));
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::dark));
    auto dark = pixels::render(*root, {10, 10}, 1);
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::light));
    auto light = pixels::render(*root, {10, 10}, 1);
    UITraitCollection::setCurrentTraitCollection(UITraitCollection());
    EXPECT_TRUE(pixels::near(pixels::at(*dark, 5, 5), {0, 0, 0, 1}));
    EXPECT_TRUE(pixels::near(pixels::at(*light, 5, 5), white));
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

} // namespace
