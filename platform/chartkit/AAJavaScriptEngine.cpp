#include "platform/chartkit/AAJavaScriptEngine.h"

#include <duktape.h>

AAJavaScriptEngine::AAJavaScriptEngine() : context_(duk_create_heap_default()) {}

AAJavaScriptEngine::~AAJavaScriptEngine() {
    if (context_ != nullptr)
        duk_destroy_heap(context_);
}

std::optional<int> AAJavaScriptEngine::compileFunction(std::string_view source) {
    if (context_ == nullptr)
        return std::nullopt;
    // Compiled as a function expression, nothing of the text runs before a label asks for it.
    if (duk_pcompile_lstring(context_, DUK_COMPILE_FUNCTION, source.data(), source.size()) != 0 ||
        !duk_is_function(context_, -1)) {
        duk_pop(context_);
        return std::nullopt;
    }
    duk_push_heap_stash(context_);
    duk_swap_top(context_, -2);
    const int handle = functionCount_++;
    duk_put_prop_index(context_, -2, static_cast<duk_uarridx_t>(handle));
    duk_pop(context_);
    return handle;
}

std::optional<std::string> AAJavaScriptEngine::callWithValue(int function, double value) {
    if (context_ == nullptr || function < 0 || function >= functionCount_)
        return std::nullopt;
    duk_push_heap_stash(context_);
    duk_get_prop_index(context_, -1, static_cast<duk_uarridx_t>(function));
    duk_push_object(context_);
    duk_push_number(context_, value);
    duk_put_prop_string(context_, -2, "value");
    std::optional<std::string> text;
    if (duk_pcall_method(context_, 0) == DUK_EXEC_SUCCESS && !duk_is_null_or_undefined(context_, -1)) {
        duk_size_t length = 0;
        const char* result = duk_safe_to_lstring(context_, -1, &length);
        if (length > 0)
            text = std::string(result, length);
    }
    duk_pop_2(context_);
    return text;
}
