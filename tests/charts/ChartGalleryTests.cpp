// Builds every kind of chart from hand-made descriptions, as a result-page row, and writes each
// to chart-gallery/<name>.png in the build folder for a person to look at. Charts of the chart
// library are also checked for the layout a reader relies on, crowded ones included.
#include "ChartSamples.h"
#include "ChartsTestSupport.h"

#include "charts/ChartManager.h"
#include "charts/SharingInProgress.h"
#include "charts/TreeChartView.h"
#include "charts/UnitCircleChartView.h"
#include "platform/chartkit/AAChartRenderer.h"

#include <algorithm>
#include <filesystem>
#include <numbers>
#include <set>

namespace {

constexpr double pi = std::numbers::pi;

using Row = std::vector<std::shared_ptr<ChartData>>;

std::shared_ptr<CommonSplineChartData> power(const std::string& name, double exponent,
                                             std::optional<std::string> color) {
    std::vector<std::vector<double>> points;
    for (double x = 0; x <= 3; x += 0.5)
        points.push_back({x, std::pow(x, exponent)});
    return samples::spline(name, points, std::move(color));
}

std::shared_ptr<HistogramChartData> histogram() {
    return samples::histogram(
        {{std::nullopt, {{1, 0.2}, {2, 0.5}, {3, 0.3}}}, {"#5a4aad", {{5, 0.1}, {6, 0.4}, {7, 0.25}}}});
}

std::shared_ptr<LineChartData> segment() {
    return samples::line("f", {-2, -1}, {2, 3}, -4, std::nullopt, "#ff3b30");
}

// A line of a combined chart, labelled at its end.
std::shared_ptr<LineChartData> labelledLine(const std::string& name, std::vector<double> from,
                                            std::vector<double> to, double length,
                                            std::optional<std::string> color = std::nullopt) {
    auto line = samples::line(name, std::move(from), std::move(to), 4.2, length, std::move(color));
    line->markedPoints = {line->endPoint};
    return line;
}

struct LibraryChart {
    std::string name;
    Row row;
    CGFloat pageWidth = 400;
    // A narrow card gives the legend's room to the plot.
    bool showsLegend = true;
    // Data labels and whether each is drawn.
    std::vector<std::pair<std::string, bool>> dataLabels = {};
};

std::vector<LibraryChart> libraryCharts() {
    Row seven;
    for (const char* color : {"#ff3b30", "#ff9500", "#34c759", "#007aff", "#5856d6", "#af52de", "#1a237d"})
        seven.push_back(power("g" + std::to_string(seven.size() + 1),
                              0.5 * static_cast<double>(seven.size() + 1), color));
    return {
        {"line", {segment()}},
        {"combined-lines",
         {labelledLine("function a", {0, 0}, {3, 4}, 5),
          labelledLine("b", {1, 0}, {4, 1}, std::sqrt(10), "#1a237d")}},
        {"distribution-function", {samples::distribution({{1, 0.2}, {2, 0.7}, {3, 1}})}},
        {"histogram", {histogram()}},
        {"sine", {samples::trigonometric(TrigonometricType::sin, 2 * pi)}},
        {"cosine", {samples::trigonometric(TrigonometricType::cos, 2 * pi, -pi, 2)}},
        {"tangent", {samples::trigonometric(TrigonometricType::tan, pi)}},
        {"splines", {power("function g", 2, std::nullopt), power("h", 1.5, "#1a237d")}},
        {"seven-series", seven},
        {"long-name",
         {samples::line("the chance that a segment drawn at random crosses both axes", {-1, -2}, {3, 2}, 3)}},
        {"narrow-window", {segment()}, 320, false},
        {"large-values", {samples::line("f", {-250000, -100000}, {200000, 300000}, -300000)}},
        {"two-labels-at-one-point",
         {labelledLine("a", {0, 0}, {3, 4}, 5), labelledLine("b", {3, 0}, {3, 4}, 4, "#1a237d")},
         400,
         true,
         {{"a = 5.0", true}, {"b = 4.0", false}}},
    };
}

// Drawn as the result page shows it, no node of the tree is cut at its card's edge.
void checkTreeNodesInsideCard(const std::shared_ptr<ChartTableViewCell>& cell, const std::string& name) {
    const auto& card = cell->contentView()->subviews().front();
    const auto tree = viewIn<TreeChartView>(card);
    ASSERT_NE(tree, nullptr) << name;
    EXPECT_EQ(tree->drawnNodeFrames().size(), 15u) << name;
    for (const CGRect& node : tree->drawnNodeFrames())
        EXPECT_TRUE(card->bounds().contains(tree->convertRectToView(node, card.get())))
            << name << ": node at x " << node.midX();
}

int pixelsNear(const UIImage& image, const UIColor::RGBA& color) {
    int count = 0;
    for (CGFloat y = 0; y < image.size().height; y += 0.5)
        for (CGFloat x = 0; x < image.size().width; x += 0.5)
            count += pixels::near(image.colorAtPoint({x, y}), color, 0.04) ? 1 : 0;
    return count;
}

class ChartGalleryTest : public ChartsTest {
  protected:
    void TearDown() override {
        isSharingInProgress = false;
        ChartsTest::TearDown();
    }

