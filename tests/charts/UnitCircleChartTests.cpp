#include "ChartsTestSupport.h"

#include "charts/SharingInProgress.h"
#include "charts/UnitCircleChartView.h"
#include "platform/graphics/CAShapeLayer.h"
#include "platform/material/FlatButton.h"

#include <numbers>

namespace {

constexpr double degree = std::numbers::pi / 180;

class UnitCircleChartTest : public ChartsTest {
  protected:
    void TearDown() override {
        isSharingInProgress = false;
        ChartsTest::TearDown();
    }

    std::shared_ptr<UnitCircleChartView> makeView(double alpha, double b, int fullCircles,
                                                  Quadrant quadrant) {
        auto view = UnitCircleChartView::withFrame({0, 0, 360, 180});
        view->unitCircleChartData =
            std::make_shared<UnitCircleChartData>(alpha, b, 0.0, fullCircles, quadrant);
        return view;
    }

    // Runs what is due now, then moves the clock on.
    void advance(double seconds) {
        runLoopTurn();
        clock->advance(seconds);
    }

    static std::string text(const std::weak_ptr<UILabel>& label) { return label.lock()->text(); }

    static std::vector<std::shared_ptr<CAShapeLayer>> animationLayers(const UnitCircleChartView& view) {
        std::vector<std::shared_ptr<CAShapeLayer>> layers;
        for (const auto& layer : view.animationView.lock()->layer()->sublayers())
            if (layer->name() == "animation")
                layers.push_back(std::dynamic_pointer_cast<CAShapeLayer>(layer));
        return layers;
    }

    // Counters in the order total, turn, turns, cosine, sine.
    static std::vector<std::string> counters(const UnitCircleChartView& view) {
        return {text(view.alphaLabel), text(view.gammaLabel), text(view.fullCirclesLabel), text(view.pXLabel),
                text(view.pYLabel)};
    }
};

} // namespace

TEST_F(UnitCircleChartTest, TurnsCountUpWithTheirArcsAndTheArrowUntilTheRemainder) {
    const auto view = makeView(750, 750 * degree, 2, Quadrant::first);
    view->restartAnimation();
    EXPECT_TRUE(view->isAnimationRunning);
    EXPECT_FALSE(view->animateAgainButton.lock()->isUserInteractionEnabled());
    EXPECT_EQ(view->animateAgainButton.lock()->alpha(), 0.5) << "the replay button fades while running";

    const auto arrow = view->arrowImageView.lock()->layer();
    const auto shownAngle = [&] { return arrow->presentationTransform().rotationZ(); };

    advance(0.5);
    EXPECT_EQ(counters(*view), (std::vector<std::string>{"180°", "180°", "0", "-1.0", "0.0"}));
    EXPECT_NEAR(std::fabs(shownAngle()), std::numbers::pi, 1e-6) << "half of the first turn";
    ASSERT_EQ(animationLayers(*view).size(), 1u);

    advance(0.5);
    EXPECT_EQ(counters(*view), (std::vector<std::string>{"360°", "0°", "1", "1.0", "0.0"}));
    advance(1);
    EXPECT_EQ(text(view->fullCirclesLabel), "2");
    EXPECT_TRUE(view->isAnimationRunning);
    advance(0.5);
    EXPECT_NEAR(shownAngle(), -15 * degree, 1e-6) << "half of the last 30 degrees, the same way round";
    advance(0.5);
    runLoopTurn();
    EXPECT_EQ(counters(*view), (std::vector<std::string>{"750°", "30°", "2", "0.87", "0.5"}));
    EXPECT_FALSE(view->isAnimationRunning);
    EXPECT_TRUE(view->animateAgainButton.lock()->isUserInteractionEnabled());
    EXPECT_EQ(view->animateAgainButton.lock()->alpha(), 1);

    const auto layers = animationLayers(*view);
    ASSERT_EQ(layers.size(), 5u) << "three arcs and two projection lines";
    // Each turn's arc in its own hue; the cosine blue and the sine red, as their counters' captions.
    CGFloat hue = -1;
    layers[1]->strokeColor()->getHue(&hue, nullptr, nullptr, nullptr);
    EXPECT_NEAR(hue, 0.18, 0.01);
    EXPECT_EQ(layers[3]->strokeColor(), UIColor::blueColor());
    EXPECT_EQ(layers[4]->strokeColor(), UIColor::redColor());
    const auto& lastArc = layers[2]->path()->elements().back();
    EXPECT_NEAR(lastArc.endAngle, -30 * degree, 1e-9);
    EXPECT_FALSE(lastArc.clockwise);
    EXPECT_EQ(view->q1Label.lock()->alpha(), 1);
    EXPECT_EQ(view->q2Label.lock()->alpha(), 0) << "only the quadrant of the angle is marked";
}

