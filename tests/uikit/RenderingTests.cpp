#include "UIKitTestSupport.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphicsImageRenderer.h"
#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UITextField.h"

namespace {

class RenderingTests : public UIKitTest {
  protected:
    void SetUp() override {
        UIKitTest::SetUp();
        window = makeWindow();
        root = std::make_shared<UIView>(window->bounds());
        root->setBackgroundColor(UIColor::whiteColor());
        window->addSubview(root);
    }

    void render(CGFloat scale = 1) { image = window->renderImage(scale); }

    UIColor::RGBA at(CGFloat x, CGFloat y) const {
        auto color = image->colorAtPoint({x, y});
        return color ? *color : UIColor::RGBA{-1, -1, -1, -1};
    }

    static bool isWhite(const UIColor::RGBA& c) { return c.red > 0.97 && c.green > 0.97 && c.blue > 0.97; }
    static CGFloat brightness(const UIColor::RGBA& c) { return (c.red + c.green + c.blue) / 3; }

    // The darkest point of a region, sampled every point.
    CGFloat darkest(const CGRect& region) const {
        CGFloat result = 1;
        for (CGFloat y = region.minY() + 0.5; y < region.maxY(); y += 1) {
            for (CGFloat x = region.minX() + 0.5; x < region.maxX(); x += 1) {
                result = std::min(result, brightness(at(x, y)));
            }
        }
        return result;
    }

    std::shared_ptr<UIView> root;
    std::shared_ptr<UIImage> image;
};

TEST_F(RenderingTests, AWindowRendersAtTheScreenScaleUnlessGivenOne) {
    render(0);
    EXPECT_EQ(image->size(), (CGSize{390, 844}));
    EXPECT_EQ(image->scale(), 3);
    render(2);
    EXPECT_EQ(image->scale(), 2);
}

TEST_F(RenderingTests, LabelTextInksOnlyInsideItsFrameCentredVerticallyUnlessHidden) {
    auto label = std::make_shared<UILabel>(CGRect{40, 100, 200, 40});
    label->setText("Hamburgefonts");
    label->setFont(UIFont::systemFontOfSize(24));
    label->setTextColor(UIColor::blackColor());
    root->addSubview(label);
    render();
    EXPECT_LT(darkest(label->frame()), 0.2) << "glyphs drawn inside";
    EXPECT_EQ(darkest({0, 60, 390, 40}), 1) << "nothing above";
    EXPECT_EQ(darkest({0, 141, 390, 60}), 1) << "nothing below";
    EXPECT_EQ(darkest({241, 100, 149, 40}), 1) << "nothing to the right";
    // The ink's middle row is near the frame's middle.
    CGFloat top = -1, bottom = -1;
    for (CGFloat y = 100.5; y < 140; y += 1) {
        if (darkest({40, y - 0.5, 200, 1}) < 0.5) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    }
    EXPECT_NEAR((top + bottom) / 2, 120, 4);

    label->setHidden(true);
    render();
    EXPECT_EQ(darkest(label->frame()), 1);
}

TEST_F(RenderingTests, ImagesFollowTheContentModeAndTemplatesTakeTheTint) {
    UIGraphicsImageRenderer renderer(CGSize{10, 20});
    auto red = renderer.image([](UIGraphicsImageRendererContext& context) {
        context.cgContext().setFillColor(UIColor::redColor());
        context.fillRect({0, 0, 10, 20});
    });
    auto fit = std::make_shared<UIImageView>(CGRect{0, 100, 100, 100});
    fit->setContentMode(UIViewContentMode::scaleAspectFit);
    fit->setImage(red);
    root->addSubview(fit);
    auto symbol = std::make_shared<UIImageView>(CGRect{200, 100, 100, 100});
    symbol->setImage(
        UIImage::systemImageNamed("lock.fill")->imageWithRenderingMode(UIImageRenderingMode::alwaysTemplate));
    symbol->setTintColor(UIColor::greenColor());
    root->addSubview(symbol);
    render();
    EXPECT_GT(at(50, 150).red, 0.95);
    EXPECT_TRUE(isWhite(at(10, 150))) << "an aspect-fit 1:2 image leaves the sides free";
    EXPECT_TRUE(isWhite(at(90, 150)));
    CGFloat greenest = 0;
    for (CGFloat y = 100.5; y < 200; y += 2) {
        for (CGFloat x = 200.5; x < 300; x += 2) {
            auto c = at(x, y);
            greenest = std::max(greenest, c.green - c.red);
        }
    }
    EXPECT_GT(greenest, 0.9) << "the template is drawn in the tint";
}

TEST_F(RenderingTests, ASnapshotOfAScrolledViewDrawsWhatItShows) {
    auto scroll = std::make_shared<UIScrollView>(CGRect{0, 0, 100, 100});
    scroll->setContentSize({100, 300});
    for (const auto& [top, color] :
         {std::pair{0.0, UIColor::redColor()}, std::pair{100.0, UIColor::blueColor()}}) {
        auto band = std::make_shared<UIView>(CGRect{0, top, 100, 100});
        band->setBackgroundColor(color);
        scroll->addSubview(band);
    }
    scroll->setContentOffset({0, 50});
    UIGraphicsImageRenderer snapshotRenderer(scroll->bounds().size, UIGraphicsImageRendererFormat{1, false});
    auto snapshot = snapshotRenderer.image([&](UIGraphicsImageRendererContext&) {
        scroll->drawViewHierarchyInRect({{0, 0}, scroll->bounds().size}, true);
    });
    EXPECT_GT(snapshot->colorAtPoint({50, 25})->red, 0.95) << "the lower half of the first band at the top";
    EXPECT_GT(snapshot->colorAtPoint({50, 75})->blue, 0.95) << "the second band below it";
}

TEST_F(RenderingTests, ButtonTitlesPlaceholdersAndTheCaretDrawInTheTint) {
    auto button = UIButton::buttonWithType(UIButtonType::system);
    button->setTitle("Calculate", UIControlStateNormal);
    button->setFrame({20, 20, 150, 44});
    root->addSubview(button);

    auto field = std::make_shared<UITextField>(CGRect{20, 80, 200, 40});
    field->setPlaceholder("P(X)");
    field->setBorderStyle(UITextBorderStyle::roundedRect);
    root->addSubview(field);
    render();

    CGFloat bluest = 0;
    for (CGFloat x = 20.5; x < 170; x += 1) {
        auto c = at(x, 42);
        bluest = std::max(bluest, c.blue - c.red);
    }
    EXPECT_GT(bluest, 0.5) << "a system button's title is in the tint";
    EXPECT_LT(darkest({27, 80, 100, 40}), 0.9) << "the placeholder shows";

    // Editing shows the caret in the tint colour.
    ASSERT_TRUE(field->becomeFirstResponder());
    render(3);
    CGRect caret = field->caretRectForPosition({0});
    auto c = at(20 + caret.midX(), 100);
    EXPECT_GT(c.blue - c.red, 0.5);
}

} // namespace
