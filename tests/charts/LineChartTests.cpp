#include "ChartsTestSupport.h"

#include "charts/ChartOptionBuilder.h"
#include "charts/LineChartManager.h"
#include "platform/chartkit/AAChartRenderer.h"
#include "platform/uikit/UINib.h"

using nlohmann::json;

namespace {

const CGRect frame{20, 10, 360, 180};
const std::string greenAccent = "#00e575";

std::shared_ptr<LineChartData> line(const std::string& name, double axisLimit, std::optional<double> length,
                                    std::optional<std::string> color = std::nullopt) {
    auto data = std::make_shared<LineChartData>();
    data->frameRatio = 2;
    data->chartTitle = "Lines";
    data->dataName = name;
    data->chartColorHexCode = std::move(color);
    data->startPoint = {0, 0};
    data->endPoint = {3, 4};
    data->markedPoints = {{0, 0}, {3, 4}};
    data->length = length;
    data->axisLimit = axisLimit;
    return data;
}

DistributionFunctionChartData distribution(bool isConverse) {
    DistributionFunctionChartData data;
    data.chartTitle = "F";
    data.dataName = "F(x)";
    data.xAxisName = "x";
    data.dataSet = {{1, 0.2}, {2, 0.7}, {3, 1.0}};
    data.isConverse = isConverse;
    return data;
}

class LineChartTest : public ChartsTest {};

} // namespace

TEST_F(LineChartTest, ViewFillsItselfWithACardHoldingTheChartView) {
    const auto view = LineChartView::withFrame(frame);
    ASSERT_NE(view->contentView, nullptr);
    ASSERT_NE(view->chartView, nullptr);
    EXPECT_EQ(view->contentView->superview(), view);
    EXPECT_EQ(view->contentView->frame(), (CGRect{0, 0, 360, 180}));
    EXPECT_EQ(view->contentView->autoresizingMask(), 18u);
    EXPECT_EQ(view->chartView->superview(), view->contentView);
    EXPECT_EQ(view->chartView->frame(), (CGRect{0, 0, 360, 180}));
    EXPECT_FALSE(view->chartView->scrollEnabled());
    EXPECT_TRUE(view->chartView->isClearBackgroundColor());
    EXPECT_FLOAT_EQ(view->contentView->layer()->shadowOpacity(), 0.5f);
    EXPECT_TRUE(UINib::isRegistered("LineChartView"));
}

TEST_F(LineChartTest, LineIsDrawnInASquareWindowOfItsAxisLimit) {
    const auto view = LineChartManager::makeLineChart(*line("a", -3, 5), frame);
    const json tree = drawnTree(view->chartView);
    ASSERT_FALSE(tree.is_null());
    const json ticks = json::parse("[-3.0, -2.25, -1.5, -0.75, 0.0, 0.75, 1.5, 2.25, 3.0]");
    for (const char* axis : {"xAxis", "yAxis"}) {
        EXPECT_EQ(tree[axis]["min"], -3.0) << axis;
        EXPECT_EQ(tree[axis]["max"], 3.0) << axis;
        EXPECT_EQ(tree[axis]["tickPositions"], ticks) << axis;
        EXPECT_EQ(tree[axis]["minorTickInterval"], 0.15) << axis;
    }
    EXPECT_EQ(tree["xAxis"]["title"]["text"], "x");
    EXPECT_EQ(tree["yAxis"]["title"]["text"], "a");
    EXPECT_EQ(tree["chart"]["type"], "line");
    EXPECT_EQ(tree["title"]["text"], "Lines");
    EXPECT_EQ(tree["colors"], json::array({greenAccent}));
    EXPECT_EQ(tree["plotOptions"]["series"]["marker"]["radius"], 0.0);
    EXPECT_EQ(tree["series"], json::parse(R"J([
        {"name": "a", "data": [[0.0, 0.0], [3.0, 4.0]]},
        {"name": "a", "data": [[0.0, 0.0], [3.0, 4.0]], "marker": {"radius": 5.0, "lineWidth": 0.0}}
    ])J"));
    EXPECT_EQ(drawnTree(LineChartManager::makeLineChart(*line("a", 3, 5, "#123456"), frame)->chartView)["colors"],
              json::array({"#123456"}));
}

