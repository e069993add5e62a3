// Builds every kind of chart from hand-made descriptions, as a result-page row, and writes each
// to chart-gallery/<name>.png in the build folder for a person to look at.
#include "ChartSamples.h"
#include "ChartsTestSupport.h"

#include "charts/ChartManager.h"
#include "charts/SharingInProgress.h"
#include "charts/UnitCircleChartView.h"

#include <filesystem>
#include <numbers>
#include <set>

namespace {

constexpr double pi = std::numbers::pi;

using Row = std::vector<std::shared_ptr<ChartData>>;

std::shared_ptr<CommonSplineChartData> power(const std::string& name, double exponent, std::optional<std::string> color) {
    std::vector<std::vector<double>> points;
    for (double x = 0; x <= 3; x += 0.5)
        points.push_back({x, std::pow(x, exponent)});
    return samples::spline(name, points, std::move(color));
}

std::shared_ptr<HistogramChartData> histogram() {
    return samples::histogram(
        {{std::nullopt, {{1, 0.2}, {2, 0.5}, {3, 0.3}}}, {"#5a4aad", {{5, 0.1}, {6, 0.4}, {7, 0.25}}}});
}

class ChartGalleryTest : public ChartsTest {
  protected:
    void TearDown() override {
        isSharingInProgress = false;
        ChartsTest::TearDown();
    }

    // The row as the result page shows it on a 400-point wide screen.
    std::shared_ptr<ChartTableViewCell> showRow(const Row& row) {
        auto cell = loadChartCell();
        const auto page = std::make_shared<UIView>(CGRect{0, 0, 400, 800});
        cell->setChartData(row, page);
        const auto& charts = cell->contentView()->subviews();
        const CGFloat height = charts.empty() ? 40 : charts.front()->frame().maxY() + 20;
        cell->setFrame({0, 0, 400, height});
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
                    colours.insert(static_cast<std::uint32_t>(c->red * 15) << 8 | static_cast<std::uint32_t>(c->green * 15) << 4 |
                                   static_cast<std::uint32_t>(c->blue * 15));
        EXPECT_GT(colours.size(), 6u) << name << " looks empty";
    }

    void draw(const Row& row, const std::string& name) {
        const auto cell = showRow(row);
        ASSERT_FALSE(cell->contentView()->subviews().empty()) << name;
        writeAndCheck(*cell, name);
    }
};

} // namespace

TEST_F(ChartGalleryTest, LibraryCharts) {
    draw({samples::line("f", {-2, -1}, {2, 3}, -4, std::nullopt, "#ff3b30")}, "line");
    auto first = samples::line("function a", {0, 0}, {3, 4}, 4.2, 5);
    auto second = samples::line("b", {1, 0}, {4, 1}, 4.2, std::sqrt(10), "#1a237d");
    first->markedPoints = {first->endPoint};
    second->markedPoints = {second->endPoint};
    draw({first, second}, "combined-lines");
    draw({samples::distribution({{1, 0.2}, {2, 0.7}, {3, 1}})}, "distribution-function");
    draw({histogram()}, "histogram");
    draw({samples::trigonometric(TrigonometricType::sin, 2 * pi)}, "sine");
    draw({samples::trigonometric(TrigonometricType::cos, 2 * pi, -pi, 2)}, "cosine");
    draw({samples::trigonometric(TrigonometricType::tan, pi)}, "tangent");
    draw({power("function g", 2, std::nullopt), power("h", 1.5, "#1a237d")}, "splines");
}

TEST_F(ChartGalleryTest, DrawnCharts) {
    draw({samples::chain(0.5, 3, 2)}, "probability-tree");
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
    draw({samples::line("f", {-2, -1}, {2, 3}, -4, std::nullopt, "#ff3b30")}, "line-dark");
    draw({samples::chain(0.5, 3, 2)}, "probability-tree-dark");
    draw({histogram()}, "histogram-dark");
}