    // The row as the result page shows it on a screen of the given width.
    std::shared_ptr<ChartTableViewCell> showRow(const Row& row, CGFloat pageWidth = 400) {
        auto cell = loadChartCell();
        const auto page = std::make_shared<UIView>(CGRect{0, 0, pageWidth, 800});
        cell->setChartData(row, page);
        const auto& charts = cell->contentView()->subviews();
        const CGFloat height = charts.empty() ? 40 : charts.front()->frame().maxY() + 20;
        cell->setFrame({0, 0, pageWidth, height});
        cell->setBackgroundColor(UIColor::systemBackgroundColor());
        runLoopTurn();
        return cell;
    }

    // Writes the picture and checks that it holds a drawn chart, not an empty card.
    void writeAndCheck(UIView& view, const std::string& name) {
        const auto image = snapshot(view);
        const std::filesystem::path folder = std::filesystem::path(OMBREL_BINARY_DIR) / "chart-gallery";
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(image->writePNG((folder / (name + ".png")).string())) << name;
        std::set<std::uint32_t> colours;
        for (CGFloat y = 0; y < view.bounds().size.height; y += 1)
            for (CGFloat x = 0; x < view.bounds().size.width; x += 1)
                if (const auto c = image->colorAtPoint({x, y}))
                    colours.insert(static_cast<std::uint32_t>(c->red * 15) << 8 |
                                   static_cast<std::uint32_t>(c->green * 15) << 4 |
                                   static_cast<std::uint32_t>(c->blue * 15));
        EXPECT_GT(colours.size(), 6u) << name << " looks empty";
    }

    std::shared_ptr<ChartTableViewCell> draw(const Row& row, const std::string& name,
                                             CGFloat pageWidth = 400) {
        const auto cell = showRow(row, pageWidth);
        EXPECT_FALSE(cell->contentView()->subviews().empty()) << name;
        writeAndCheck(*cell, name);
        return cell;
    }

