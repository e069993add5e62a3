#include "ChartsTestSupport.h"

#include "charts/AreaChartManager.h"
#include "charts/SplineChartManager.h"

#include <numbers>

using nlohmann::json;

namespace {

const CGRect frame{0, 0, 360, 180};
const std::string greenAccent = "#00e575";

TrigonometricChartData trigonometric(TrigonometricType type, double length, double offset = 0, double amplitude = 1,
                                     double period = 2 * std::numbers::pi) {
    TrigonometricChartData data;
    data.frameRatio = 2;
    data.lengthOfGraph = length;
    data.offset = offset;
    data.periodLength = period;
    data.amplitude = amplitude;
    data.type = type;
    return data;
}

HistogramChartData histogram(std::vector<HistogramDataSet> sets) {
    HistogramChartData data;
    data.frameRatio = 2;
    data.chartTitle = "Histogram";
    data.dataName = "P(X = x)";
    data.xAxisName = "x";
    data.dataSetWithColorTheme = std::move(sets);
    return data;
}

class SplineChartTest : public ChartsTest {};
class AreaChartTest : public ChartsTest {};

} // namespace

TEST_F(SplineChartTest, SineOverAFullPeriodTakesSixtyFivePoints) {
    const auto points = SplineChartManager::samplePoints(trigonometric(TrigonometricType::sin, 2 * std::numbers::pi));
    ASSERT_EQ(points.size(), 65u);
    EXPECT_EQ(points.front(), (std::vector<double>{0, 0}));
    EXPECT_DOUBLE_EQ(points[1][0], 0.098);
    EXPECT_DOUBLE_EQ(points.back()[0], 64 * 0.098);
    EXPECT_EQ(points[16], (std::vector<double>{16 * 0.098, 1.0}));
    EXPECT_EQ(points[48][1], -1.0);
}

TEST_F(SplineChartTest, TangentIsSampledFarCloser) {
    const auto points = SplineChartManager::samplePoints(trigonometric(TrigonometricType::tan, std::numbers::pi));
    ASSERT_EQ(points.size(), 201u);
    EXPECT_DOUBLE_EQ(points[1][0], 0.016);
    // The step is rounded to 0.016, so x runs a little ahead of k π / 200: tan(0.8) is 1.03.
    EXPECT_DOUBLE_EQ(points[50][0], 0.8);
    EXPECT_DOUBLE_EQ(points[50][1], 1.03);
    EXPECT_GT(points[98][1], 50) << "values near the pole are large; the chart's y range clips them";
}

TEST_F(SplineChartTest, ShortGraphsTakeFiveAndOffsetsWidenTheRange) {
    const auto shortSine = SplineChartManager::samplePoints(trigonometric(TrigonometricType::sin, 0.1));
    ASSERT_EQ(shortSine.size(), 5u);
    EXPECT_DOUBLE_EQ(shortSine.back()[0], 4 * 0.025);

    // From -1 over 2 + |-1| = 3 units of 2 cos(2x).
    const auto cosine = SplineChartManager::samplePoints(
        trigonometric(TrigonometricType::cos, 2, -1, 2, std::numbers::pi));
    ASSERT_EQ(cosine.size(), 33u);
    EXPECT_EQ(cosine.front(), (std::vector<double>{-1, -0.832}));
    EXPECT_DOUBLE_EQ(cosine.back()[0], -1 + 32 * 0.094);
}

TEST_F(SplineChartTest, DescriptionsWithoutAUsableRangeGiveNoPoints) {
    TrigonometricChartData noType = trigonometric(TrigonometricType::sin, 1);
    noType.type.reset();
    EXPECT_TRUE(SplineChartManager::samplePoints(noType).empty());
    TrigonometricChartData noLength = trigonometric(TrigonometricType::sin, 1);
    noLength.lengthOfGraph.reset();
    EXPECT_TRUE(SplineChartManager::samplePoints(noLength).empty());
    EXPECT_TRUE(SplineChartManager::samplePoints(trigonometric(TrigonometricType::sin, 1, 0, 1, 0)).empty());
    EXPECT_TRUE(SplineChartManager::samplePoints(trigonometric(TrigonometricType::tan, -3)).empty());
    EXPECT_TRUE(SplineChartManager::samplePoints(trigonometric(TrigonometricType::sin, std::nan(""))).empty());
    EXPECT_TRUE(SplineChartManager::samplePoints(trigonometric(TrigonometricType::tan, 1e6)).empty());
}

TEST_F(SplineChartTest, TangentChartIsAScatterClippedToTwiceTheAmplitude) {
    const auto view = SplineChartManager::makeTrigonometricChart(trigonometric(TrigonometricType::tan, std::numbers::pi, 0, 1.5), frame);
    const json tree = drawnTree(view->chartView);
    EXPECT_EQ(tree["chart"]["type"], "scatter");
    EXPECT_EQ(tree["title"]["text"], "tan");
    EXPECT_EQ(tree["colors"], json::array({"#00E13A"}));
    EXPECT_EQ(tree["plotOptions"]["series"]["marker"]["radius"], 1.0);
    EXPECT_EQ(tree["series"][0]["name"], "tan(x)");
    EXPECT_EQ(tree["series"][0]["data"].size(), 201u);
    EXPECT_EQ(tree["yAxis"]["min"], -3.0);
    EXPECT_EQ(tree["yAxis"]["max"], 3.0);
    EXPECT_EQ(tree["yAxis"]["title"]["text"], "tan(x)");
    EXPECT_EQ(tree["xAxis"]["tickInterval"], 1.5705);
    EXPECT_FALSE(tree["xAxis"].contains("min"));
}

