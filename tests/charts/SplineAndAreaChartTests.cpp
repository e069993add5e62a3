#include "ChartSamples.h"
#include "ChartsTestSupport.h"

#include "charts/AreaChartManager.h"
#include "charts/ChartOptionBuilder.h"
#include "charts/SplineChartManager.h"

using nlohmann::json;
using samples::trigonometric;

namespace {

const CGRect frame{0, 0, 360, 180};
const std::string greenAccent = "#00e575";
constexpr double pi = std::numbers::pi;

class SplineChartTest : public ChartsTest {};
class AreaChartTest : public ChartsTest {};

} // namespace

TEST_F(SplineChartTest, SamplesTakeSixtyFivePointsAPeriodTangentsFarMoreShortGraphsFive) {
    const auto sine = SplineChartManager::samplePoints(*trigonometric(TrigonometricType::sin, 2 * pi));
    ASSERT_EQ(sine.size(), 65u);
    EXPECT_EQ(sine[16], (std::vector<double>{16 * 0.098, 1.0}));

    const auto tangent = SplineChartManager::samplePoints(*trigonometric(TrigonometricType::tan, pi));
    ASSERT_EQ(tangent.size(), 201u);
    // The step is rounded to 0.016, so x runs a little ahead of k π / 200: tan(0.8) is 1.03.
    EXPECT_EQ(tangent[50], (std::vector<double>{0.8, 1.03}));
    EXPECT_GT(tangent[98][1], 50) << "values near the pole are large; the chart's y range clips them";

    const auto shortSine = SplineChartManager::samplePoints(*trigonometric(TrigonometricType::sin, 0.1));
    EXPECT_EQ(shortSine.size(), 5u);

    // From -1 over 2 + |-1| = 3 units of 2 cos(2x).
    const auto cosine =
        SplineChartManager::samplePoints(*trigonometric(TrigonometricType::cos, 2, -1, 2, pi));
    ASSERT_EQ(cosine.size(), 33u);
    EXPECT_EQ(cosine.front(), (std::vector<double>{-1, -0.832}));
    EXPECT_DOUBLE_EQ(cosine.back()[0], -1 + 32 * 0.094);
}

TEST_F(SplineChartTest, DescriptionsWithoutAUsableRangeGiveNoPoints) {
    auto noType = trigonometric(TrigonometricType::sin, 1);
    noType->type.reset();
    auto noLength = trigonometric(TrigonometricType::sin, 1);
    noLength->lengthOfGraph.reset();
    for (const auto& data :
         {noType, noLength, trigonometric(TrigonometricType::sin, 1, 0, 1, 0),
          trigonometric(TrigonometricType::tan, -3), trigonometric(TrigonometricType::sin, std::nan("")),
          trigonometric(TrigonometricType::tan, 1e6)})
        EXPECT_TRUE(SplineChartManager::samplePoints(*data).empty());
}

TEST_F(SplineChartTest, TangentIsAScatterClippedToTwiceTheAmplitudeAndSineASplineWithAnAutomaticYAxis) {
    const auto view =
        SplineChartManager::makeTrigonometricChart(*trigonometric(TrigonometricType::tan, pi, 0, 1.5), frame);
    const json tree = drawnTree(view->chartView);
    EXPECT_EQ(tree["chart"]["type"], "scatter");
    EXPECT_EQ(tree["plotOptions"]["series"]["marker"]["radius"], 1.0) << "a scatter shows only its markers";
    EXPECT_EQ(tree["series"][0]["data"].size(), 201u);
    EXPECT_EQ(tree["yAxis"]["min"], -3.0);
    EXPECT_EQ(tree["yAxis"]["max"], 3.0);

    const json sine = drawnTree(
        SplineChartManager::makeTrigonometricChart(*trigonometric(TrigonometricType::sin, 6.3), frame)
            ->chartView);
    EXPECT_EQ(sine["chart"]["type"], "spline");
    EXPECT_EQ(sine["yAxis"]["minorTickInterval"], "auto");
    EXPECT_EQ(sine["xAxis"]["labels"]["formatter"], ChartOptionBuilder::multiplesOfPiFormatter);

    // Each function has its colour.
    for (const auto& [type, colour] :
         std::vector<std::pair<TrigonometricType, std::string>>{{TrigonometricType::sin, "#FF0000"},
                                                                {TrigonometricType::cos, "#000CFF"},
                                                                {TrigonometricType::tan, "#00E13A"}})
        EXPECT_EQ(drawnTree(SplineChartManager::makeTrigonometricChart(*trigonometric(type, 6.3), frame)
                                ->chartView)["colors"],
                  json::array({colour}))
            << colour;
}