    // The plot keeps half the card, the legend stays on it within a third of its height, both ends
    // of each axis are labelled and no two texts overlap.
    static void checkLayout(const AAChartRenderer& chart, const LibraryChart& expected,
                            const std::string& name) {
        const CGRect card{{0, 0}, chart.size()};
        const CGRect plot = chart.frame().plot;
        EXPECT_GE(plot.height(), card.height() / 2) << name;
        const CGRect legend = chart.legendFrame();
        EXPECT_EQ(!legend.isNull(), expected.showsLegend) << name;
        EXPECT_TRUE(legend.isNull() || (card.contains(legend) && legend.height() <= card.height() / 3))
            << name;
        const auto& labels = chart.drawnLabels();
        const auto drawn = [&](const std::string& text, auto where) {
            return std::any_of(labels.begin(), labels.end(),
                               [&](const auto& label) { return label.text == text && where(label.frame); });
        };
        const auto belowPlot = [&](const CGRect& r) { return r.minY() >= plot.maxY(); };
        const auto leftOfPlot = [&](const CGRect& r) { return r.maxX() <= plot.minX(); };
        for (const auto& text : {chart.xLabels().front(), chart.xLabels().back()})
            EXPECT_TRUE(drawn(text, belowPlot)) << name << ": x label " << text;
        for (const auto& text : {chart.yLabels().front(), chart.yLabels().back()})
            EXPECT_TRUE(drawn(text, leftOfPlot)) << name << ": y label " << text;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            EXPECT_TRUE(card.contains(labels[i].frame)) << name << ": " << labels[i].text;
            for (std::size_t j = i + 1; j < labels.size(); ++j)
                EXPECT_FALSE(labels[i].frame.intersects(labels[j].frame))
                    << name << ": " << labels[i].text << " and " << labels[j].text;
        }
        for (const auto& [text, shown] : expected.dataLabels)
            EXPECT_EQ(drawn(text, [&](const CGRect& r) { return plot.intersects(r); }), shown)
                << name << ": " << text;
    }

    void drawLibraryCharts(const std::string& suffix) {
        for (const auto& chart : libraryCharts()) {
            const auto chartView = viewIn<AAChartView>(draw(chart.row, chart.name + suffix, chart.pageWidth));
            ASSERT_NE(chartView, nullptr) << chart.name;
            checkLayout(*chartView->rendererForBounds(), chart, chart.name + suffix);
        }
    }

    // Pixels of the tooltip text colour that the tooltip adds to the picture.
    int tooltipTextPixels(const UIColor::RGBA& textColor, const std::string& name) {
        const auto cell = showRow({segment()});
        const auto chartView = viewIn<AAChartView>(cell);
        const int before = pixelsNear(*snapshot(*cell), textColor);
        chartView->aa_showTooltipAtPoint(chartView->rendererForBounds()->frame().location(1, 2));
        writeAndCheck(*cell, name);
        return pixelsNear(*snapshot(*cell), textColor) - before;
    }
};

const UIColor::RGBA tooltipGrey{0.2, 0.2, 0.2, 1};

} // namespace

TEST_F(ChartGalleryTest, LibraryCharts) {
    drawLibraryCharts("");
    EXPECT_GT(tooltipTextPixels(tooltipGrey, "tooltip"), 100);
}

TEST_F(ChartGalleryTest, DrawnCharts) {
    checkTreeNodesInsideCard(draw({samples::chain(0.5, 3, 2)}, "probability-tree"), "probability-tree");
    draw({samples::distribution({{0, 0.75}, {1, 1}}, true)}, "distribution-table");

    const auto cell = showRow({samples::angle(750, 2, Quadrant::first)});
    ChartManager::animateChartCell(cell);
    clock->advance(1.5);
    writeAndCheck(*cell, "unit-circle-animating");
    clock->advance(3);
    writeAndCheck(*cell, "unit-circle");

    isSharingInProgress = true;
    const auto shared = showRow({samples::angle(-225, 0, Quadrant::second)});
    ChartManager::animateChartCell(shared);
    writeAndCheck(*shared, "unit-circle-shared");
}

TEST_F(ChartGalleryTest, DarkAppearance) {
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::dark));
    drawLibraryCharts("-dark");
    // Only the edges of the light text on the dark box pass through the grey.
    EXPECT_LT(tooltipTextPixels(tooltipGrey, "tooltip-dark"), 50)
        << "the dark tooltip keeps its own text colour";
    checkTreeNodesInsideCard(draw({samples::chain(0.5, 3, 2)}, "probability-tree-dark"),
                             "probability-tree-dark");
}
