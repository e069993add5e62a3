#pragma once

// The two label formatters the charts hand to the library, for tests and benchmarks (Duktape
// speaks ES5: var, not let).
namespace chart_formatters {

inline const char* const value = R"(function () {
    var factor = 100;
    return Math.round(this.value * factor) / factor;
})";

inline const char* const multiplesOfPi = R"(function () {
    var halfMultiple = Math.round(2 * this.value / Math.PI);
    if (halfMultiple == 0) { return "0"; }
    if (halfMultiple == 1) { return "π/2"; }
    if (halfMultiple == -1) { return "-π/2"; }
    if (halfMultiple == 2) { return "π"; }
    if (halfMultiple == -2) { return "-π"; }
    if (halfMultiple % 2 == 0) { return (halfMultiple / 2) + "π"; }
    return halfMultiple + "π/2";
})";

} // namespace chart_formatters
