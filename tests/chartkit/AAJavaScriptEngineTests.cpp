#include "platform/chartkit/AAJavaScriptEngine.h"

#include <gtest/gtest.h>

TEST(AAJavaScriptEngine, ResultsReadAsJavaScriptWritesThemAndFailingOrSilentFunctionsGiveNoText) {
    AAJavaScriptEngine engine;
    const auto value = engine.compileFunction("function () { return this.value; }");
    const auto rounded = engine.compileFunction("function () { return Math.round(this.value * 100) / 100; }");
    const auto piText = engine.compileFunction("function () { return (this.value / 2) + \"π/2\"; }");
    ASSERT_TRUE(value && rounded && piText);
    EXPECT_EQ(engine.callWithValue(*value, 0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(engine.callWithValue(*value, 1e21), "1e+21");
    EXPECT_EQ(engine.callWithValue(*rounded, 0.125), "0.13");
    EXPECT_EQ(engine.callWithValue(*piText, 6), "3π/2") << "UTF-8 text comes back whole";

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

TEST(AAJavaScriptEngine, OnlyFunctionExpressionsCompileNothingRunsEarlyAndFunctionsShareOneHeap) {
    AAJavaScriptEngine engine;
    EXPECT_EQ(engine.compileFunction("function ( { return 1; }"), std::nullopt);
    EXPECT_EQ(engine.compileFunction("1 + 2"), std::nullopt);
    EXPECT_EQ(engine.compileFunction(""), std::nullopt);
    EXPECT_EQ(engine.compileFunction("ran = true; function () {}"), std::nullopt);
    const auto probe = engine.compileFunction("function () { return typeof ran; }");
    EXPECT_EQ(engine.callWithValue(probe.value(), 0), "undefined");
    EXPECT_EQ(engine.callWithValue(99, 0), std::nullopt);

    const auto count =
        engine.compileFunction("function () { calls = (typeof calls === 'number') ? calls + 1 : 1; "
                               "return calls; }");
    const auto read = engine.compileFunction("function () { return 'calls ' + calls; }");
    ASSERT_TRUE(count && read);
    EXPECT_EQ(engine.callWithValue(*count, 0), "1");
    EXPECT_EQ(engine.callWithValue(*count, 0), "2");
    EXPECT_EQ(engine.callWithValue(*read, 0), "calls 2");
    EXPECT_EQ(AAJavaScriptEngine().callWithValue(*count, 0), std::nullopt);
}
