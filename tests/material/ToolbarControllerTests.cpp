#include "MaterialTestSupport.h"

#include "platform/graphics/UIImage.h"
#include "platform/material/Icon.h"
#include "platform/material/IconButton.h"
#include "platform/material/ToolbarController.h"

#include <gtest/gtest.h>

namespace {

class ToolbarControllerTest : public MaterialTest {
  protected:
    std::shared_ptr<RecordingController> page = std::make_shared<RecordingController>("page");
    std::shared_ptr<ToolbarController> controller = std::make_shared<ToolbarController>(page);
};

TEST_F(ToolbarControllerTest, SideViewsFlankTheTitleAndDetail) {
    show(controller);
    auto toolbar = controller->toolbar();
    auto menu = std::make_shared<IconButton>(Icon::menu(), UIColor::whiteColor());
    auto clear = std::make_shared<IconButton>(Icon::clear());
    auto edit = std::make_shared<IconButton>(Icon::edit());
    toolbar->setLeftViews({menu});
    toolbar->setRightViews({clear, edit});
    toolbar->setTitle("History");
    toolbar->setDetail("3 entries");
    settle();
    EXPECT_EQ(menu->frame(), (CGRect{8, 0, 44, 56}));
    EXPECT_EQ(edit->frame(), (CGRect{390 - 8 - 44, 0, 44, 56}));
    EXPECT_EQ(clear->frame(), (CGRect{390 - 8 - 44 - 8 - 44, 0, 44, 56})) << "right views keep their order";
    CGRect title = toolbar->titleLabel()->frame();
    CGRect detail = toolbar->detailLabel()->frame();
    EXPECT_EQ(title.origin.x, 60);
    EXPECT_EQ(title.origin.x + title.size.width, clear->frame().origin.x - 8);
    EXPECT_LT(title.origin.y, detail.origin.y);
    EXPECT_EQ(detail.origin.y + detail.size.height, 56);

    toolbar->setRightViews({edit});
    toolbar->setDetail(std::nullopt);
    settle();
    EXPECT_EQ(clear->superview(), nullptr) << "a replaced view leaves the bar";
    EXPECT_TRUE(toolbar->detailLabel()->isHidden());
    EXPECT_EQ(toolbar->titleLabel()->frame().size.height, 56) << "the title alone takes the whole height";
}

TEST_F(ToolbarControllerTest, ATransitionBeforeTheViewLoadsOnlySwapsTheRoot) {
    auto other = std::make_shared<RecordingController>("other");
    bool done = false;
    controller->transition(other, [&](bool finished) { done = finished; });
    EXPECT_FALSE(done) << "completions run on the main queue";
    settle();
    EXPECT_TRUE(done);
    show(controller);
    EXPECT_EQ(other->parentViewController(), controller);
    EXPECT_EQ(page->parentViewController(), nullptr);
    EXPECT_TRUE(other->view()->isDescendantOfView(controller->container().get()));
}

} // namespace
