#include "platform/math/MathParser.h"
#include "platform/math/MathTypesetter.h"

#include "tests/math/WorkedExampleSteps.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const MathTypesetter& typesetter() {
    static const MathTypesetter t(*MathFont::latinModernMath(20));
    return t;
}

// Parsing and layout of every step of the five-value sample statistics solution.
void BM_TypesetSampleStatisticsSteps(benchmark::State& state) {
    const std::vector<std::string> steps = workedExample::sampleStatisticsSteps();
    for (auto _ : state) {
        for (std::string_view step : steps) {
            const MathParseResult result = MathParser::parse(step);
            benchmark::DoNotOptimize(typesetter().typeset(*result.formula));
        }
    }
}
BENCHMARK(BM_TypesetSampleStatisticsSteps)->Unit(benchmark::kMicrosecond);

// The input echo of a random variable with the given number of values, as the history shows it.
std::string inputEcho(std::int64_t terms) {
    std::string values = "x_i = [";
    std::string probabilities = R"( \\ P\left(X = x_i\right) = [)";
    for (std::int64_t i = 0; i < terms; ++i) {
        values += std::to_string(i % 1000 - 300) + ";";
        probabilities += "0.0" + std::to_string(i % 9 + 1) + ";";
    }
    values.back() = ']';
    probabilities.back() = ']';
    return values + probabilities;
}

void BM_TypesetInputEcho(benchmark::State& state) {
    const std::string latex = inputEcho(state.range(0));
    for (auto _ : state) {
        const MathParseResult result = MathParser::parse(latex);
        benchmark::DoNotOptimize(typesetter().typeset(*result.formula));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TypesetInputEcho)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// A stored formula of nothing but line breaks (500,000 of them fill the longest the parser takes).
void BM_TypesetLineBreaks(benchmark::State& state) {
    const std::string latex(static_cast<std::size_t>(2 * state.range(0)), '\\');
    for (auto _ : state) {
        const MathParseResult result = MathParser::parse(latex);
        benchmark::DoNotOptimize(typesetter().typeset(*result.formula));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TypesetLineBreaks)->Arg(50000)->Arg(500000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

BENCHMARK_MAIN();