TEST_F(SplineChartTest, PointListsShareOneChartWithTheirOwnColours) {
    const json tree = drawnTree(
        SplineChartManager::makeSplineChart({samples::spline("function g", {{0, 1}, {1, 2}}, "#112233"),
                                             samples::spline("h", {{0, 0}, {1, 1}})},
                                            frame)
            ->chartView);
    EXPECT_EQ(tree["colors"], json::array({"#112233", greenAccent}));
    EXPECT_EQ(tree["series"][0]["name"], "func g");
    EXPECT_EQ(tree["series"][1], json::parse(R"J({"name": "h", "data": [[0.0, 0.0], [1.0, 1.0]]})J"));
    EXPECT_EQ(SplineChartManager::makeSplineChart({}, frame), nullptr);
}

TEST_F(AreaChartTest, HistogramStepsAreClosedToZeroOneUnitBeyondEachEnd) {
    const auto data = samples::histogram({});
    std::vector<AASeriesElement> series;
    AreaChartManager::appendHistogramSeries("#abcdef", {{1, 0.2}, {2, 0.5}, {3, 0.3}}, *data, series);
    ASSERT_EQ(series.size(), 1u);
    EXPECT_EQ(series[0].toJSON(), json::parse(R"J({"name": "P(X = x)", "step": "center", "color": "#abcdef",
        "data": [[0.0, 0.0], [1.0, 0.2], [2.0, 0.5], [3.0, 0.3], [4.0, 0.0]]})J"));

    AreaChartManager::appendHistogramSeries(std::nullopt, {{3, 0.1}, {1, 0.6}, {2, 0.3}}, *data, series);
    ASSERT_EQ(series.size(), 2u);
    EXPECT_EQ(series[1].toJSON()["data"],
              json::parse("[[0.0, 0.0], [3.0, 0.1], [1.0, 0.6], [2.0, 0.3], [4.0, 0.0]]"));
    EXPECT_EQ(series[1].toJSON()["color"], greenAccent);

    AreaChartManager::appendHistogramSeries(std::nullopt, {{}, {2, 0.5}}, *data, series);
    EXPECT_EQ(series[2].toJSON()["data"].front(), json::parse("[-1.0, 0.0]"));
    AreaChartManager::appendHistogramSeries(std::nullopt, {}, *data, series);
    EXPECT_EQ(series.size(), 3u);
}

TEST_F(AreaChartTest, EachDataSetBecomesAFilledSeriesInItsOrder) {
    const auto view = AreaChartManager::makeHistogramChart(
        *samples::histogram({{"#ff0000", {{1, 0.5}, {2, 0.5}}}, {std::nullopt, {{1, 0.25}, {2, 0.75}}}}),
        frame);
    const json tree = drawnTree(view->chartView);
    EXPECT_EQ(tree["chart"]["type"], "area");
    EXPECT_EQ(tree["yAxis"]["title"]["text"], "P(X = x)");
    ASSERT_EQ(tree["series"].size(), 2u);
    EXPECT_EQ(tree["series"][0]["color"], "#ff0000");
    EXPECT_EQ(tree["series"][1]["color"], greenAccent);
}