TEST_F(LineChartTest, DrawnLineHasItsSeriesColourAlongTheSegment) {
    auto data = line("f", 3, std::nullopt, "#ff0000");
    data->startPoint = {-2, -2};
    data->endPoint = {2, 2};
    data->markedPoints = {};
    const auto view = LineChartManager::makeLineChart(*data, {0, 0, 360, 240});
    const json tree = drawnTree(view->chartView);
    ASSERT_FALSE(tree.is_null());
    const auto image = snapshot(*view);
    const AAChartRenderer layout(AAOptions(tree), view->chartView->bounds().size, false);
    for (const double t : {-1.5, -0.5, 0.5, 1.5}) {
        const CGPoint onLine = layout.frame().location(t, t);
        EXPECT_TRUE(nearColor(image->colorAtPoint(onLine), {1, 0, 0, 1}, 0.2)) << "at " << t;
        const CGPoint offLine = layout.frame().location(t, -t);
        EXPECT_FALSE(nearColor(image->colorAtPoint(offLine), {1, 0, 0, 1}, 0.3)) << "beside " << t;
    }
}

TEST_F(LineChartTest, CombinedLinesShareAWindowFromZeroAndLabelTheirLengths) {
    const auto view = LineChartManager::makeCombinedLineChart(
        {line("function f", 4.2, 5, "#ff0000"), line("g", 1, std::nullopt)}, frame);
    ASSERT_NE(view, nullptr);
    const json tree = drawnTree(view->chartView);
    for (const char* axis : {"xAxis", "yAxis"}) {
        EXPECT_EQ(tree[axis]["min"], 0.0) << axis;
        EXPECT_EQ(tree[axis]["max"], 5.0) << axis;
        EXPECT_EQ(tree[axis]["tickPositions"], json::parse("[0.0, 1.25, 2.5, 3.75, 5.0]")) << axis;
    }
    EXPECT_EQ(tree["yAxis"]["title"]["text"], "y");
    EXPECT_FALSE(tree.contains("colors"));
    ASSERT_EQ(tree["series"].size(), 4u);
    EXPECT_EQ(tree["series"][0], json::parse(R"J({"name": "func f", "data": [[0.0, 0.0], [3.0, 4.0]],
                                                   "color": "#ff0000"})J"));
    EXPECT_EQ(tree["series"][1]["name"], "func f");
    EXPECT_EQ(tree["series"][1]["dataLabels"], json::parse(R"J({"enabled": true, "format": "function f = 5.0",
                                                                 "style": {"color": "#000000", "textOutline": 0.0}})J"));
    EXPECT_EQ(tree["series"][2]["color"], greenAccent);
    EXPECT_EQ(tree["series"][3]["dataLabels"]["format"], "g");
    EXPECT_EQ(LineChartManager::makeCombinedLineChart({}, frame), nullptr);
}

TEST_F(LineChartTest, DistributionFunctionIsLedInAndOutOneUnitBeyondItsPairs) {
    EXPECT_EQ(LineChartManager::extendedDistributionData(distribution(false)),
              (std::vector<std::vector<double>>{{0, 0}, {1, 0.2}, {2, 0.7}, {3, 1.0}, {4, 1}}));
    EXPECT_EQ(LineChartManager::extendedDistributionData(distribution(true)),
              (std::vector<std::vector<double>>{{0, 1}, {1, 0.2}, {2, 0.7}, {3, 1.0}, {4, 0}}));

    DistributionFunctionChartData empty = distribution(false);
    empty.dataSet = {};
    EXPECT_TRUE(LineChartManager::extendedDistributionData(empty).empty());
    empty.dataSet = {{}, {2, 0.5}};
    EXPECT_EQ(LineChartManager::extendedDistributionData(empty), empty.dataSet);
}

TEST_F(LineChartTest, DistributionFunctionIsAStepLineWithMarkedJumps) {
    const json tree = drawnTree(LineChartManager::makeDistributionFunctionChart(distribution(false), frame)->chartView);
    ASSERT_EQ(tree["series"].size(), 2u);
    EXPECT_EQ(tree["series"][0], json::parse(R"J({"name": "F(x)", "data": [[1.0, 0.2], [2.0, 0.7], [3.0, 1.0]],
                                                   "step": "left", "marker": {"radius": 5.0}})J"));
    EXPECT_EQ(tree["series"][1]["step"], "left");
    EXPECT_EQ(tree["series"][1]["data"].size(), 5u);
    EXPECT_EQ(tree["xAxis"]["title"]["text"], "x");
    EXPECT_EQ(tree["yAxis"]["title"]["text"], "F(x)");
    EXPECT_EQ(tree["xAxis"]["minorTickInterval"], "auto");
    EXPECT_EQ(tree["yAxis"]["minorTickInterval"], "auto");
    EXPECT_FALSE(tree["yAxis"].contains("min"));
    EXPECT_EQ(tree["colors"], json::array({greenAccent}));
}
