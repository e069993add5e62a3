#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/UserDefaults.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <future>
#include <random>

namespace fs = std::filesystem;

namespace {

// One history record as the history store writes it: LaTeX, inputs, no steps, setup.
AnyValue historyEntry(int index) {
    AnyValue::Dictionary inputs;
    for (int row = 0; row < 5; ++row) {
        inputs.emplace("event" + std::to_string(row), std::to_string(index + row));
        inputs.emplace("probability" + std::to_string(row), "0.2");
    }
    return AnyValue::Dictionary{
        {"_latexString", "x_i = [" + std::to_string(index) +
                             ";5;3;7;4] \\\\ P\\left(X = x_i\\right) = "
                             "[0.3;0.25;0.4;0.04;0.01]"},
        {"inputParameters", std::move(inputs)},
        {"solutionSteps", AnyValue::Array{}},
        {"setupParameter", AnyValue::Dictionary{{"inputCalculationSelection", 1}, {"appKey", "OB"}}},
    };
}

// The defaults free a replaced list on the shared background queue. Changes come one per user action,
// so each measured change starts after the previous one's list is gone, as it would in the app.
void waitForDisposal() {
    std::promise<void> done;
    DispatchQueue::global()->async([&done] { done.set_value(); });
    done.get_future().wait();
}

void historyChange(benchmark::State& state) {
    const fs::path folder =
        fs::temp_directory_path() / ("ombrel-bench-" + std::to_string(std::random_device{}()));
    UserDefaults defaults(folder / "defaults" / "com.ombrel.app.plist");
    AnyValue::Array history;
    history.reserve(10'000);
    for (int i = 0; i < 10'000; ++i)
        history.push_back(historyEntry(i));
    defaults.setObjectForKey(history, "Calculations");

    int next = 10'000;
    for (auto _ : state) {
        // One change of the history: a new record in front, the whole list handed over and written. The
        // history store builds that list afresh for every change, so making it is not timed here.
        state.PauseTiming();
        history.insert(history.begin(), historyEntry(next++));
        history.pop_back();
        AnyValue fresh = history;
        waitForDisposal();
        state.ResumeTiming();
        if (!defaults.setObjectForKey(std::move(fresh), "Calculations"))
            state.SkipWithError("the defaults file could not be written");
    }
    state.counters["file bytes"] = static_cast<double>(fs::file_size(defaults.filePath()));
    fs::remove_all(folder);
}

// The same change made where the value is kept, as a store that edits its list in place does.
void historyUpdateInPlace(benchmark::State& state) {
    const fs::path folder =
        fs::temp_directory_path() / ("ombrel-bench-" + std::to_string(std::random_device{}()));
    UserDefaults defaults(folder / "defaults" / "com.ombrel.app.plist");
    AnyValue::Array history;
    for (int i = 0; i < 10'000; ++i)
        history.push_back(historyEntry(i));
    defaults.setObjectForKey(std::move(history), "Calculations");

    int next = 10'000;
    for (auto _ : state) {
        const bool saved = defaults.updateObjectForKey("Calculations", [&](AnyValue& value) {
            AnyValue::Array& list = *value.arrayPointer();
            list.insert(list.begin(), historyEntry(next++));
            list.pop_back();
        });
        if (!saved)
            state.SkipWithError("the defaults file could not be written");
    }
    fs::remove_all(folder);
}

BENCHMARK(historyChange)->Unit(benchmark::kMillisecond);
BENCHMARK(historyUpdateInPlace)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
