#include "UIKitTestSupport.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIGraphicsImageRenderer.h"
#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITextField.h"

namespace {

class Ellipse : public UIView {
  public:
    using UIView::UIView;
    void drawRect(const CGRect& rect) override {
        ++draws;
        CGContext* context = UIGraphicsGetCurrentContext();
        context->setFillColor(UIColor::redColor());
        context->fillEllipse(rect);
    }
    int draws = 0;
};

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

TEST_F(RenderingTests, LabelTextInksOnlyInsideItsFrame) {
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

    // Centred vertically: the ink's middle row is near the frame's middle.
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

TEST_F(RenderingTests, DarkAppearanceResolvesDynamicColours) {
    root->setBackgroundColor(UIColor::systemBackgroundColor());
    auto label = std::make_shared<UILabel>(CGRect{40, 100, 200, 40});
    label->setText("Dark");
    label->setFont(UIFont::boldSystemFontOfSize(30));
    root->addSubview(label);
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::dark));
    render();
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::light));
    EXPECT_LT(brightness(at(10, 10)), 0.05) << "black background";
    CGFloat lightest = 0;
    for (CGFloat x = 40.5; x < 240; x += 1) {
        lightest = std::max(lightest, brightness(at(x, 120)));
    }
    EXPECT_GT(lightest, 0.9) << "white text";
}

TEST_F(RenderingTests, AWindowRendersAtTheScreenScaleWithBackgroundsAlphaClippingAndDrawRect) {
    render(0);
    EXPECT_EQ(image->size(), (CGSize{390, 844}));
    EXPECT_EQ(image->scale(), 3);
    auto png = image->pngData();
    ASSERT_TRUE(png);
    auto back = UIImage::imageWithData(*png, 3);
    EXPECT_EQ(back->size(), (CGSize{390, 844}));

    auto half = std::make_shared<UIView>(CGRect{0, 0, 50, 50});
    half->setBackgroundColor(UIColor::blackColor());
    half->setAlpha(0.5);
    root->addSubview(half);

    auto clipper = std::make_shared<UIView>(CGRect{100, 0, 50, 50});
    clipper->setClipsToBounds(true);
    auto overflow = std::make_shared<UIView>(CGRect{25, 25, 100, 100});
    overflow->setBackgroundColor(UIColor::blueColor());
    clipper->addSubview(overflow);
    root->addSubview(clipper);

    auto ellipse = std::make_shared<Ellipse>(CGRect{200, 0, 60, 60});
    root->addSubview(ellipse);
    render();
    EXPECT_NEAR(at(25, 25).red, 0.5, 0.02);
    EXPECT_GT(at(140, 40).blue, 0.95) << "inside the clipping parent";
    EXPECT_TRUE(isWhite(at(140, 60))) << "cut off below the parent";
    EXPECT_GT(at(230, 30).red, 0.95);
    EXPECT_LT(at(230, 30).green, 0.05);
    EXPECT_TRUE(isWhite(at(202, 2))) << "outside the ellipse";
    EXPECT_EQ(ellipse->draws, 1);
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
    EXPECT_GT(greenest, 0.9);
}

TEST_F(RenderingTests, ButtonsFieldsAndTableRowsDrawTheirText) {
    auto button = UIButton::buttonWithType(UIButtonType::system);
    button->setTitle("Calculate", UIControlStateNormal);
    button->setFrame({20, 20, 150, 44});
    root->addSubview(button);

    auto field = std::make_shared<UITextField>(CGRect{20, 80, 200, 40});
    field->setPlaceholder("P(X)");
    field->setBorderStyle(UITextBorderStyle::roundedRect);
    root->addSubview(field);

    class OneRow : public UITableViewDataSource {
        int tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int) override { return 3; }
        std::shared_ptr<UITableViewCell>
        tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                       const NSIndexPath& indexPath) override {
            auto cell = std::make_shared<UITableViewCell>();
            cell->textLabel()->setText("Row " + std::to_string(indexPath.row));
            return cell;
        }
    };
    auto rows = std::make_shared<OneRow>();
    auto table = std::make_shared<UITableView>(CGRect{0, 200, 390, 200});
    table->setDataSource(rows);
    root->addSubview(table);
    render();

    CGFloat bluest = 0;
    for (CGFloat x = 20.5; x < 170; x += 1) {
        auto c = at(x, 42);
        bluest = std::max(bluest, c.blue - c.red);
    }
    EXPECT_GT(bluest, 0.5) << "a system button's title is in the tint";
    EXPECT_LT(darkest({27, 80, 100, 40}), 0.9) << "the placeholder shows";
    for (int row = 0; row < 3; ++row) {
        EXPECT_LT(darkest({16, 200 + row * 44.0, 100, 44}), 0.3) << "row " << row;
    }
    EXPECT_EQ(darkest({16, 200 + 3 * 44.0, 300, 60}), 1) << "no fourth row";

    // A scrolled table draws what it shows.
    table->setContentOffset({0, 44});
    UIGraphicsImageRenderer tableRenderer(table->bounds().size, UIGraphicsImageRendererFormat{1, false});
    auto snapshot = tableRenderer.image([&](UIGraphicsImageRendererContext&) {
        table->drawViewHierarchyInRect({{0, 0}, table->bounds().size}, true);
    });
    CGFloat firstRowInk = 1, belowLastRowInk = 1;
    for (CGFloat x = 16.5; x < 116; x += 1) {
        for (CGFloat y = 0.5; y < 44; y += 1) {
            auto c = snapshot->colorAtPoint({x, y});
            firstRowInk = std::min(firstRowInk, brightness(*c));
            belowLastRowInk = std::min(belowLastRowInk, brightness(*snapshot->colorAtPoint({x, y + 88})));
        }
    }
    EXPECT_LT(firstRowInk, 0.3) << "row 1 at the top";
    EXPECT_EQ(belowLastRowInk, 1) << "nothing after row 2";

    // Editing shows the caret in the tint colour.
    ASSERT_TRUE(field->becomeFirstResponder());
    render(3);
    CGRect caret = field->caretRectForPosition({0});
    auto c = at(20 + caret.midX(), 100);
    EXPECT_GT(c.blue - c.red, 0.5);
}

} // namespace
