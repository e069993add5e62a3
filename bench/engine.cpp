#include "engine/CalcManager.h"
#include "engine/ExactNumber.h"
#include "engine/KivoOmbrel.h"
#include "engine/KivoStringOutput.h"
#include "engine/LocalizedString.h"
#include "platform/foundation/Bundle.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>

namespace {

// Values cycle through negative and positive whole numbers. Every row but the last has a probability
// of 17 significant digits between 0.00005 and 0.0001 (a multiple of 10^-21), and the last takes the
// exact rest, so that the probabilities add up to exactly 1.
std::vector<KivoOmbrel::Row> tableOf(std::size_t rows) {
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<std::int64_t> digits(50000000000000000, 99999999999999999);
    std::vector<ExactNumber> probabilities;
    std::vector<KivoOmbrel::Row> table;
    for (std::size_t i = 0; i + 1 < rows; ++i) {
        const std::int64_t share = digits(random);
        probabilities.emplace_back(share, ExactNumber::powerOfTen(21));
        table.emplace_back(std::to_string(static_cast<long>(i % 97) - 40),
                           ExactNumber::decimalText(share, 21));
    }
    const ExactNumber rest = ExactNumber(1) - ExactNumber::sum(probabilities);
    table.emplace_back("7", rest.decimalText(21));
    return table;
}

void prepareBundle() {
    static const bool prepared = [] {
        Bundle::setMainBundlePath(OMBREL_BUNDLE_DIR);
        return true;
    }();
    (void)prepared;
}

void calculate(benchmark::State& state, const std::vector<KivoOmbrel::Row>& table, std::int64_t mode) {
    prepareBundle();
    for (auto _ : state) {
        KivoStringOutput::shared()->solutionSteps.clear();
        CalculatorResult result = KivoOmbrel().readEventsAndProbabilities(table, mode);
        if (!result.solutionSteps)
            state.SkipWithError(result.error->c_str());
        benchmark::DoNotOptimize(result);
    }
}

void BM_ReadEventsSampleStatistics(benchmark::State& state) {
    calculate(state, tableOf(static_cast<std::size_t>(state.range(0))), 0);
}
BENCHMARK(BM_ReadEventsSampleStatistics)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Values of both signs within 2^20 of the largest magnitude a value may have: the sum, the deviations
// and their squares leave 64 bits.
void BM_ReadEventsSampleStatisticsNearTwoToThe53(benchmark::State& state) {
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<std::int64_t> belowLargest(0, (1 << 20) - 1);
    std::vector<KivoOmbrel::Row> table;
    for (std::int64_t i = 0; i < state.range(0); ++i) {
        const std::int64_t magnitude = 9007199254740992 - belowLargest(random);
        table.emplace_back(std::to_string(i % 3 == 0 ? -magnitude : magnitude), "");
    }
    calculate(state, table, 0);
}
BENCHMARK(BM_ReadEventsSampleStatisticsNearTwoToThe53)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReadEventsRandomVariable(benchmark::State& state) {
    calculate(state, tableOf(static_cast<std::size_t>(state.range(0))), 1);
}
BENCHMARK(BM_ReadEventsRandomVariable)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The first primes from the given number on.
std::vector<std::int64_t> primesFrom(std::int64_t first, std::size_t count) {
    std::vector<std::int64_t> primes;
    for (std::int64_t candidate = std::max<std::int64_t>(first, 2); primes.size() < count; ++candidate) {
        bool prime = true;
        for (std::int64_t divisor = 2; divisor * divisor <= candidate && prime; ++divisor)
            prime = candidate % divisor != 0;
        if (prime)
            primes.push_back(candidate);
    }
    return primes;
}

// Probabilities 1/p over the first primes p, p followed by i % zeroCycle zeros in row i: a common
// denominator is the product of all of them, and the sum (above 1) must still be refused.
std::vector<KivoOmbrel::Row> primeDenominatorTableOf(std::size_t rows, std::size_t zeroCycle) {
    const std::vector<std::int64_t> primes = primesFrom(2, rows);
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

// Probabilities 1/p over the primes p above 10,000 (about 0.3 together), and a last row holding the
// exact rest as one fraction of some 40,000 digits over and under the bar: the expected value's
// denominator is the product of all the primes, and every row's numbers are computed exactly.
void BM_ReadEventsPrimeDenominatorsAndExactRest(benchmark::State& state) {
    prepareBundle();
    const std::vector<std::int64_t> primes = primesFrom(10001, static_cast<std::size_t>(state.range(0)) - 1);
    std::vector<KivoOmbrel::Row> table;
    std::vector<ExactNumber> probabilities;
    for (std::size_t i = 0; i < primes.size(); ++i) {
        table.emplace_back(std::to_string(static_cast<long>(i % 97) - 40), "1/" + std::to_string(primes[i]));
        probabilities.emplace_back(1, primes[i]);
    }
    const ExactNumber rest = ExactNumber(1) - ExactNumber::sum(probabilities);
    table.emplace_back("1000", rest.numerator().str() + "/" + rest.denominator().str());
    for (auto _ : state) {
        KivoStringOutput::shared()->solutionSteps.clear();
        CalculatorResult result = KivoOmbrel().readEventsAndProbabilities(table, 1);
        if (!result.solutionSteps)
            state.SkipWithError(result.error->c_str());
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ReadEventsPrimeDenominatorsAndExactRest)->Arg(10000)->Unit(benchmark::kMillisecond);

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
