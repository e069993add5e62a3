#include "MaterialTestSupport.h"

#include "platform/graphics/UIImage.h"
#include "platform/material/NavigationDrawerController.h"
#include "platform/uikit/UIView.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class DelegateLog : public NavigationDrawerControllerDelegate {
  public:
    void navigationDrawerControllerWillOpen(NavigationDrawerController&) override {
        calls.push_back("willOpen");
    }
    void navigationDrawerControllerDidOpen(NavigationDrawerController&) override {
        calls.push_back("didOpen");
    }
    void navigationDrawerControllerWillClose(NavigationDrawerController&) override {
        calls.push_back("willClose");
    }
    void navigationDrawerControllerDidClose(NavigationDrawerController&) override {
        calls.push_back("didClose");
    }
    void navigationDrawerControllerDidBeginPanAt(NavigationDrawerController&, CGPoint) override {
        calls.push_back("beginPan");
    }
    void navigationDrawerControllerDidEndPanAt(NavigationDrawerController&, CGPoint) override {
        calls.push_back("endPan");
    }
    void navigationDrawerControllerDidTapAt(NavigationDrawerController&, CGPoint p) override {
        std::ostringstream text;
        text << "tap " << p.x;
        calls.push_back(text.str());
    }
    void navigationDrawerControllerStatusBarHiddenState(NavigationDrawerController&, bool hidden) override {
        calls.push_back(hidden ? "statusBarHidden" : "statusBarShown");
    }

    std::vector<std::string> calls;
};

class NavigationDrawerTest : public MaterialTest {
  protected:
    void SetUp() override {
        MaterialTest::SetUp();
        drawer = std::make_shared<NavigationDrawerController>(std::make_shared<UIViewController>(),
                                                              std::make_shared<UIViewController>());
        drawer->setDelegate(delegate);
        show(drawer);
    }

    CGFloat leftEdge() const { return drawer->leftView()->frame().origin.x; }

    std::shared_ptr<NavigationDrawerController> drawer;
    std::shared_ptr<DelegateLog> delegate = std::make_shared<DelegateLog>();
};

TEST_F(NavigationDrawerTest, RepeatedOrInterruptedSlidesTellEachStepOnceAndAVelocityShortensTheSlide) {
    drawer->closeLeftView(0);
    finishAnimations();
    EXPECT_TRUE(delegate->calls.empty());
    drawer->openLeftView();
    drawer->openLeftView();
    finishAnimations();
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"willOpen", "statusBarHidden", "didOpen"}));

    drawer->closeLeftView();
    finishAnimations();
    delegate->calls.clear();
    drawer->openLeftView();
    clock->advance(0.1);
    drawer->closeLeftView();
    finishAnimations();
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"willOpen", "statusBarHidden", "willClose",
                                                         "statusBarShown", "didClose"}))
        << "closing halfway through the opening ends closed without a didOpen";
    EXPECT_TRUE(drawer->leftView()->isHidden());
    drawer->openLeftView(2800);
    clock->advance(0.11);
    settle();
    EXPECT_EQ(delegate->calls.back(), "didOpen") << "280 points at 2800 points per second take 0.1 s";
}

TEST_F(NavigationDrawerTest, TapOnTheDimmedRootClosesButATapOnTheSideDoesNot) {
    drawer->openLeftView();
    finishAnimations();
    delegate->calls.clear();
    window->tapAtPoint({100, 400});
    EXPECT_TRUE(drawer->isLeftViewOpened());
    EXPECT_TRUE(delegate->calls.empty());

    window->tapAtPoint({350, 400});
    EXPECT_FALSE(drawer->isLeftViewOpened());
    finishAnimations();
    EXPECT_EQ(delegate->calls,
              (std::vector<std::string>{"tap 350", "willClose", "statusBarShown", "didClose"}));
}

TEST_F(NavigationDrawerTest, SwipeLeftClosesAndAShortSlowSwipeSpringsBack) {
    window->sendTouchBegan({350, 400});
    window->sendTouchMoved({200, 400});
    window->sendTouchEnded({200, 400});
    EXPECT_TRUE(delegate->calls.empty()) << "touches on the root pass by while the side is closed";
    EXPECT_EQ(leftEdge(), -NavigationDrawerController::leftViewWidth);

    drawer->openLeftView();
    finishAnimations();
    delegate->calls.clear();

    window->sendTouchBegan({350, 400});
    clock->advance(0.1);
    window->sendTouchMoved({320, 400});
    EXPECT_EQ(leftEdge(), -30) << "the side follows the finger";
    clock->advance(0.2);
    window->sendTouchMoved({310, 400});
    clock->advance(0.2);
    window->sendTouchEnded({310, 400});
    EXPECT_TRUE(drawer->isLeftViewOpened());
    finishAnimations();
    EXPECT_EQ(leftEdge(), 0);
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"beginPan", "endPan", "didOpen"}));

    delegate->calls.clear();
    window->sendTouchBegan({350, 400});
    clock->advance(0.05);
    window->sendTouchMoved({250, 400});
    clock->advance(0.05);
    window->sendTouchEnded({250, 400});
    EXPECT_FALSE(drawer->isLeftViewOpened());
    finishAnimations();
    EXPECT_TRUE(drawer->leftView()->isHidden());
    EXPECT_EQ(delegate->calls.back(), "didClose");
}

} // namespace
