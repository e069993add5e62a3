#include "platform/chartkit/AAChartModel.h"
#include "platform/chartkit/AAChartRenderer.h"
#include "platform/chartkit/AAChartView.h"
#include "platform/chartkit/AAOptionsConstructor.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UIGraphicsImageRenderer.h"
#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIWindow.h"
#include "tests/support/Pixels.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const UIColor::RGBA yellow{1, 1, 0, 1};
const UIColor::RGBA green{0, 0.8, 0.4, 1};
const UIColor::RGBA red{1, 0, 0, 1};

testing::AssertionResult near(std::optional<UIColor::RGBA> actual, const UIColor::RGBA& expected) {
    return pixels::near(actual, expected, 0.1);
}

AAOptions lineOptions(const std::string& color) {
    AAChartModel model;
    model.chartType(AAChartType::line)
        .backgroundColor("#ffff00")
        .colorsTheme({color})
        .markerRadius(0)
        .series({AASeriesElement().name("f").data({{0, 0}, {1, 1}, {2, 2}})});
    const auto crosshair = AACrosshair().color("#ff0000").width(2);
    return AAOptionsConstructor::configureChartOptions(model)
        .xAxis(AAXAxis().min(0).max(2).tickPositions({0, 2}).crosshair(crosshair))
        .yAxis(AAYAxis().min(0).max(2).tickPositions({0, 2}).gridLineWidth(0));
}

std::shared_ptr<UIImage> snapshot(UIView& view) {
    UIGraphicsImageRendererFormat format;
    format.scale = 2;
    return UIGraphicsImageRenderer(view.bounds().size, format).image([&](UIGraphicsImageRendererContext&) {
        view.drawViewHierarchyInRect(view.bounds(), true);
    });
}

// Where the chart of these options puts a data point in a view of this size.
CGPoint pointOf(const AAOptions& options, CGSize size, double x, double y) {
    return AAChartRenderer(options, size).frame().location(x, y);
}

class AAChartViewTest : public testing::Test {
  protected:
    void SetUp() override { RunLoop::main()->removeAllWork(); }
    void TearDown() override { RunLoop::main()->removeAllWork(); }

    const CGSize size{300, 220};
    std::shared_ptr<AAChartView> view = std::make_shared<AAChartView>(CGRect{{0, 0}, size});
};

} // namespace

TEST_F(AAChartViewTest, DrawsTheLastOptionsOnTheMainQueuesNextTurnAtTheViewsSize) {
    const AAOptions options = lineOptions("#00cc66");
    view->aa_drawChartWithChartOptions(lineOptions("#ff0000"));
    view->aa_drawChartWithChartOptions(options);
    EXPECT_FALSE(near(snapshot(*view)->colorAtPoint({2, 2}), yellow)) << "nothing is drawn before the turn";
    EXPECT_FALSE(view->drawnOptions().has_value());

    RunLoop::main()->runUntilIdle();
    ASSERT_TRUE(view->drawnOptions().has_value());
    EXPECT_EQ(view->drawnOptions()->toJSON(), options.toJSON());
    const auto image = snapshot(*view);
    EXPECT_TRUE(near(image->colorAtPoint({2, 2}), yellow));
    EXPECT_TRUE(near(image->colorAtPoint(pointOf(options, size, 1, 1)), green));

    const CGSize wider{500, 220};
    view->setFrame({{0, 0}, wider});
    EXPECT_TRUE(near(snapshot(*view)->colorAtPoint(pointOf(options, wider, 1.8, 1.8)), green));
}

TEST_F(AAChartViewTest, ClearBackgroundLetsTheViewsOwnBackgroundShow) {
    view->setIsClearBackgroundColor(true);
    view->aa_drawChartWithChartOptions(lineOptions("#00cc66"));
    RunLoop::main()->runUntilIdle();
    EXPECT_NEAR(snapshot(*view)->colorAtPoint({2, 2})->alpha, 0, 0.01);
    view->setBackgroundColor(UIColor(0, 0, 1, 1));
    EXPECT_TRUE(near(snapshot(*view)->colorAtPoint({2, 2}), {0, 0, 1, 1}));
    view->setIsClearBackgroundColor(false);
    EXPECT_TRUE(near(snapshot(*view)->colorAtPoint({2, 2}), yellow));
}

TEST_F(AAChartViewTest, OptionsGivenAfterADrawingAreDrawnOnTheNextTurn) {
    view->aa_drawChartWithChartOptions(lineOptions("#00cc66"));
    RunLoop::main()->runUntilIdle();
    const CGPoint point = pointOf(lineOptions("#00cc66"), size, 1, 1);
    EXPECT_TRUE(near(snapshot(*view)->colorAtPoint(point), green));

    view->aa_drawChartWithChartOptions(lineOptions("#ff0000"));
    EXPECT_TRUE(near(snapshot(*view)->colorAtPoint(point), green)) << "until the next turn";
    RunLoop::main()->runUntilIdle();
    EXPECT_TRUE(near(snapshot(*view)->colorAtPoint(point), red));
}

TEST_F(AAChartViewTest, PointerAndTouchesShowTheCrosshair) {
    const AAOptions options = lineOptions("#00cc66");
    view->aa_drawChartWithChartOptions(options);
    RunLoop::main()->runUntilIdle();
    const CGPoint point = pointOf(options, size, 1, 1);
    const CGPoint crosshairBelowPoint = pointOf(options, size, 1, 0.3);
    EXPECT_FALSE(near(snapshot(*view)->colorAtPoint(crosshairBelowPoint), red));

    view->aa_showTooltipAtPoint({point.x + 3, point.y + 20});
    EXPECT_TRUE(near(snapshot(*view)->colorAtPoint(crosshairBelowPoint), red));
    view->aa_hideTooltip();
    EXPECT_FALSE(near(snapshot(*view)->colorAtPoint(crosshairBelowPoint), red));

    const auto window = std::make_shared<UIWindow>(CGRect{{0, 0}, size});
    window->addSubview(view);
    window->makeKeyAndVisible();
    window->sendTouchBegan({point.x - 3, point.y + 10});
    window->sendTouchEnded({point.x - 3, point.y + 10});
    EXPECT_TRUE(near(snapshot(*view)->colorAtPoint(crosshairBelowPoint), red))
        << "stays after the finger lifts";
}
