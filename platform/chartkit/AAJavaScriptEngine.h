#pragma once

#include <optional>
#include <string>
#include <string_view>

struct duk_hthread;

// One Duktape heap in which a chart compiles its formatter functions once and calls them per
// label. Nothing a script does escapes as an exception: failures come back as absent results.
class AAJavaScriptEngine {
  public:
    AAJavaScriptEngine();
    ~AAJavaScriptEngine();
    AAJavaScriptEngine(const AAJavaScriptEngine&) = delete;
    AAJavaScriptEngine& operator=(const AAJavaScriptEngine&) = delete;

    // Compiles the text of a function expression; the handle to call it, or nothing when the text
    // does not compile to a function.
    std::optional<int> compileFunction(std::string_view source);

    // Calls a compiled function with this.value bound to value. Its result as text, or nothing when
    // the call throws or returns undefined, null or an empty text.
    std::optional<std::string> callWithValue(int function, double value);

  private:
    duk_hthread* context_;
    int functionCount_ = 0;
};
