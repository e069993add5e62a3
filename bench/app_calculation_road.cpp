// From the Calculate key to the rendered result page, scrolling that page, the input page with a
// very long value and sharing the longest solution, on the app's frame at the phone's size and scale
// (the host renders each frame of the window like this).
#include "app/AppPageTabBarController.h"
#include "app/CalculateViewController.h"
#include "app/EnumeratedInputTableViewCell.h"
#include "app/InterfaceBuilders.h"
#include "app/LongScreenshot.h"
#include "app/SolutionViewController.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/ManualClock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/UIImage.h"
#include "platform/kits/DTTextField.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UIWindow.h"
#include "tests/e2e/AppFrame.h"
#include "tests/support/TemporaryFolder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

struct Frame {
    // Each frame starts from a fresh install: stored counts (the rating prompt's) stay out.
    TemporaryFolder home;
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<CalculateViewController> input;
    std::shared_ptr<SolutionViewController> result;
    std::shared_ptr<AppPageTabBarController> tabs;
    std::shared_ptr<UIWindow> window;

    Frame() {
        Bundle::setMainBundlePath(OMBREL_BUNDLE_DIR);
        setenv("OMBREL_HOME", home.path().c_str(), 1);
        UserDefaults::resetStandardUserDefaults();
        Clock::setCurrent(clock);
        InterfaceBuilders::registerAll();
        const AppFrame frame;
        input = frame.input;
        result = frame.result;
        tabs = frame.tabs;
        window = frame.window;
        settle();
    }

    ~Frame() {
        window.reset();
        RunLoop::main()->removeAllWork();
        Clock::setCurrent(nullptr);
    }

    void settle() {
        clock->advance(1.0);
        RunLoop::main()->runUntilIdle();
        window->layoutIfNeeded();
    }
};

// Tap Calculate (the key's action), then let the frame come to rest and draw the window.
void calculateAndRender(benchmark::State& state, int rows, int mode) {
    Frame frame;
    frame.input->allFields.clear();
    for (int row = 0; row < rows; ++row) {
        frame.input->allFields.push_back({std::to_string(row % 9 + 1), rows == 5 ? "0.2" : ""});
    }
    frame.input->segmentedControl.lock()->setSelectedSegmentIndex(mode);
    for (auto _ : state) {
        state.PauseTiming();
        frame.tabs->select(0);
        frame.settle();
        state.ResumeTiming();
        frame.input->tappedCalculateButton(frame.input->calculateButton);
        RunLoop::main()->runUntilIdle();
        frame.window->layoutIfNeeded();
        benchmark::DoNotOptimize(frame.window->renderImage());
    }
    if (frame.result->solutionSteps.empty())
        state.SkipWithError("the calculation failed");
}

void BM_CalculateFiveRowsToRenderedResult(benchmark::State& state) {
    calculateAndRender(state, 5, 1);
}
BENCHMARK(BM_CalculateFiveRowsToRenderedResult)->Unit(benchmark::kMillisecond);

void BM_Calculate200RowsToRenderedResult(benchmark::State& state) {
    calculateAndRender(state, 200, 0);
}
BENCHMARK(BM_Calculate200RowsToRenderedResult)->Unit(benchmark::kMillisecond);

// One frame of scrolling the result page: move the content and draw the window.
void BM_ScrollResultPageFrame(benchmark::State& state) {
    Frame frame;
    frame.input->allFields = {{"4", "0.3"}, {"5", "0.25"}, {"3", "0.4"}, {"7", "0.04"}, {"4", "0.01"}};
    frame.input->segmentedControl.lock()->setSelectedSegmentIndex(1);
    frame.input->calculate();
    frame.settle();
    auto table = frame.result->tableView;
    const CGFloat bottom = table->maximumContentOffset().y;
    CGFloat y = 0;
    for (auto _ : state) {
        y = y + 24 > bottom ? 0 : y + 24;
        table->setContentOffset({0, y});
        frame.window->layoutIfNeeded();
        benchmark::DoNotOptimize(frame.window->renderImage());
    }
}
BENCHMARK(BM_ScrollResultPageFrame)->Unit(benchmark::kMillisecond);

// One frame of the input page whose first value, as a stored entry may bring it, has the given
// number of digits and the caret at its end: the frame costs the same for 1 or 100,000 digits.
void BM_InputPageWithALongValueFrame(benchmark::State& state) {
    Frame frame;
    frame.input->allFields = {{std::string(static_cast<std::size_t>(state.range(0)), '7'), ""}, {"3", ""}};
    frame.input->inputTableView.lock()->reloadData();
    frame.settle();
    auto cell = std::dynamic_pointer_cast<EnumeratedInputTableViewCell>(
        frame.input->inputTableView.lock()->cellForRowAtIndexPath({0, 0}));
    auto field = cell ? cell->integerTextField.lock() : nullptr;
    if (!field || !field->becomeFirstResponder())
        state.SkipWithError("the long field is not on screen");
    for (auto _ : state) {
        field->setNeedsDisplay();
        benchmark::DoNotOptimize(frame.window->renderImage());
    }
}
BENCHMARK(BM_InputPageWithALongValueFrame)->Arg(1)->Arg(100000)->Unit(benchmark::kMillisecond);

// Sharing the longest solution the input table allows: every row of the result page drawn whole and
// stacked into one picture, written as PNG. Its peak memory shows under /usr/bin/time -v.
void BM_ShareLongestSolution(benchmark::State& state) {
    Frame frame;
    frame.input->allFields.clear();
    for (int row = 0; row < 10000; ++row)
        frame.input->allFields.push_back({std::to_string(row % 9 + 1), "0.0001"});
    frame.input->segmentedControl.lock()->setSelectedSegmentIndex(static_cast<int>(state.range(0)));
    if (!frame.input->calculate())
        state.SkipWithError("the calculation failed");
    frame.settle();
    for (auto _ : state) {
        std::shared_ptr<UIImage> picture;
        captureFullTableImage(frame.result->tableView, std::nullopt, std::nullopt,
                              [&picture](std::shared_ptr<UIImage> image) { picture = std::move(image); });
        RunLoop::main()->runUntilIdle();
        if (!picture || !picture->pngData())
            state.SkipWithError("no picture");
        else
            state.counters["pixels wide"] = picture->size().width * picture->scale();
    }
}
BENCHMARK(BM_ShareLongestSolution)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
