#include "platform/chartkit/AAJavaScriptEngine.h"
#include "tests/chartkit/ChartFormatters.h"

#include <gtest/gtest.h>

TEST(AAJavaScriptEngine, ValueFormatterRoundsToTwoDecimals) {
    AAJavaScriptEngine engine;
    const auto function = engine.compileFunction(chart_formatters::value);
    ASSERT_TRUE(function.has_value());
    EXPECT_EQ(engine.callWithValue(*function, 0.125), "0.13");
    EXPECT_EQ(engine.callWithValue(*function, 2), "2");
    EXPECT_EQ(engine.callWithValue(*function, 0.1 + 0.2), "0.3");
    EXPECT_EQ(engine.callWithValue(*function, -0.75), "-0.75");
}

TEST(AAJavaScriptEngine, PiFormatterWritesHalfMultiplesOfPi) {
    AAJavaScriptEngine engine;
    const auto function = engine.compileFunction(chart_formatters::multiplesOfPi);
    ASSERT_TRUE(function.has_value());
    EXPECT_EQ(engine.callWithValue(*function, 1.5705), "π/2");
    EXPECT_EQ(engine.callWithValue(*function, 6.283), "2π");
    EXPECT_EQ(engine.callWithValue(*function, 4.712), "3π/2");
    EXPECT_EQ(engine.callWithValue(*function, -4.712), "-3π/2");
    EXPECT_EQ(engine.callWithValue(*function, 0.2), "0");
}

TEST(AAJavaScriptEngine, FailingOrSilentFunctionsGiveNoText) {
    AAJavaScriptEngine engine;
    const auto throwing = engine.compileFunction("function () { throw new Error('no label'); }");
    const auto undefinedResult = engine.compileFunction("function () { }");
    const auto nullResult = engine.compileFunction("function () { return null; }");
    const auto emptyText = engine.compileFunction("function () { return ''; }");
    const auto missingName = engine.compileFunction("function () { return notDefined.value; }");
    for (const auto& function : {throwing, undefinedResult, nullResult, emptyText, missingName}) {
        ASSERT_TRUE(function.has_value());
        EXPECT_EQ(engine.callWithValue(*function, 1), std::nullopt);
    }
    // The engine stays usable after a failure.
    const auto working = engine.compileFunction("function () { return this.value * 2; }");
    EXPECT_EQ(engine.callWithValue(working.value(), 21), "42");
}

TEST(AAJavaScriptEngine, OnlyFunctionExpressionsCompileAndNothingRunsEarly) {
    AAJavaScriptEngine engine;
    EXPECT_EQ(engine.compileFunction("function ( { return 1; }"), std::nullopt);
    EXPECT_EQ(engine.compileFunction("1 + 2"), std::nullopt);
    EXPECT_EQ(engine.compileFunction(""), std::nullopt);
    EXPECT_EQ(engine.compileFunction("ran = true; function () {}"), std::nullopt);
    const auto probe = engine.compileFunction("function () { return typeof ran; }");
    EXPECT_EQ(engine.callWithValue(probe.value(), 0), "undefined");
    EXPECT_EQ(engine.callWithValue(99, 0), std::nullopt);
}

TEST(AAJavaScriptEngine, FunctionsShareOneHeap) {
    AAJavaScriptEngine engine;
    const auto count = engine.compileFunction("function () { calls = (typeof calls === 'number') ? calls + 1 : 1; "
                                              "return calls; }");
    const auto read = engine.compileFunction("function () { return 'calls ' + calls; }");
    ASSERT_TRUE(count && read);
    EXPECT_EQ(engine.callWithValue(*count, 0), "1");
    EXPECT_EQ(engine.callWithValue(*count, 0), "2");
    EXPECT_EQ(engine.callWithValue(*read, 0), "calls 2");
    EXPECT_EQ(AAJavaScriptEngine().callWithValue(*count, 0), std::nullopt);
}
