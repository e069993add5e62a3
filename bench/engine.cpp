#include "engine/CalcManager.h"
#include "engine/EnglishDecimalText.h"
#include "engine/KivoOmbrel.h"
#include "engine/KivoStringOutput.h"
#include "engine/LocalizedString.h"
#include "platform/foundation/Bundle.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>

namespace {

// Values cycle through negative and positive whole numbers. Every row but the first has the
// probability 2^-14 and the first takes the rest: exact binary fractions, so that the double sum is
// exactly 1 and tables of every size are made of the same rows.
std::vector<KivoOmbrel::Row> tableOf(std::size_t rows) {
    const double share = 1.0 / 16384;
    const double first = 1.0 - static_cast<double>(rows - 1) * share;
    std::vector<KivoOmbrel::Row> table;
    for (std::size_t i = 0; i < rows; ++i)
        table.emplace_back(std::to_string(static_cast<long>(i % 97) - 40),
                           englishDecimalText(i == 0 ? first : share, 20));
    return table;
}

void prepareBundle() {
    static const bool prepared = [] {
        Bundle::setMainBundlePath(OMBREL_BUNDLE_DIR);
        return true;
    }();
    (void)prepared;
}

void calculate(benchmark::State& state, std::int64_t mode) {
    prepareBundle();
    const std::vector<KivoOmbrel::Row> table = tableOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        KivoStringOutput::shared()->solutionSteps.clear();
        CalculatorResult result = KivoOmbrel().readEventsAndProbabilities(table, mode);
        if (!result.solutionSteps)
            state.SkipWithError(result.error->c_str());
        benchmark::DoNotOptimize(result);
    }
}

void BM_ReadEventsSampleStatistics(benchmark::State& state) {
    calculate(state, 0);
}
BENCHMARK(BM_ReadEventsSampleStatistics)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReadEventsRandomVariable(benchmark::State& state) {
    calculate(state, 1);
}
BENCHMARK(BM_ReadEventsRandomVariable)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Probabilities 1/p over the first primes p, p followed by i % zeroCycle zeros in row i: a common
// denominator is the product of all of them, and the sum (above 1) must still be refused.
std::vector<KivoOmbrel::Row> primeDenominatorTableOf(std::size_t rows, std::size_t zeroCycle) {
    std::vector<std::int64_t> primes;
    for (std::int64_t candidate = 2; primes.size() < rows; ++candidate)
        if (std::none_of(primes.begin(), primes.end(),
                         [candidate](std::int64_t p) { return p * p <= candidate && candidate % p == 0; }))
            primes.push_back(candidate);
    std::vector<KivoOmbrel::Row> table;
    for (std::size_t i = 0; i < rows; ++i)
        table.emplace_back(std::to_string(i),
                           "1/" + std::to_string(primes[i]) + std::string(i % zeroCycle, '0'));
    return table;
}

void refuseForItsSum(benchmark::State& state, const std::vector<KivoOmbrel::Row>& table) {
    prepareBundle();
    for (auto _ : state) {
        KivoStringOutput::shared()->solutionSteps.clear();
        CalculatorResult result = KivoOmbrel().readEventsAndProbabilities(table, 1);
        if (result.error != "sumOfProbabilitiesMustBe1")
            state.SkipWithError("the table was not refused for its sum");
        benchmark::DoNotOptimize(result);
    }
}

void BM_ReadEventsDistinctPrimeDenominators(benchmark::State& state) {
    refuseForItsSum(state, primeDenominatorTableOf(static_cast<std::size_t>(state.range(0)), 1));
}
BENCHMARK(BM_ReadEventsDistinctPrimeDenominators)->Arg(10000)->Unit(benchmark::kMillisecond);

// Denominators up to 10^300 times a prime: the powers of ten must not pile up in the common denominator.
void BM_ReadEventsDistinctPrimeTimesPowerOfTenDenominators(benchmark::State& state) {
    refuseForItsSum(state, primeDenominatorTableOf(static_cast<std::size_t>(state.range(0)), 300));
}
BENCHMARK(BM_ReadEventsDistinctPrimeTimesPowerOfTenDenominators)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_BeautifyInputEcho(benchmark::State& state) {
    prepareBundle();
    KivoStringOutput::shared()->solutionSteps.clear();
    const std::string echo = KivoOmbrel().inputEchoStep(1, tableOf(static_cast<std::size_t>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(KivoStringOutput::beautifyLatex(echo));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * echo.size()));
}
BENCHMARK(BM_BeautifyInputEcho)->Arg(10000)->Unit(benchmark::kMillisecond);

Calculation historyEntry(const std::string& value) {
    return Calculation{
        "x_i = [" + value + ";5;3;7;4] \\\\ P\\left(X = x_i\\right) = [0.3;0.25;0.4;0.04;0.01]",
        {{"event0", value}, {"probability0", "0.3"}, {"event1", "5"}, {"probability1", "0.25"}},
        {},
        LocalizedString::appKeyDictionary()};
}

// replaceExisting with an equal entry removes it first, which writes the list once more.
void addToLongHistory(benchmark::State& state, bool replacing) {
    std::random_device random;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("ombrel-bench-" + std::to_string(random()));
    {
        CalcManager manager(Defaults(std::make_shared<UserDefaults>(folder / "standard.plist")));
        std::vector<Calculation> history;
        for (std::int64_t i = 0; i < state.range(0); ++i)
            history.push_back(historyEntry(std::to_string(i)));
        manager.setCalculations(std::move(history));
        std::int64_t added = 0;
        for (auto _ : state)
            manager.addCalculation(
                historyEntry(replacing ? std::to_string(added++ % 2) : "new" + std::to_string(added++)),
                true);
        state.counters["entries"] = static_cast<double>(manager.calculations().size());
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void BM_AddCalculationToLongHistory(benchmark::State& state) {
    addToLongHistory(state, false);
}
BENCHMARK(BM_AddCalculationToLongHistory)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReplaceCalculationInLongHistory(benchmark::State& state) {
    addToLongHistory(state, true);
}
BENCHMARK(BM_ReplaceCalculationInLongHistory)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