TEST_F(UnitCircleChartTest, NegativeAnglesCountDownAndTurnClockwise) {
    const auto view = makeView(-405, -405 * degree, 1, Quadrant::fourth);
    view->restartAnimation();
    advance(0.5);
    EXPECT_EQ(counters(*view), (std::vector<std::string>{"-180°", "-180°", "0", "-1.0", "0.0"}));
    EXPECT_TRUE(animationLayers(*view)[0]->path()->elements().back().clockwise);
    advance(1);
    EXPECT_EQ(text(view->alphaLabel), "-383°") << "382.5 rounds away from zero";
    advance(0.5);
    runLoopTurn();
    EXPECT_EQ(counters(*view), (std::vector<std::string>{"-405°", "-45°", "-1", "0.71", "-0.71"}));
    EXPECT_EQ(view->q4Label.lock()->alpha(), 1);
}

TEST_F(UnitCircleChartTest, ReplayIsIgnoredWhileRunningAndClearsTheOldLayersAfterwards) {
    const auto view = makeView(90, 90 * degree, 0, Quadrant::second);
    view->restartAnimation();
    advance(0.5);
    view->restartAnimation();
    EXPECT_EQ(animationLayers(*view).size(), 1u);
    advance(0.5);
    runLoopTurn();
    ASSERT_FALSE(view->isAnimationRunning);
    EXPECT_EQ(animationLayers(*view).size(), 3u);

    const auto button = view->animateAgainButton.lock();
    EXPECT_EQ(button->backgroundColor(), UIColor(0, 0.9, 0.46, 1));
    button->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_TRUE(view->isAnimationRunning);
    EXPECT_EQ(animationLayers(*view).size(), 1u);
    EXPECT_EQ(text(view->alphaLabel), "90°") << "the counters restart on the next update";
    runLoopTurn();
    EXPECT_EQ(text(view->alphaLabel), "0°");
}

// While sharing, and for a zero angle, the final picture appears at once.
TEST_F(UnitCircleChartTest, FinalPictureWithoutAnimation) {
    struct Case {
        double degrees;
        int fullCircles;
        bool sharing;
        std::vector<std::string> counters;
        std::size_t layers;
    };
    for (const auto& c : std::vector<Case>{
             {750, 2, true, {"750°", "30°", "2", "0.87", "0.5"}, 5},
             {720, 2, true, {"720°", "360°", "2", "1.0", "0.0"}, 4},
             {0, 0, false, {"0°", "0°", "0", "1.0", "0.0"}, 2},
         }) {
        isSharingInProgress = c.sharing;
        const auto view = makeView(c.degrees, c.degrees * degree, c.fullCircles, Quadrant::first);
        view->restartAnimation();
        EXPECT_FALSE(view->isAnimationRunning) << c.degrees;
        EXPECT_EQ(counters(*view), c.counters) << c.degrees;
        EXPECT_EQ(animationLayers(*view).size(), c.layers) << c.degrees;
        const auto arrow = view->arrowImageView.lock()->layer();
        EXPECT_FALSE(arrow->animationForKey("rotationAnimation").has_value()) << c.degrees;
        EXPECT_NEAR(arrow->transform().rotationZ(), -std::fmod(c.degrees, 360) * degree, 1e-9) << c.degrees;
        if (c.sharing) {
            EXPECT_EQ(RunLoop::main()->pendingCount(), 0u) << "no counter waits for the clock";
        }
    }
}

// Nothing turns: the cosine line runs from the centre to the circle at once, the sine line has no length.
TEST_F(UnitCircleChartTest, ZeroAngleOnlyDrawsTheCosineLine) {
    const auto view = makeView(0, 0, 0, Quadrant::first);
    view->restartAnimation();
    const auto layers = animationLayers(*view);
    ASSERT_EQ(layers.size(), 2u);
    const CGRect circle = view->circleImageView.lock()->frame();
    const auto& cosine = layers[0]->path()->elements();
    ASSERT_EQ(cosine.size(), 2u);
    EXPECT_EQ(cosine[0].points[0], (CGPoint{circle.size.width / 2, circle.size.height / 2}));
    EXPECT_EQ(cosine[1].points[0],
              (CGPoint{circle.size.width / 2 + 0.375 * circle.size.width, circle.size.height / 2}));
    EXPECT_TRUE(layers[0]->animationForKey("strokeEnd").has_value());
    EXPECT_EQ(layers[0]->frame(), view->animationView.lock()->bounds());
    EXPECT_EQ(layers[1]->path()->boundingBox().size, (CGSize{0, 0}));
}
