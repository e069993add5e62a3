#include "ChartsTestSupport.h"

#include "charts/ChartOptionBuilder.h"
#include "engine/KivoColor.h"
#include "platform/chartkit/AAChartRenderer.h"
#include "platform/chartkit/AAJavaScriptEngine.h"

#include <limits>
#include <utility>

using nlohmann::json;

namespace {

class ChartOptionBuilderTest : public ChartsTest {
  protected:
    std::string format(const std::string& formatter, double value) {
        const std::optional<int> function = engine.compileFunction(formatter);
        if (!function)
            return "<no function>";
        return engine.callWithValue(*function, value).value_or("<no text>");
    }

    AAJavaScriptEngine engine;
};

} // namespace

TEST_F(ChartOptionBuilderTest, AxesTickEveryQuarterOfTheirMaximumUnlessABoundIsMissingOrTrigonometric) {
    const json symmetric = ChartOptionBuilder::makeYAxis("f(x)", -4, 4).toJSON();
    EXPECT_EQ(symmetric["tickPositions"], json::parse("[-4.0, -3.0, -2.0, -1.0, 0.0, 1.0, 2.0, 3.0, 4.0]"));
    EXPECT_EQ(symmetric["minorTickInterval"], 0.2);
    EXPECT_EQ(symmetric["title"]["text"], "f(x)");
    EXPECT_EQ(symmetric["gridLineWidth"], 0.25);
    EXPECT_EQ(symmetric["labels"]["style"]["color"], "#8e8e93") << "grey labels, as the axis lines";

    const json fromZero = ChartOptionBuilder::makeXAxis("x", 0, 10, false).toJSON();
    EXPECT_EQ(fromZero["tickPositions"], json::parse("[0.0, 2.5, 5.0, 7.5, 10.0]"));

    // An axis with a missing bound or a maximum of zero leaves the ticks to the chart.
    for (const json& axis : {ChartOptionBuilder::makeYAxis("y", std::nullopt, 4).toJSON(),
                             ChartOptionBuilder::makeXAxis("x", -4, std::nullopt, false).toJSON()}) {
        EXPECT_EQ(axis["minorTickInterval"], "auto");
        EXPECT_FALSE(axis.contains("min"));
        EXPECT_FALSE(axis.contains("max"));
        EXPECT_FALSE(axis.contains("tickPositions"));
        EXPECT_EQ(axis["labels"]["formatter"], ChartOptionBuilder::valueFormatter);
    }
    const json zeroMax = ChartOptionBuilder::makeYAxis("y", -2, 0).toJSON();
    EXPECT_EQ(zeroMax["min"], -2.0) << "the bounds stay";
    EXPECT_FALSE(zeroMax.contains("tickPositions"));
    EXPECT_EQ(zeroMax["minorTickInterval"], "auto");

    // A trigonometric axis steps by almost half pi with pi labels.
    const json axis = ChartOptionBuilder::makeXAxis("x", -1, 1, true).toJSON();
    EXPECT_EQ(axis["tickInterval"], 1.5705);
    EXPECT_EQ(axis["labels"]["formatter"], ChartOptionBuilder::multiplesOfPiFormatter);
    for (const char* key : {"min", "max", "tickPositions", "minorTickInterval"})
        EXPECT_FALSE(axis.contains(key)) << key;
}

TEST_F(ChartOptionBuilderTest, TickValuesStopAtTheEndAndRefuseStepsThatNeverGetThere) {
    EXPECT_EQ(ChartOptionBuilder::tickValues(0, 1, 0.25), (std::vector<double>{0, 0.25, 0.5, 0.75, 1}));
    EXPECT_EQ(ChartOptionBuilder::tickValues(0, 1, 0.3),
              (std::vector<double>{0, 0.3, 0.6, 0.8999999999999999}));
    for (const double by : {0.0, -0.25, std::nan("")})
        EXPECT_TRUE(ChartOptionBuilder::tickValues(0, 1, by).empty()) << by;
    EXPECT_TRUE(ChartOptionBuilder::tickValues(0, std::numeric_limits<double>::infinity(), 1).empty());
    EXPECT_TRUE(ChartOptionBuilder::tickValues(-1e12, 1, 0.25).empty());
}

