#include "platform/chartkit/AAChartModel.h"
#include "platform/chartkit/AAJavaScriptEngine.h"
#include "platform/chartkit/AAOptionsConstructor.h"
#include "platform/chartkit/AAPureJSString.h"

#include <gtest/gtest.h>

#include <array>

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

TEST(AAOptionSetters, OptionPartsReadBackChangeAndSetAgain) {
    AAOptions options = AAOptionsConstructor::configureChartOptions(AAChartModel());
    auto plotOptions = options.plotOptions();
    ASSERT_TRUE(plotOptions && plotOptions->series());
    auto series = *plotOptions->series();
    options.plotOptions(
        plotOptions->series(series.events(AASeriesEvents().click("function() { return false; }"))));
    EXPECT_EQ(options.toJSON()["plotOptions"]["series"]["events"]["click"], "function() { return false; }");

    EXPECT_FALSE(AAOptions().legend().has_value());
    EXPECT_FALSE(AAOptions().plotOptions().has_value());
}

// A function folded onto one line keeps its string literals, loses its comments and still runs.
TEST(AAPureJSString, FoldsAFunctionOntoOneLineThatStillRuns) {
    AAJavaScriptEngine engine;
    for (const auto& [source, pure, result] : std::vector<std::array<std::string, 3>>{
             {"\n  function() {\n        return false;\n    }\n", "function() { return false; }", "false"},
             {"function () { // the label\n    /* multi\n line */ return \"a // b\" + 'c\\'d';\n}",
              "function () {  return \"a // b\" + 'c\\'d'; }", "a // bc'd"}}) {
        EXPECT_EQ(aa_toPureJSString(source), pure);
        const auto function = engine.compileFunction(pure);
        ASSERT_TRUE(function.has_value()) << pure;
        EXPECT_EQ(engine.callWithValue(*function, 0), result);
    }
}