TEST_F(SplineChartTest, SineAndCosineChartsAreSplinesWithAnAutomaticYAxis) {
    const json sine = drawnTree(
        SplineChartManager::makeTrigonometricChart(trigonometric(TrigonometricType::sin, 6.3), frame)->chartView);
    EXPECT_EQ(sine["chart"]["type"], "spline");
    EXPECT_EQ(sine["colors"], json::array({"#FF0000"}));
    EXPECT_EQ(sine["series"][0]["name"], "sin(x)");
    EXPECT_EQ(sine["plotOptions"]["series"]["marker"]["radius"], 0.0);
    EXPECT_EQ(sine["yAxis"]["minorTickInterval"], "auto");
    const json cosine = drawnTree(
        SplineChartManager::makeTrigonometricChart(trigonometric(TrigonometricType::cos, 6.3), frame)->chartView);
    EXPECT_EQ(cosine["title"]["text"], "cos");
    EXPECT_EQ(cosine["colors"], json::array({"#000CFF"}));
}

TEST_F(SplineChartTest, PointListsShareOneChartWithTheirOwnColours) {
    auto first = std::make_shared<CommonSplineChartData>();
    first->chartTitle = "Curves";
    first->dataName = "function g";
    first->chartColorHexCode = "#112233";
    first->dataSet = {{0, 1}, {1, 2}};
    auto second = std::make_shared<CommonSplineChartData>();
    second->chartTitle = "ignored";
    second->dataName = "h";
    second->dataSet = {{0, 0}, {1, 1}};
    const json tree = drawnTree(SplineChartManager::makeSplineChart({first, second}, frame)->chartView);
    EXPECT_EQ(tree["title"]["text"], "Curves");
    EXPECT_EQ(tree["colors"], json::array({"#112233", greenAccent}));
    EXPECT_EQ(tree["series"][0]["name"], "func g");
    EXPECT_EQ(tree["series"][1], json::parse(R"J({"name": "h", "data": [[0.0, 0.0], [1.0, 1.0]]})J"));
    EXPECT_EQ(tree["yAxis"]["title"]["text"], "y");
    EXPECT_FALSE(tree["xAxis"].contains("tickInterval"));
    EXPECT_EQ(SplineChartManager::makeSplineChart({}, frame), nullptr);
}

TEST_F(AreaChartTest, HistogramStepsAreClosedToZeroOneUnitBeyondEachEnd) {
    const HistogramChartData data = histogram({});
    std::vector<AASeriesElement> series;
    AreaChartManager::appendHistogramSeries("#abcdef", {{1, 0.2}, {2, 0.5}, {3, 0.3}}, data, series);
    ASSERT_EQ(series.size(), 1u);
    EXPECT_EQ(series[0].toJSON(), json::parse(R"J({"name": "P(X = x)", "step": "center", "color": "#abcdef",
        "data": [[0.0, 0.0], [1.0, 0.2], [2.0, 0.5], [3.0, 0.3], [4.0, 0.0]]})J"));

    AreaChartManager::appendHistogramSeries(std::nullopt, {{3, 0.1}, {1, 0.6}, {2, 0.3}}, data, series);
    ASSERT_EQ(series.size(), 2u);
    EXPECT_EQ(series[1].toJSON()["data"], json::parse("[[0.0, 0.0], [3.0, 0.1], [1.0, 0.6], [2.0, 0.3], [4.0, 0.0]]"));
    EXPECT_EQ(series[1].toJSON()["color"], greenAccent);

    AreaChartManager::appendHistogramSeries(std::nullopt, {{}, {2, 0.5}}, data, series);
    EXPECT_EQ(series[2].toJSON()["data"].front(), json::parse("[-1.0, 0.0]"));
    EXPECT_EQ(series[2].toJSON()["data"].back(), json::parse("[3.0, 0.0]"));

    AreaChartManager::appendHistogramSeries(std::nullopt, {}, data, series);
    EXPECT_EQ(series.size(), 3u);
}

TEST_F(AreaChartTest, EachDataSetBecomesAFilledSeriesInItsOrder) {
    const auto view = AreaChartManager::makeHistogramChart(
        histogram({{"#ff0000", {{1, 0.5}, {2, 0.5}}}, {std::nullopt, {{1, 0.25}, {2, 0.75}}}}), frame);
    EXPECT_EQ(view->chartView->frame(), frame);
    EXPECT_EQ(view->autoresizingMask(), 18u);
    EXPECT_EQ(view->chartView->backgroundColor(), UIColor::systemBackgroundColor());
    EXPECT_FLOAT_EQ(view->chartView->layer()->shadowOpacity(), 0.5f);
    const json tree = drawnTree(view->chartView);
    EXPECT_EQ(tree["chart"]["type"], "area");
    EXPECT_FALSE(tree.contains("colors"));
    ASSERT_EQ(tree["series"].size(), 2u);
    EXPECT_EQ(tree["series"][0]["color"], "#ff0000");
    EXPECT_EQ(tree["series"][1]["color"], greenAccent);
    EXPECT_EQ(tree["xAxis"]["title"]["text"], "x");
    EXPECT_EQ(tree["yAxis"]["title"]["text"], "P(X = x)");
    EXPECT_EQ(tree["plotOptions"]["series"]["marker"]["radius"], 0.0);
}