TEST_F(ChartOptionBuilderTest, ChartOptionsCarryLegendLanguageCrosshairsAndTheSilencedSeriesClick) {
    AAChartModel model = ChartOptionBuilder::makeChartModel();
    model.chartType(AAChartType::line).series({AASeriesElement().name("f").data({{0, 0}, {1, 1}})});
    const json tree =
        ChartOptionBuilder::makeChartOptions(model, "x", -4, 4, "f", std::nullopt, std::nullopt, false)
            .toJSON();

    EXPECT_EQ(tree["legend"], json::parse(R"J({
        "enabled": true, "itemMarginTop": 20.0, "itemMarginBottom": 10.0, "itemDistance": 20.0, "symbolWidth": 20.0,
        "verticalAlign": "bottom", "align": "center", "layout": "horizontal",
        "itemStyle": {"color": "red", "fontSize": 20.0, "fontWeight": "bold"}
    })J"));
    EXPECT_EQ(tree["lang"]["thousandsSep"], ",");
    EXPECT_EQ(tree["plotOptions"]["series"]["events"]["click"], "function() { return false; }");
    const json crosshair =
        json::parse(R"J({"color": "#000000", "dashStyle": "longDashDotDot", "width": 1.5})J");
    EXPECT_EQ(tree["xAxis"]["crosshair"], crosshair);
    EXPECT_EQ(tree["yAxis"]["crosshair"], crosshair);
    EXPECT_EQ(tree["tooltip"]["headerFormat"], "x: {point.key}<br/>");
    EXPECT_EQ(tree["tooltip"]["pointFormat"], "f: {point.y}<br/>");
}

// In dark mode the tooltip takes the app's background and label colours and drops the shadow.
TEST_F(ChartOptionBuilderTest, TooltipKeepsTheLibrarysLookInLightModeAndMatchesTheAppInDarkMode) {
    const json light = ChartOptionBuilder::makeTooltip("x", "f(x)").toJSON();
    EXPECT_EQ(light,
              json::parse(R"J({"headerFormat": "x: {point.key}<br/>", "pointFormat": "f(x): {point.y}<br/>",
                                     "followPointer": false})J"));

    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::dark));
    const json dark = ChartOptionBuilder::makeTooltip("x", "f(x)").toJSON();
    EXPECT_EQ(dark["backgroundColor"], "#000000");
    EXPECT_EQ(dark["borderColor"], "#ffffff");
    EXPECT_EQ(dark["borderWidth"], 0.5);
    EXPECT_EQ(dark["style"], json::parse(R"J({"color": "#ffffff"})J"));
    EXPECT_EQ(dark["shadow"], false);
    EXPECT_EQ(dark["headerFormat"], light["headerFormat"]);
}

// The value formatter shows at most two decimals; the pi formatter names the nearest multiple of half pi.
TEST_F(ChartOptionBuilderTest, FormattersTurnTickValuesIntoLabelTexts) {
    const auto expectTexts = [&](const std::string& formatter,
                                 std::vector<std::pair<double, std::string>> cases) {
        for (const auto& [number, text] : cases)
            EXPECT_EQ(format(formatter, number), text) << number;
    };
    expectTexts(ChartOptionBuilder::valueFormatter,
                {{0.125, "0.13"}, {2, "2"}, {0.1 + 0.2, "0.3"}, {-0.001, "0"}, {12345.678, "12345.68"}});
    const std::string& pi = ChartOptionBuilder::multiplesOfPiFormatter;
    expectTexts(pi, {{1.5705, "π/2"}, {-3.141, "-π"}, {-4.712, "-3π/2"}, {6.283, "2π"}, {-0.2, "0"}});

    // The chart writes its axis labels through the formatters.
    AAChartModel model = ChartOptionBuilder::makeChartModel();
    model.chartType(AAChartType::spline)
        .series({AASeriesElement().name("sin(x)").data({{0, 0}, {6.272, -0.011}})});
    const AAChartRenderer chart(ChartOptionBuilder::makeChartOptions(model, "x", std::nullopt, std::nullopt,
                                                                     "sin(x)", -0.5, 0.5, true),
                                {360, 180});
    EXPECT_EQ(chart.xLabels(), (std::vector<std::string>{"0", "π/2", "π", "3π/2", "2π"}));
    EXPECT_EQ(chart.yLabels(), (std::vector<std::string>{"-0.5", "-0.37", "-0.25", "-0.12", "0", "0.13",
                                                         "0.25", "0.38", "0.5"}));
}

TEST(ChartColors, HexTextsTruncateEachComponent) {
    EXPECT_EQ(KivoColor::hexString(UIColor(0.999, 0.999, 0.999, 1)), "#fefefe");
    EXPECT_EQ(KivoColor::hexString(UIColor(1, 0.5, 0, 1)), "#ff7f00");
    EXPECT_EQ(KivoColor::hexString(UIColor(0, 0.9, 0.46, 0.3)), "#00e575");
}
