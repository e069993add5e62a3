// The whole program, started as a person starts it: time from process start to the first rendered
// frame of the input screen, and resident memory once the example's result page is shown.
#include "platform/foundation/AnyValue.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/PropertyListCoding.h"
#include "platform/host/AutomationClient.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>

namespace {

std::filesystem::path program() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "ombrel";
}

// A data folder of an earlier run: introduction and consent done, so the input screen comes first.
class Home {
  public:
    Home() {
        path_ =
            std::filesystem::temp_directory_path() /
            ("ombrel-bench-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        AnyValue::Dictionary defaults{{"isOnboardingFinished", AnyValue(true)},
                                      {"isDsgvoAccepted", AnyValue(true)}};
        FileSystem::writeFileAtomically(path_ / "defaults" / "com.ombrel.app.plist",
                                        PropertyListCoding::encode(AnyValue(defaults)).value());
    }
    ~Home() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

std::unique_ptr<AutomationClient> launch(const Home& home) {
    return AutomationClient::start(program().string(), {"--offscreen", "--automation", "--manual-clock"},
                                   {{"OMBREL_HOME", home.path().string()},
                                    {"OMBREL_QUIET", "1"},
                                    {"LANGUAGE", "en"},
                                    {"OMBREL_REMOTE_CONFIG_URL", ""}});
}

void BM_StartToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        Home home;
        auto start = std::chrono::steady_clock::now();
        auto app = launch(home);
        auto ready = app ? app->readLine(30) : std::nullopt;
        auto elapsed = std::chrono::steady_clock::now() - start;
        if (ready != std::optional<std::string>("ready") ||
            !AutomationClient::payload(app->send("find Fill in your given numbers:"))) {
            state.SkipWithError("the input screen did not come up");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
        app->send("quit");
        app->waitForExit(10);
    }
}
BENCHMARK(BM_StartToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// Reopens the example from the history, calculates it, and reads the resident memory.
void BM_ResidentMemoryAfterExampleResult(benchmark::State& state) {
    double kib = 0;
    for (auto _ : state) {
        Home home;
        auto app = launch(home);
        if (!app || app->readLine(30) != std::optional<std::string>("ready")) {
            state.SkipWithError("the program did not start");
            break;
        }
        for (const char* command : {"tap-text menuButton", "advance 1", "tap-text History", "advance 1",
                                    "tap 195 143", "advance 1", "tap-text calculateButton", "advance 1"}) {
            app->send(command);
        }
        if (!AutomationClient::payload(app->send("find Expected value"))) {
            state.SkipWithError("the result page did not come up");
            break;
        }
        kib = std::stod(AutomationClient::payload(app->send("rss")).value_or("0"));
        app->send("quit");
        app->waitForExit(10);
    }
    state.counters["resident_MiB"] = kib / 1024;
}
BENCHMARK(BM_ResidentMemoryAfterExampleResult)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
