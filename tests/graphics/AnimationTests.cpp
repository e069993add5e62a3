#include "platform/foundation/ManualClock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/CAShapeLayer.h"
#include "platform/graphics/CATransaction.h"
#include "tests/support/ManualClockTest.h"
#include "tests/support/Pixels.h"

#include <gtest/gtest.h>

#include <functional>
#include <numbers>

namespace {

constexpr double pi = std::numbers::pi;

class AnimationTest : public ManualClockTest {
  protected:
    static CABasicAnimation strokeEnd(CGFloat from, CGFloat to, CGFloat duration) {
        CABasicAnimation animation("strokeEnd");
        animation.fromValue = from;
        animation.toValue = to;
        animation.duration = duration;
        animation.timingFunction = CAMediaTimingFunction(CAMediaTimingFunctionName::linear);
        return animation;
    }

    // Commits a transaction around the animations; the count of its completions.
    static std::shared_ptr<int> transaction(const std::function<void()>& animate) {
        auto completions = std::make_shared<int>(0);
        CATransaction::begin();
        CATransaction::setCompletionBlock([completions] { ++*completions; });
        animate();
        CATransaction::commit();
        return completions;
    }

    static CGFloat presented(const CALayer& layer, const std::string& keyPath = "strokeEnd") {
        return layer.presentationValueForKeyPath(keyPath).value_or(-1);
    }
};

TEST_F(AnimationTest, StrokeEndInterpolatesOnTheClockAndFillsForwards) {
    auto shape = CAShapeLayer::layer();
    shape->setStrokeEnd(0.2);
    auto animation = strokeEnd(0, 1, 1);
    animation.fillMode = CAFillMode::forwards;
    animation.removedOnCompletion = false;
    shape->addAnimation(animation, "animateCircle");
    EXPECT_DOUBLE_EQ(presented(*shape), 0);
    clock->advance(0.25);
    EXPECT_NEAR(presented(*shape), 0.25, 1e-9);
    clock->advance(0.5);
    EXPECT_NEAR(presented(*shape), 0.75, 1e-9);
    clock->advance(5);
    EXPECT_DOUBLE_EQ(presented(*shape), 1);
    EXPECT_EQ(shape->animationKeys(), std::vector<std::string>{"animateCircle"});
    EXPECT_DOUBLE_EQ(shape->strokeEnd(), 0.2) << "the model value is untouched";
}

TEST_F(AnimationTest, RenderingDrawsThePresentedStrokeEnd) {
    auto root = CALayer::layer();
    root->setFrame({0, 0, 100, 100});
    auto arc = CAShapeLayer::layer();
    CGPath circle;
    circle.addArc({50, 50}, 30, 0, 2 * pi, true);
    arc->setPath(circle);
    arc->setFillColor(std::nullopt);
    arc->setStrokeColor(UIColor::redColor());
    arc->setLineWidth(5);
    root->addSublayer(arc);
    arc->addAnimation(strokeEnd(0, 1, 1), "animateCircle");
    clock->advance(0.5);
    auto half = pixels::render(*root, {100, 100}, 1);
    EXPECT_GT(pixels::at(*half, 50, 80).alpha, 0.9)
        << "clockwise from the right, the first half passes below";
    EXPECT_LT(pixels::at(*half, 50, 20).alpha, 0.05);
    clock->advance(1);
    EXPECT_GT(pixels::at(*pixels::render(*root, {100, 100}, 1), 50, 20).alpha, 0.9)
        << "the model's whole circle once the animation is gone";
    arc->setStrokeEnd(0);
    EXPECT_EQ(pixels::inkIn(*pixels::render(*root, {100, 100}, 1), {0, 0, 100, 100}).count, 0);
}

TEST_F(AnimationTest, ASpinWithoutAStartValueStartsFromTheShownAngle) {
    auto arrow = CALayer::layer();
    arrow->setTransform(CATransform3D::makeRotation(0.3, 0, 0, 1));
    auto spin = [](CGFloat to) {
        CABasicAnimation animation("transform.rotation.z");
        animation.toValue = to;
        animation.duration = 2;
        animation.timingFunction = CAMediaTimingFunction(CAMediaTimingFunctionName::linear);
        animation.fillMode = CAFillMode::forwards;
        animation.removedOnCompletion = false;
        return animation;
    };
    arrow->addAnimation(spin(-1), "rotationAnimation");
    clock->advance(1);
    EXPECT_NEAR(arrow->presentationTransform().rotationZ(), -0.35, 1e-9) << "half way from the model angle";
    clock->advance(1);
    arrow->addAnimation(spin(-2), "rotationAnimation");
    EXPECT_NEAR(arrow->presentationTransform().rotationZ(), -1, 1e-9) << "where the filled spin stopped";
    clock->advance(1);
    EXPECT_NEAR(presented(*arrow, "transform.rotation.z"), -1.5, 1e-9);
    EXPECT_NEAR(arrow->transform().rotationZ(), 0.3, 1e-9) << "the model angle is untouched";
}

TEST_F(AnimationTest, ATransactionCompletesOnceOnTheMainQueueWhenItsLastAnimationEndsOrGoes) {
    auto a = CAShapeLayer::layer();
    auto b = CAShapeLayer::layer();
    bool implicitDone = false;
    CATransaction::setCompletionBlock([&] { implicitDone = true; });
    a->addAnimation(strokeEnd(0, 1, 1), "k");
    clock->advance(0.9);
    EXPECT_FALSE(implicitDone);
    clock->advance(0.2);
    EXPECT_TRUE(implicitDone) << "the implicit transaction";

    auto both = transaction([&] {
        a->addAnimation(strokeEnd(0, 1, 1), "one");
        b->addAnimation(strokeEnd(0, 1, 2), "two");
    });
    clock->advance(1.5);
    EXPECT_EQ(*both, 0);
    clock->advance(0.6);
    EXPECT_EQ(*both, 1);
    clock->advance(5);
    EXPECT_EQ(*both, 1);

    auto empty = transaction([] {});
    EXPECT_EQ(*empty, 0) << "never inside commit";
    RunLoop::main()->runUntilIdle();
    EXPECT_EQ(*empty, 1);

    // An animation removed, replaced under its key or gone with its layer ends its transaction.
    auto c = CAShapeLayer::layer();
    auto removed = transaction([&] { a->addAnimation(strokeEnd(0, 1, 10), "long"); });
    auto replaced = transaction([&] { b->addAnimation(strokeEnd(0, 1, 10), "key"); });
    auto destroyed = transaction([&] { c->addAnimation(strokeEnd(0, 1, 10), "k"); });
    clock->advance(1);
    EXPECT_EQ(*removed + *replaced + *destroyed, 0);
    a->removeAnimationForKey("long");
    b->addAnimation(strokeEnd(1, 0, 1), "key");
    c.reset();
    clock->advance(0.5);
    EXPECT_EQ(*removed, 1);
    EXPECT_EQ(*replaced, 1);
    EXPECT_EQ(*destroyed, 1);
    EXPECT_NEAR(presented(*b), 0.5, 1e-9);
    EXPECT_EQ(b->animationKeys(), std::vector<std::string>{"key"});
}

TEST_F(AnimationTest, DroppedMainQueueWorkLeavesNoImplicitTransactionBehind) {
    auto shape = CAShapeLayer::layer();
    CATransaction::setAnimationDuration(5);
    shape->addAnimation(strokeEnd(0, 1, 1), "dropped");
    RunLoop::main()->removeAllWork();
    EXPECT_DOUBLE_EQ(CATransaction::animationDuration(), 0.25)
        << "the dropped transaction's duration is gone";
    bool completed = false;
    CATransaction::setCompletionBlock([&] { completed = true; });
    shape->addAnimation(strokeEnd(0, 1, 1), "next");
    clock->advance(1.1);
    EXPECT_TRUE(completed) << "a new implicit transaction commits and completes";
}

TEST_F(AnimationTest, ZeroDurationTakesTheTransactionDurationAndUnknownKeyPathsAreIgnored) {
    auto layer = CALayer::layer();
    CABasicAnimation fade("opacity");
    fade.fromValue = 0.0;
    fade.toValue = 1.0;
    CATransaction::begin();
    CATransaction::setAnimationDuration(2);
    layer->addAnimation(fade, "fade");
    CATransaction::commit();
    EXPECT_DOUBLE_EQ(layer->animationForKey("fade")->duration, 2);
    clock->advance(1);
    EXPECT_GT(layer->presentationOpacity(), 0.1f);
    EXPECT_LT(layer->presentationOpacity(), 0.9f);
    layer->addAnimation(CABasicAnimation("strokeEnd"), "unknown");
    EXPECT_EQ(layer->animationKeys(), std::vector<std::string>{"fade"}) << "a layer has no stroke end";
}

TEST_F(AnimationTest, DelayedStartKeepsTheModelValueUntilItBeginsUnlessFilledBackwards) {
    auto shape = CAShapeLayer::layer();
    auto animation = strokeEnd(0, 1, 1);
    animation.beginTime = 1;
    shape->addAnimation(animation, "late");
    clock->advance(0.5);
    EXPECT_DOUBLE_EQ(presented(*shape), 1);
    clock->advance(1);
    EXPECT_NEAR(presented(*shape), 0.5, 1e-9);
    auto other = CAShapeLayer::layer();
    animation.fillMode = CAFillMode::backwards;
    other->addAnimation(animation, "late");
    EXPECT_DOUBLE_EQ(presented(*other), 0);
}

TEST(CAMediaTimingFunctionTest, CurvesKeepTheirEndsAndShapes) {
    const struct {
        CAMediaTimingFunctionName name;
        CGFloat lowAtAQuarter, highAtAQuarter;
    } curves[] = {
        {CAMediaTimingFunctionName::linear, 0.25, 0.25},
        {CAMediaTimingFunctionName::easeIn, 0, 0.2},
        {CAMediaTimingFunctionName::easeOut, 0.3, 1},
        {CAMediaTimingFunctionName::easeInEaseOut, 0, 0.2},
    };
    for (const auto& curve : curves) {
        CAMediaTimingFunction f(curve.name);
        const int name = static_cast<int>(curve.name);
        EXPECT_GE(f.progressAt(0.25), curve.lowAtAQuarter - 1e-9) << name;
        EXPECT_LE(f.progressAt(0.25), curve.highAtAQuarter + 1e-9) << name;
        EXPECT_EQ(f.progressAt(0), 0) << name;
        EXPECT_EQ(f.progressAt(1), 1) << name;
        EXPECT_LT(f.progressAt(0.4), f.progressAt(0.6)) << name;
    }
    EXPECT_NEAR(CAMediaTimingFunction(CAMediaTimingFunctionName::easeInEaseOut).progressAt(0.5), 0.5, 1e-9);
}

TEST(CABasicAnimationTest, RepeatsAndCumulates) {
    CABasicAnimation animation("strokeEnd");
    animation.duration = 1;
    animation.repeatCount = 2;
    animation.fillMode = CAFillMode::forwards;
    EXPECT_NEAR(*animation.valueAt(1.5, 0, 1), 0.5, 1e-9);
    EXPECT_NEAR(*animation.valueAt(2.5, 0, 1), 1, 1e-9);
    animation.cumulative = true;
    EXPECT_NEAR(*animation.valueAt(1.5, 0, 1), 1.5, 1e-9);
    EXPECT_NEAR(*animation.valueAt(2, 0, 1), 2, 1e-9);
    animation.fillMode = CAFillMode::removed;
    EXPECT_FALSE(animation.valueAt(2, 0, 1).has_value());
}

} // namespace
