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

TEST_F(DTTextFieldTest, TheBackgroundLayerLiesUnderTheTextAndCoversTheField) {
    field->backgroundLayer()->setBackgroundColor(UIColor(0.2, 0.4, 0.8, 1));
    field->setTextColor(UIColor::whiteColor());
    field->setTextAlignment(NSTextAlignment::center);
    field->setText("888");
    settle();
    EXPECT_EQ(field->backgroundLayer()->frame(), field->bounds());
    auto surface = pixel(30, 120);
    EXPECT_NEAR(surface.blue, 0.8, 0.02);
    int white = 0;
    auto image = window->renderImage(1);
    for (CGFloat x = 100; x < 140; ++x) {
        for (CGFloat y = 108; y < 132; ++y) {
            auto c = image->colorAtPoint({x, y});
            white += c && c->red > 0.8 && c->green > 0.8 ? 1 : 0;
        }
    }
    EXPECT_GT(white, 10) << "the text is drawn above the surface";
}

TEST_F(DTTextFieldTest, TheBorderShowsTheBorderColour) {
    field->setBorderColor(UIColor::systemOrangeColor());
    auto edge = pixel(120, 100.5);
    auto orange = UIColor::systemOrangeColor().rgba();
    EXPECT_NEAR(edge.red, orange.red, 0.05);
    EXPECT_NEAR(edge.green, orange.green, 0.05);
    EXPECT_NEAR(edge.blue, orange.blue, 0.05);
}

TEST_F(DTTextFieldTest, AnErrorShowsItsMessageUnderTheFieldAndHidingItRestoresTheBorder) {
    field->setBorderColor(UIColor::systemGray4Color());
    field->showError("Only digits");
    EXPECT_TRUE(field->isErrorShown());
    EXPECT_FALSE(field->errorLabel()->isHidden());
    EXPECT_EQ(field->errorLabel()->text(), "Only digits");
    settle();
    CGRect label = field->errorLabel()->frame();
    EXPECT_GE(label.origin.y, 40) << "the message hangs under the field";
    auto red = UIColor::systemRedColor().rgba();
    EXPECT_NEAR(pixel(120, 100.5).red, red.red, 0.05);
    EXPECT_EQ(field->backgroundLayer()->borderColor(), UIColor::systemRedColor());

    field->setBorderColor(UIColor::systemOrangeColor());
    EXPECT_EQ(field->backgroundLayer()->borderColor(), UIColor::systemRedColor())
        << "the error keeps its colour";
    field->hideError();
    EXPECT_FALSE(field->isErrorShown());
    EXPECT_TRUE(field->errorLabel()->isHidden());
    EXPECT_EQ(field->backgroundLayer()->borderColor(), UIColor::systemOrangeColor());

    field->showError();
    EXPECT_EQ(field->errorLabel()->text(), "Only digits") << "the last message comes back";
}

} // namespace
