#include "MaterialTestSupport.h"

#include "platform/graphics/UIImage.h"
#include "platform/material/NavigationDrawerController.h"
#include "platform/uikit/UIView.h"
#include "tests/support/Pixels.h"

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
        drawer = std::make_shared<NavigationDrawerController>(
            std::make_shared<RecordingController>("root", &appearances),
            std::make_shared<UIViewController>());
        drawer->setDelegate(delegate);
        show(drawer);
        appearances.clear();
    }

    CGFloat leftEdge() const { return drawer->leftView()->frame().origin.x; }

    std::vector<std::string> appearances;
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

TEST_F(NavigationDrawerTest, TheOpenSideDimsTheRootOnScreen) {
    drawer->rootViewController()->view()->setBackgroundColor(UIColor::whiteColor());
    drawer->leftViewController()->view()->setBackgroundColor(UIColor::blueColor());
    EXPECT_TRUE(pixels::near(window->renderImage(1)->colorAtPoint({350, 400}), {1, 1, 1, 1}));
    drawer->openLeftView();
    finishAnimations();
    auto image = window->renderImage(1);
    EXPECT_TRUE(pixels::near(image->colorAtPoint({350, 400}), {0.5, 0.5, 0.5, 1}, 0.05)) << "half dimmed";
    EXPECT_TRUE(pixels::near(image->colorAtPoint({100, 400}), {0, 0, 1, 1})) << "the side is not";
}

TEST_F(NavigationDrawerTest, TransitionReplacesTheRootAndTheOldOneLeavesWhenTheFadeEnds) {
    auto root = drawer->rootViewController();
    std::vector<bool> completions;
    drawer->transition(root, [&](bool finished) { completions.push_back(finished); });
    settle();
    EXPECT_EQ(completions, std::vector<bool>{false}) << "a transition to the current root changes nothing";
    EXPECT_EQ(root->parentViewController(), drawer);
    completions.clear();

    drawer->openLeftView();
    finishAnimations();
    auto next = std::make_shared<RecordingController>("next", &appearances);
    drawer->transition(next, [&](bool finished) {
        completions.push_back(finished);
        drawer->closeLeftView(0);
    });
    EXPECT_EQ(drawer->rootViewController(), next);
    EXPECT_EQ(next->parentViewController(), drawer);
    EXPECT_EQ(navigationDrawerController(*next), drawer);
    EXPECT_TRUE(next->view()->isDescendantOfView(drawer->container().get()));
    EXPECT_TRUE(completions.empty());
    finishAnimations();
    EXPECT_EQ(completions, std::vector<bool>{true});
    EXPECT_EQ(root->parentViewController(), nullptr);
    EXPECT_EQ(root->view()->superview(), nullptr);
    EXPECT_EQ(next->view()->frame(), drawer->container()->bounds());
    EXPECT_EQ(next->view()->alpha(), 1);
    EXPECT_FALSE(drawer->isLeftViewOpened()) << "the completion closed the side";
    EXPECT_EQ(appearances, (std::vector<std::string>{"next willAppear", "next didAppear",
                                                     "root willDisappear", "root didDisappear"}));
}

} // namespace
