#include "ChartSamples.h"
#include "ChartsTestSupport.h"

#include "charts/LineChartManager.h"

using nlohmann::json;

namespace {

const CGRect frame{20, 10, 360, 180};

class LineChartTest : public ChartsTest {};

} // namespace

TEST_F(LineChartTest, LineIsDrawnInASquareWindowOfItsAxisLimit) {
    const json tree =
        drawnTree(LineChartManager::makeLineChart(*samples::line("a", {0, 0}, {3, 4}, -3), frame)->chartView);
    ASSERT_FALSE(tree.is_null());
    for (const char* axis : {"xAxis", "yAxis"}) {
        EXPECT_EQ(tree[axis]["min"], -3.0) << axis;
        EXPECT_EQ(tree[axis]["max"], 3.0) << axis;
        EXPECT_EQ(tree[axis]["tickPositions"],
                  json::parse("[-3.0, -2.25, -1.5, -0.75, 0.0, 0.75, 1.5, 2.25, 3.0]"));
        EXPECT_EQ(tree[axis]["minorTickInterval"], 0.15) << axis;
    }
    EXPECT_EQ(tree["yAxis"]["title"]["text"], "a");
    EXPECT_EQ(tree["series"], json::parse(R"J([
        {"name": "a", "data": [[0.0, 0.0], [3.0, 4.0]]},
        {"name": "a", "data": [[0.0, 0.0], [3.0, 4.0]], "marker": {"radius": 5.0, "lineWidth": 0.0}}
    ])J"));
}

TEST_F(LineChartTest, CombinedLinesShareAWindowFromZeroAndLabelTheirLengths) {
    const auto view = LineChartManager::makeCombinedLineChart(
        {samples::line("function f", {0, 0}, {3, 4}, 4.2, 5, "#ff0000"),
         samples::line("g", {0, 0}, {1, 1}, 1)},
        frame);
    ASSERT_NE(view, nullptr);
    const json tree = drawnTree(view->chartView);
    for (const char* axis : {"xAxis", "yAxis"})
        EXPECT_EQ(tree[axis]["tickPositions"], json::parse("[0.0, 1.25, 2.5, 3.75, 5.0]")) << axis;
    EXPECT_EQ(tree["yAxis"]["title"]["text"], "y") << "no single line names the axis";
    ASSERT_EQ(tree["series"].size(), 4u);
    EXPECT_EQ(tree["series"][0], json::parse(R"J({"name": "func f", "data": [[0.0, 0.0], [3.0, 4.0]],
                                                   "color": "#ff0000"})J"));
    EXPECT_EQ(tree["series"][1]["dataLabels"], json::parse(R"J({"enabled": true, "format": "function f = 5.0",
                                                                 "style": {"color": "#000000", "textOutline": 0.0}})J"));
    EXPECT_EQ(tree["series"][3]["dataLabels"]["format"], "g") << "a line without a length shows its name";
    EXPECT_EQ(LineChartManager::makeCombinedLineChart({}, frame), nullptr);
}

TEST_F(LineChartTest, DistributionFunctionIsAStepLineLedInAndOutOneUnitBeyondItsPairs) {
    EXPECT_EQ(LineChartManager::extendedDistributionData(
                  *samples::distribution({{1, 0.2}, {2, 0.7}, {3, 1}}, false, true)),
              (std::vector<std::vector<double>>{{0, 1}, {1, 0.2}, {2, 0.7}, {3, 1.0}, {4, 0}}));
    EXPECT_EQ(LineChartManager::extendedDistributionData(*samples::distribution({{}, {2, 0.5}})),
              (std::vector<std::vector<double>>{{}, {2, 0.5}}));

    const auto data = samples::distribution({{1, 0.2}, {2, 0.7}, {3, 1}});
    const json tree = drawnTree(LineChartManager::makeDistributionFunctionChart(*data, frame)->chartView);
    EXPECT_EQ(tree["series"], json::parse(R"J([
        {"name": "F(x)", "data": [[1.0, 0.2], [2.0, 0.7], [3.0, 1.0]], "step": "left", "marker": {"radius": 5.0}},
        {"name": "F(x)", "data": [[0.0, 0.0], [1.0, 0.2], [2.0, 0.7], [3.0, 1.0], [4.0, 1.0]], "step": "left"}
    ])J"));
    EXPECT_EQ(tree["yAxis"]["title"]["text"], "F(x)");
    for (const char* axis : {"xAxis", "yAxis"})
        EXPECT_EQ(tree[axis]["minorTickInterval"], "auto") << axis << ": the chart places its own ticks";
}
