#include "UIKitTestSupport.h"

#include "platform/uikit/UIView.h"

namespace {

using ViewGeometryTests = UIKitTest;

TEST_F(ViewGeometryTests, FrameBoundsAndCentreStayConsistent) {
    auto view = std::make_shared<UIView>(CGRect{10, 20, 100, 50});
    EXPECT_EQ(view->bounds(), (CGRect{0, 0, 100, 50}));
    EXPECT_EQ(view->center(), (CGPoint{60, 45}));
    view->setCenter({100, 100});
    EXPECT_EQ(view->frame(), (CGRect{50, 75, 100, 50}));
    view->setBounds({0, 0, 40, 40});
    EXPECT_EQ(view->frame(), (CGRect{80, 80, 40, 40}));
    EXPECT_EQ(view->layer()->frame(), view->frame());
}

} // namespace
