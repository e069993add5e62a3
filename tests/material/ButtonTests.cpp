#include "MaterialTestSupport.h"

#include "platform/graphics/UIImage.h"
#include "platform/material/FABButton.h"
#include "platform/material/FlatButton.h"
#include "platform/material/Icon.h"
#include "platform/material/LabelFontSize.h"
#include "platform/uikit/UILabel.h"

#include <gtest/gtest.h>

namespace {

using ButtonTest = MaterialTest;

TEST_F(ButtonTest, AFloatingButtonIsRoundAndCastsAShadowUnlessFlat) {
    auto fab = std::make_shared<FABButton>(Icon::share(), UIColor::whiteColor());
    fab->setBackgroundColor(UIColor::redColor());
    fab->setFrame({20, 20, 56, 56});
    fab->layoutIfNeeded();
    EXPECT_GT(fab->layer()->shadowOpacity(), 0);
    auto page = std::make_shared<UIViewController>();
    page->view()->setBackgroundColor(UIColor::whiteColor());
    page->view()->addSubview(fab);
    show(page);
    auto image = window->renderImage(1);
    auto corner = image->colorAtPoint({22, 22});
    auto edge = image->colorAtPoint({48, 22});
    ASSERT_TRUE(corner && edge);
    EXPECT_GT(corner->green, 0.8) << "the corner outside the circle is background";
    EXPECT_GT(image->colorAtPoint({26, 26}).value_or(UIColor::RGBA{}).green, 0.8)
        << "a circle, not a rounded square";
    EXPECT_GT(edge->red, 0.9);
    EXPECT_LT(edge->green, 0.1);
    fab->setDepthPreset(DepthPreset::none);
    EXPECT_EQ(fab->layer()->shadowOpacity(), 0);
    EXPECT_NE(std::make_shared<FlatButton>("7")->currentTitleColor(), UIColor::whiteColor())
        << "a flat button's title is readable on a light surface";
}

TEST(MaterialLabelTest, FontSizeKeepsTheFace) {
    UILabel label;
    label.setFont(UIFont::systemFontOfSize(12, UIFontWeight::heavy));
    setFontSize(label, 38);
    EXPECT_EQ(fontSize(label), 38);
    EXPECT_EQ(label.font().weight(), UIFontWeight::heavy);
}

} // namespace
