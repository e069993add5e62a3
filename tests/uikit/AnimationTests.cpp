#include "UIKitTestSupport.h"

#include "platform/uikit/UIActivityIndicatorView.h"
#include "platform/uikit/UIView.h"

#include <numbers>
#include <vector>

namespace {

using AnimationTests = UIKitTest;

TEST_F(AnimationTests, ModelChangesAtOnceWhileTheLayerFollowsTheClock) {
    auto view = std::make_shared<UIView>(CGRect{0, 0, 100, 100});
    std::vector<bool> completions;
    UIView::animateWithDuration(
        1.0, 0, UIViewAnimationOptionCurveLinear,
        [&] {
            view->setAlpha(0);
            view->setFrame({100, 0, 100, 100});
        },
        [&](bool finished) { completions.push_back(finished); });

    EXPECT_EQ(view->alpha(), 0) << "the model holds the target value at once";
    EXPECT_EQ(view->frame().origin.x, 100);
    EXPECT_FLOAT_EQ(view->layer()->opacity(), 1) << "nothing is shown before the clock moves";

    clock->advance(0.5);
    EXPECT_NEAR(view->layer()->opacity(), 0.5, 0.02);
    EXPECT_NEAR(view->layer()->position().x, 100, 2);
    EXPECT_TRUE(completions.empty());

    clock->advance(0.49);
    EXPECT_TRUE(completions.empty());
    clock->advance(0.02);
    ASSERT_EQ(completions, std::vector<bool>{true});
    EXPECT_FLOAT_EQ(view->layer()->opacity(), 0);
    EXPECT_EQ(view->layer()->position().x, 150);
}

TEST_F(AnimationTests, DelayHoldsTheOldValueAndCurvesShapeTheProgress) {
    auto easeIn = std::make_shared<UIView>();
    auto easeOut = std::make_shared<UIView>();
    bool done = false;
    UIView::animateWithDuration(
        1.0, 0.5, UIViewAnimationOptionCurveEaseIn, [&] { easeIn->setAlpha(0); }, [&](bool) { done = true; });
    UIView::animateWithDuration(1.0, 0.5, UIViewAnimationOptionCurveEaseOut, [&] { easeOut->setAlpha(0); });
    clock->advance(0.4);
    EXPECT_FLOAT_EQ(easeIn->layer()->opacity(), 1) << "still waiting for the delay";
    clock->advance(0.6);
    // Half way through: ease-in has covered less than half the way, ease-out more.
    EXPECT_GT(easeIn->layer()->opacity(), 0.6);
    EXPECT_LT(easeOut->layer()->opacity(), 0.4);
    clock->advance(0.4);
    EXPECT_FALSE(done) << "the delay counts towards the end";
    clock->advance(0.2);
    EXPECT_TRUE(done);
}

TEST_F(AnimationTests, WithoutChangesOrDurationTheCompletionStillComesOnTheMainQueue) {
    auto view = std::make_shared<UIView>();
    int calls = 0;
    UIView::animateWithDuration(
        0, [&] { view->setAlpha(0.5); }, [&](bool finished) { calls += finished; });
    EXPECT_FLOAT_EQ(view->layer()->opacity(), 0.5f) << "a zero duration applies at once";
    EXPECT_EQ(calls, 0) << "completions never run inside the call";
    UIView::animateWithDuration(
        2.0, [] {}, [&](bool finished) { calls += finished; });
    runLoopTurn();
    EXPECT_EQ(calls, 2);

    UIView::animateWithDuration(1.0, [&] { UIView::performWithoutAnimation([&] { view->setAlpha(0.2); }); });
    EXPECT_FLOAT_EQ(view->layer()->opacity(), 0.2f) << "a change without animation shows at once";
}

TEST_F(AnimationTests, AChangeOutsideTheBlockEndsThePropertysAnimationAndANewOneStartsFromWhatIsShown) {
    auto view = std::make_shared<UIView>();
    bool completed = false;
    UIView::animateWithDuration(
        1.0, [&] { view->setAlpha(0); }, [&](bool) { completed = true; });
    clock->advance(0.3);
    view->setAlpha(0.8);
    EXPECT_FLOAT_EQ(view->layer()->opacity(), 0.8f);
    clock->advance(0.3);
    EXPECT_FLOAT_EQ(view->layer()->opacity(), 0.8f) << "the old animation no longer writes";
    clock->advance(0.5);
    EXPECT_TRUE(completed) << "the completion still comes at the planned end";

    // A new animation starts from what is shown.
    view->setFrame({0, 0, 10, 10});
    UIView::animateWithDuration(1.0, 0, UIViewAnimationOptionCurveLinear, [&] { view->setCenter({105, 5}); });
    clock->advance(0.5);
    CGFloat shown = view->layer()->position().x;
    EXPECT_NEAR(shown, 55, 2);
    UIView::animateWithDuration(1.0, 0, UIViewAnimationOptionCurveLinear, [&] { view->setCenter({5, 5}); });
    clock->advance(0.02);
    EXPECT_NEAR(view->layer()->position().x, shown, 2) << "no jump back to the start";
    clock->advance(1.0);
    EXPECT_EQ(view->layer()->position().x, 5);
}

TEST_F(AnimationTests, ReleasedViewsAndDroppedRunLoopWorkStopNothing) {
    bool done = false;
    {
        auto view = std::make_shared<UIView>();
        UIView::animateWithDuration(
            1.0, [&] { view->setAlpha(0); }, [&](bool) { done = true; });
    }
    clock->advance(2);
    EXPECT_TRUE(done) << "a released view's animation still completes";

    auto view = std::make_shared<UIView>();
    UIView::animateWithDuration(1.0, [&] { view->setAlpha(0); });
    clock->advance(0.5);
    RunLoop::main()->removeAllWork();
    auto other = std::make_shared<UIView>();
    UIView::animateWithDuration(1.0, 0, UIViewAnimationOptionCurveLinear, [&] { other->setAlpha(0); });
    clock->advance(0.5);
    EXPECT_NEAR(other->layer()->opacity(), 0.5, 0.02) << "a new animation ticks again";
    clock->advance(0.6);
    EXPECT_FLOAT_EQ(view->layer()->opacity(), 0)
        << "the old one ended at its time although its end was dropped";
    view->setAlpha(1);
    EXPECT_FLOAT_EQ(view->layer()->opacity(), 1);
}

TEST_F(AnimationTests, SpinnerTurnsOnTheClockOnlyWhileAnimating) {
    auto spinner = std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyle::large);
    EXPECT_TRUE(spinner->isHidden());
    EXPECT_EQ(spinner->frame().size, (CGSize{37, 37}));
    spinner->startAnimating();
    EXPECT_FALSE(spinner->isHidden());
    clock->advance(0.25);
    EXPECT_NEAR(spinner->layer()->presentationTransform().rotationZ(), std::numbers::pi / 2, 0.01);
    spinner->stopAnimating();
    EXPECT_TRUE(spinner->isHidden());
    EXPECT_TRUE(spinner->layer()->animationKeys().empty());
}

} // namespace
