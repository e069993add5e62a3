#include "KitsTestSupport.h"

#include "platform/graphics/UIImage.h"
#include "platform/kits/DTTextField.h"

#include <gtest/gtest.h>

namespace {

class DTTextFieldTest : public KitsTest {
  protected:
    void SetUp() override {
        KitsTest::SetUp();
        field->setFrame({20, 100, 200, 40});
        root->view()->setBackgroundColor(UIColor::whiteColor());
        root->view()->addSubview(field);
        settle();
    }

    UIColor::RGBA pixel(CGFloat x, CGFloat y) {
        settle();
        return window->renderImage(1)->colorAtPoint({x, y}).value_or(UIColor::RGBA{});
    }

    std::shared_ptr<DTTextField> field = std::make_shared<DTTextField>();
};

TEST_F(DTTextFieldTest,
       TheBorderShowsItsColourAnErrorOverridesItUntilHiddenAndTheTextLiesAboveTheBackground) {
    auto expectBorder = [&](const UIColor& color) {
        auto edge = pixel(120, 100.5);
        auto want = color.rgba();
        EXPECT_NEAR(edge.red, want.red, 0.05);
        EXPECT_NEAR(edge.green, want.green, 0.05);
        EXPECT_NEAR(edge.blue, want.blue, 0.05);
    };
    field->setBorderColor(UIColor::systemGray4Color());
    field->showError("Only digits");
    EXPECT_TRUE(field->isErrorShown());
    EXPECT_FALSE(field->errorLabel()->isHidden());
    EXPECT_EQ(field->errorLabel()->text(), "Only digits");
    settle();
    EXPECT_GE(field->errorLabel()->frame().origin.y, 40) << "the message hangs under the field";
    expectBorder(UIColor::systemRedColor());

    field->setBorderColor(UIColor::systemOrangeColor());
    EXPECT_EQ(field->backgroundLayer()->borderColor(), UIColor::systemRedColor())
        << "the error keeps its colour";
    field->hideError();
    EXPECT_FALSE(field->isErrorShown());
    EXPECT_TRUE(field->errorLabel()->isHidden());
    expectBorder(UIColor::systemOrangeColor());

    // The background layer covers the field under its text.
    field->backgroundLayer()->setBackgroundColor(UIColor(0.2, 0.4, 0.8, 1));
    field->setTextColor(UIColor::whiteColor());
    field->setTextAlignment(NSTextAlignment::center);
    field->setText("888");
    EXPECT_NEAR(pixel(30, 120).blue, 0.8, 0.02);
    int white = 0;
    auto image = window->renderImage(1);
    for (CGFloat x = 100; x < 140; ++x) {
        for (CGFloat y = 108; y < 132; ++y) {
            auto c = image->colorAtPoint({x, y});
            white += c && c->red > 0.8 && c->green > 0.8 ? 1 : 0;
        }
    }
    EXPECT_GT(white, 10) << "the text is drawn above the surface";

    field->showError();
    EXPECT_EQ(field->errorLabel()->text(), "Only digits") << "the last message comes back";
}

} // namespace
