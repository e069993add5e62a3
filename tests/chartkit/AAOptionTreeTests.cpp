#include "platform/chartkit/AAChartModel.h"
#include "platform/chartkit/AAJavaScriptEngine.h"
#include "platform/chartkit/AAOptionsConstructor.h"
#include "platform/chartkit/AAPureJSString.h"

#include <gtest/gtest.h>

using nlohmann::json;

TEST(AAOptionsConstructor, TurnsEveryModelSettingIntoTheOptionTree) {
    AAChartModel model;
    model.chartType(AAChartType::spline)
        .title("sin")
        .colorsTheme({"#FF0000"})
        .markerRadius(0)
        .style(AAStyle().color("#8e8e93"))
        .backgroundColor("#ffffff")
        .zoomType(AAChartZoomType::none)
        .legendEnabled(true)
        .dataLabelsEnabled(false)
        .series({AASeriesElement().name("sin(x)").data({{0, 0}, {1.5, 0.997}})});

    const json expected = json::parse(R"J({
        "chart": {"type": "spline", "backgroundColor": "#ffffff", "zoomType": "none",
                  "style": {"color": "#8e8e93"}},
        "title": {"text": "sin"},
        "colors": ["#FF0000"],
        "series": [{"name": "sin(x)", "data": [[0.0, 0.0], [1.5, 0.997]]}],
        "plotOptions": {"series": {"marker": {"radius": 0.0}, "dataLabels": {"enabled": false}}},
        "legend": {"enabled": true},
        "xAxis": {}, "yAxis": {}, "tooltip": {}
    })J");
    EXPECT_EQ(AAOptionsConstructor::configureChartOptions(model).toJSON(), expected);
}

TEST(AAOptionsConstructor, LeavesUnsetModelSettingsOut) {
    const json tree = AAOptionsConstructor::configureChartOptions(AAChartModel()).toJSON();
    EXPECT_EQ(tree["chart"], json::parse(R"J({"type": "line"})J"));
    EXPECT_FALSE(tree.contains("title"));
    EXPECT_FALSE(tree.contains("colors"));
    EXPECT_EQ(tree["series"], json::array());
    EXPECT_EQ(tree["plotOptions"], json::parse(R"J({"series": {}})J"));
}

TEST(AAOptionSetters, AxesHoldBoundsTicksLabelsAndCrosshair) {
    const auto axis =
        AAYAxis()
            .lineColor("#8e8e93")
            .lineWidth(0.5)
            .gridLineColor("#8e8e93")
            .gridLineWidth(0.25)
            .title(AATitle().text("f(x)"))
            .labels(AALabels().formatter("function () { return 1; }").style(AAStyle().color("#8e8e93")))
            .min(-4)
            .max(4)
            .tickPositions({-4, 0, 4})
            .minorTickInterval(0.2)
            .reversed(false)
            .crosshair(AACrosshair()
                           .color("#000000")
                           .dashStyle(AAChartLineDashStyleType::longDashDotDot)
                           .width(1.5));
    EXPECT_EQ(axis.toJSON(), json::parse(R"J({
        "lineColor": "#8e8e93", "lineWidth": 0.5, "gridLineColor": "#8e8e93", "gridLineWidth": 0.25,
        "title": {"text": "f(x)"},
        "labels": {"formatter": "function () { return 1; }", "style": {"color": "#8e8e93"}},
        "min": -4.0, "max": 4.0, "tickPositions": [-4.0, 0.0, 4.0], "minorTickInterval": 0.2,
        "reversed": false,
        "crosshair": {"color": "#000000", "dashStyle": "longDashDotDot", "width": 1.5}
    })J"));
    EXPECT_EQ(AAXAxis().minorTickInterval("auto").tickInterval(1.5705).toJSON(),
              json::parse(R"J({"minorTickInterval": "auto", "tickInterval": 1.5705})J"));
}

TEST(AAOptionSetters, OptionPartsReadBackChangeAndSetAgain) {
    AAOptions options = AAOptionsConstructor::configureChartOptions(AAChartModel());
    auto plotOptions = options.plotOptions();
    ASSERT_TRUE(plotOptions && plotOptions->series());
    auto series = *plotOptions->series();
    options.plotOptions(
        plotOptions->series(series.events(AASeriesEvents().click("function() { return false; }"))));
    EXPECT_EQ(options.toJSON()["plotOptions"]["series"]["events"]["click"], "function() { return false; }");

    options
        .legend(
            AALegend()
                .itemMarginTop(20)
                .itemMarginBottom(10)
                .itemDistance(20)
                .symbolWidth(20)
                .verticalAlign(AAChartVerticalAlignType::bottom)
                .align(AAChartAlignType::center)
                .layout(AAChartLayoutType::horizontal)
                .itemStyle(AAItemStyle().color("red").fontSize(20).fontWeight(AAChartFontWeightType::bold)))
        .lang(AALang().resetZoom("重置缩放比例").thousandsSep(","))
        .tooltip(AATooltip()
                     .headerFormat("x: {point.key}<br/>")
                     .pointFormat("f(x): {point.y}<br/>")
                     .followPointer(false));
    EXPECT_EQ(options.legend()->toJSON(), json::parse(R"J({
        "itemMarginTop": 20.0, "itemMarginBottom": 10.0, "itemDistance": 20.0, "symbolWidth": 20.0,
        "verticalAlign": "bottom", "align": "center", "layout": "horizontal",
        "itemStyle": {"color": "red", "fontSize": 20.0, "fontWeight": "bold"}
    })J"));
    EXPECT_EQ(options.toJSON()["lang"]["resetZoom"], "重置缩放比例");
    EXPECT_EQ(options.toJSON()["tooltip"]["pointFormat"], "f(x): {point.y}<br/>");

    EXPECT_FALSE(AAOptions().legend().has_value());
    EXPECT_FALSE(AAOptions().plotOptions().has_value());
}

TEST(AAPureJSString, FoldsAFunctionOntoOneLineThatStillRuns) {
    const std::string pure = aa_toPureJSString("\n  function() {\n        return false;\n    }\n");
    EXPECT_EQ(pure, "function() { return false; }");

    AAJavaScriptEngine engine;
    const auto function = engine.compileFunction(pure);
    ASSERT_TRUE(function.has_value());
    EXPECT_EQ(engine.callWithValue(*function, 0), "false");
}

TEST(AAPureJSString, DropsCommentsButKeepsStringLiterals) {
    const std::string pure = aa_toPureJSString("function () { // the label\n"
                                               "    /* multi\n line */ return \"a // b\" + 'c\\'d';\n"
                                               "}");
    EXPECT_EQ(pure, "function () {  return \"a // b\" + 'c\\'d'; }");
    AAJavaScriptEngine engine;
    EXPECT_EQ(engine.callWithValue(engine.compileFunction(pure).value(), 0), "a // bc'd");
}
