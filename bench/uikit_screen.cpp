// A full phone screen built from views (390 × 844 points at scale 3): a toolbar, 40 labels,
// 10 buttons and a table card with a shadow. One frame rendered, and one layout pass over the
// whole tree, as the app would do them.
#include "platform/foundation/ManualClock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <functional>
#include <string>

namespace {

class Rows : public UITableViewDataSource, public UITableViewDelegate {
  public:
    int tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int) override { return 50; }
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& table,
                                                                    const NSIndexPath& indexPath) override {
        auto cell = table->dequeueReusableCellWithIdentifier("row", indexPath);
        cell->textLabel()->setText("x" + std::to_string(indexPath.row) + " = " +
                                   std::to_string(indexPath.row * 7 % 13));
        return cell;
    }
    std::optional<std::string> tableViewTitleForHeaderInSection(const std::shared_ptr<UITableView>&,
                                                                int) override {
        return "Fill in your given numbers:";
    }
};

struct Screen {
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<UIWindow> window;
    std::shared_ptr<Rows> rows = std::make_shared<Rows>();
    std::shared_ptr<UITableView> table;

    Screen() {
        Clock::setCurrent(clock);
        window = std::make_shared<UIWindow>();
        auto controller = std::make_shared<UIViewController>();
        window->setRootViewController(controller);
        window->makeKeyAndVisible();
        auto root = controller->view();
        root->setBackgroundColor(UIColor::systemBackgroundColor());

        auto toolbar = std::make_shared<UIView>(CGRect{0, 0, 390, 100});
        toolbar->setBackgroundColor(UIColor(0.33, 0.29, 0.68, 1));
        toolbar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
        root->addSubview(toolbar);
        auto title = std::make_shared<UILabel>(CGRect{60, 50, 270, 40});
        title->setText("Calculate");
        title->setFont(UIFont::fontWithName("Avenir-Heavy", 20).value_or(UIFont::boldSystemFontOfSize(20)));
        title->setTextColor(UIColor::whiteColor());
        title->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
        toolbar->addSubview(title);

        // Forty labels in four columns.
        for (int i = 0; i < 40; ++i) {
            auto label = std::make_shared<UILabel>(CGRect{8 + (i % 4) * 95.0, 110 + (i / 4) * 26.0, 90, 24});
            label->setText("E(X) = " + std::to_string(i) + ".25");
            label->setFont(UIFont::systemFontOfSize(14));
            label->setAdjustsFontSizeToFitWidth(true);
            label->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin |
                                       UIViewAutoresizingFlexibleRightMargin);
            root->addSubview(label);
        }
        // Ten keypad-like buttons in two rows.
        for (int i = 0; i < 10; ++i) {
            auto button = UIButton::buttonWithType(UIButtonType::system);
            button->setTitle(std::to_string(i), UIControlStateNormal);
            button->setFrame({10 + (i % 5) * 75.0, 380 + (i / 5) * 50.0, 70, 44});
            button->setBackgroundColor(UIColor::systemGray4Color());
            button->layer()->setCornerRadius(8);
            root->addSubview(button);
        }
        table = std::make_shared<UITableView>(CGRect{10, 490, 370, 320});
        table->registerClass<UITableViewCell>("row");
        table->setDataSource(rows);
        table->setDelegate(rows);
        table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        table->layer()->setShadowColor(UIColor::labelColor());
        table->layer()->setShadowOpacity(0.23);
        table->layer()->setShadowOffset({0, 0});
        table->layer()->setShadowRadius(4);
        root->addSubview(table);
        RunLoop::main()->runUntilIdle();
    }

    ~Screen() { Clock::setCurrent(nullptr); }

    // Every view of the tree, depth first.
    void forEachView(const std::function<void(UIView&)>& visit) {
        std::function<void(UIView&)> walk = [&](UIView& view) {
            visit(view);
            for (const auto& subview : view.subviews()) {
                walk(*subview);
            }
        };
        walk(*window);
    }
};

void BM_RenderScreen(benchmark::State& state) {
    Screen screen;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 390 * 3, 844 * 3);
    for (auto _ : state) {
        cairo_t* cr = cairo_create(surface);
        cairo_scale(cr, 3, 3);
        {
            CGContext context(cr);
            UIGraphics::pushContext(context);
            screen.window->drawViewHierarchyInRect(screen.window->bounds(), true);
            UIGraphics::popContext();
        }
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
    }
    cairo_surface_destroy(surface);
}
BENCHMARK(BM_RenderScreen)->Unit(benchmark::kMillisecond);

void BM_LayoutPass(benchmark::State& state) {
    Screen screen;
    int views = 0;
    screen.forEachView([&](UIView&) { ++views; });
    bool wide = false;
    for (auto _ : state) {
        // A size change autoresizes the tree and makes every view lay out again.
        wide = !wide;
        screen.window->rootViewController()->view()->setFrame({0, 0, wide ? 400.0 : 390.0, 844});
        screen.forEachView([](UIView& view) { view.setNeedsLayout(); });
        screen.window->layoutIfNeeded();
    }
    state.counters["views"] = views;
}
BENCHMARK(BM_LayoutPass)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
