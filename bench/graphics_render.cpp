// Rendering a full phone screen (390 × 844 points at scale 3) of layers with text, shadows,
// rounded buttons and table rows, as one frame of the app would.
#include "platform/graphics/CALayer.h"
#include "platform/graphics/CAShapeLayer.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/NSAttributedString.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <string>

namespace {

class TextDrawer : public CALayerDelegate {
  public:
    explicit TextDrawer(NSAttributedString text) : text_(std::move(text)) {}
    void drawLayerInContext(CALayer& layer, CGContext& context) override {
        text_.drawInRect(layer.bounds(), context);
    }

  private:
    NSAttributedString text_;
};

struct Screen {
    std::shared_ptr<CALayer> root = CALayer::layer();
    std::vector<std::shared_ptr<TextDrawer>> drawers;

    std::shared_ptr<CALayer> label(const std::shared_ptr<CALayer>& parent, const CGRect& frame,
                                   const std::string& text, const UIFont& font) {
        auto layer = CALayer::layer();
        layer->setFrame(frame);
        auto drawer = std::make_shared<TextDrawer>(
            NSAttributedString(text, NSStringAttributes{font, UIColor::labelColor(), std::nullopt}));
        layer->setDelegate(drawer);
        drawers.push_back(drawer);
        parent->addSublayer(layer);
        return layer;
    }

    Screen() {
        root->setFrame({0, 0, 390, 844});
        root->setBackgroundColor(UIColor::systemBackgroundColor());
        UIFont body = UIFont::fontWithName("Avenir-Book", 16).value();
        UIFont heavy = UIFont::fontWithName("Avenir-Heavy", 20).value();

        auto toolbar = CALayer::layer();
        toolbar->setFrame({0, 0, 390, 100});
        toolbar->setBackgroundColor(UIColor(0.1, 0.14, 0.49, 1));
        root->addSublayer(toolbar);
        label(toolbar, {60, 50, 270, 30}, "Expected value", heavy);

        // A table of 20 rows, two labels each.
        auto table = CALayer::layer();
        table->setFrame({10, 110, 370, 560});
        table->setBackgroundColor(UIColor::systemBackgroundColor());
        table->setShadowColor(UIColor::labelColor().cgColor());
        table->setShadowOpacity(0.23);
        table->setShadowOffset({0, 0});
        table->setShadowRadius(4);
        root->addSublayer(table);
        for (int row = 0; row < 20; ++row) {
            auto cell = CALayer::layer();
            cell->setFrame({0, row * 28.0, 370, 28});
            table->addSublayer(cell);
            label(cell, {10, 4, 40, 20}, std::to_string(row + 1), body);
            label(cell, {60, 4, 300, 20}, "x = " + std::to_string(row * 7) + ", P(X = x) = 0.05", body);
            auto separator = CALayer::layer();
            separator->setFrame({10, 27.5, 360, 0.5});
            separator->setBackgroundColor(UIColor::separatorColor());
            cell->addSublayer(separator);
        }

        // Ten rounded keypad buttons with titles and light shadows.
        for (int i = 0; i < 10; ++i) {
            auto button = CALayer::layer();
            button->setFrame({10 + (i % 5) * 75.0, 690 + (i / 5) * 70.0, 65, 60});
            button->setBackgroundColor(UIColor(0.33, 0.29, 0.68, 1));
            button->setCornerRadius(8);
            button->setShadowColor(UIColor::systemGrayColor().cgColor());
            button->setShadowOpacity(0.7);
            button->setShadowOffset({0, 1});
            button->setShadowRadius(1);
            root->addSublayer(button);
            label(button, {10, 18, 45, 24}, std::to_string(i), heavy);
        }

        // An animated arc as the chart cells show.
        auto arc = CAShapeLayer::layer();
        CGPath path;
        path.addArc({330, 50}, 20, 0, -4, false);
        arc->setPath(path);
        arc->setFillColor(std::nullopt);
        arc->setStrokeColor(UIColor::systemOrangeColor());
        arc->setLineWidth(5);
        arc->setStrokeEnd(0.6);
        toolbar->addSublayer(arc);
    }
};

void BM_RenderFullScreenAt3x(benchmark::State& state) {
    Screen screen;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1170, 2532);
    int textLayers = static_cast<int>(screen.drawers.size());
    for (auto _ : state) {
        cairo_t* cr = cairo_create(surface);
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        cairo_paint(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        cairo_scale(cr, 3, 3);
        {
            CGContext context(cr);
            screen.root->renderInContext(context);
        }
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
    }
    state.counters["textLayers"] = textLayers;
    cairo_surface_destroy(surface);
}
BENCHMARK(BM_RenderFullScreenAt3x)->Unit(benchmark::kMillisecond);

void BM_MeasureLabelText(benchmark::State& state) {
    NSAttributedString text(
        "P(X = 3) = 0.125, the probability of three hits",
        NSStringAttributes{UIFont::fontWithName("Avenir-Book", 16), std::nullopt, std::nullopt});
    for (auto _ : state) {
        benchmark::DoNotOptimize(text.boundingRectWithSize({200, 1e9}));
    }
}
BENCHMARK(BM_MeasureLabelText)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
