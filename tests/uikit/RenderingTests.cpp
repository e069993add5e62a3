#include "UIKitTestSupport.h"

#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
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
