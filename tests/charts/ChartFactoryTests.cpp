#include "ChartSamples.h"
#include "ChartsTestSupport.h"

#include "charts/AreaChartView.h"
#include "charts/ChartManager.h"
#include "charts/DistributionFunctionPresentationView.h"
#include "charts/LineChartView.h"
#include "charts/SplineChartView.h"
#include "charts/UnitCircleChartView.h"
#include "platform/uikit/UIScrollView.h"

using nlohmann::json;

namespace {

std::shared_ptr<LineChartData> lineData() {
    return samples::line("a", {0, 0}, {1, 1}, 2, 5);
}
std::shared_ptr<CommonSplineChartData> splineData(double frameRatio = 2) {
    return samples::spline("g", {{0, 0}, {1, 1}, {2, 0}}, std::nullopt, frameRatio);
}

class ChartFactoryTest : public ChartsTest {
  protected:
    template <class View> std::shared_ptr<View> viewFor(const std::shared_ptr<ChartData>& data) {
        return std::dynamic_pointer_cast<View>(ChartManager::makeChartView(data, parent));
    }

    std::shared_ptr<UIView> parent = std::make_shared<UIView>(CGRect{0, 0, 400, 800});
};

// The first view, depth first, whose layer casts a shadow: the card the chart sits on.
std::shared_ptr<UIView> shadowedCardIn(const std::shared_ptr<UIView>& view) {
    if (view->layer()->shadowOpacity() > 0)
        return view;
    for (const auto& subview : view->subviews())
        if (auto found = shadowedCardIn(subview))
            return found;
    return nullptr;
}

} // namespace

TEST_F(ChartFactoryTest, ChartsTakeNineTenthsOfTheWidthAtTheirRatio) {
    EXPECT_EQ(ChartManager::chartFrame(2, 400), (CGRect{20, 10, 360, 180}));
    EXPECT_EQ(ChartManager::chartFrame(0.5, 400), (CGRect{20, 40, 360, 720}));
    EXPECT_EQ(ChartManager::makeChartView(lineData(), parent)->frame(), (CGRect{20, 10, 360, 180}));
}

// In dark mode too: a card in the background colour with the card shadow, whatever the chart.
TEST_F(ChartFactoryTest, EveryChartSitsOnAShadowedCardOfTheBackgroundColour) {
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::dark));
    const std::vector<std::pair<std::string, std::shared_ptr<ChartData>>> charts{
        {"line", lineData()},
        {"sine", samples::trigonometric(TrigonometricType::sin, 6.3)},
        {"histogram", samples::histogram({{std::nullopt, {{1, 1}}}})},
        {"tree", samples::chain(0.5, 2, 1)},
        {"unit circle", samples::angle(30, 0, Quadrant::first)}};
    for (const auto& [name, data] : charts) {
        const auto view = ChartManager::makeChartView(data, parent);
        ASSERT_NE(view, nullptr) << name;
        const auto card = shadowedCardIn(view);
        ASSERT_NE(card, nullptr) << name << " has no shadow";
        EXPECT_EQ(card->backgroundColor(), UIColor::systemBackgroundColor()) << name;
        EXPECT_FLOAT_EQ(card->layer()->shadowOpacity(), 0.5f) << name;
        EXPECT_EQ(card->layer()->shadowColor(), UIColor::whiteColor()) << name;
    }
}

TEST_F(ChartFactoryTest, EachDescriptionGetsTheViewOfItsClass) {
    EXPECT_NE(viewFor<LineChartView>(lineData()), nullptr);
    const auto unitCircle = samples::angle(30, 0, Quadrant::first);
    const auto circleView = viewFor<UnitCircleChartView>(unitCircle);
    ASSERT_NE(circleView, nullptr);
    EXPECT_EQ(circleView->unitCircleChartData, unitCircle);
    EXPECT_NE(viewFor<SplineChartView>(samples::trigonometric(TrigonometricType::cos, 6.3)), nullptr);
    EXPECT_NE(viewFor<AreaChartView>(samples::histogram({{std::nullopt, {{1, 1}}}})), nullptr);

    const auto steps = viewFor<LineChartView>(samples::distribution({{0, 0.75}, {1, 1}}, false));
    ASSERT_NE(steps, nullptr);
    EXPECT_EQ(drawnTree(steps->chartView)["series"][0]["step"], "left");
    const auto table =
        viewFor<DistributionFunctionPresentationView>(samples::distribution({{0, 0.75}, {1, 1}}, true));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->label2.lock()->latex(), "0.75;");

    const auto card = ChartManager::makeChartView(samples::chain(0.5, 2, 1), parent);
    ASSERT_NE(card, nullptr);
    EXPECT_NE(std::dynamic_pointer_cast<UIScrollView>(card->subviews().front()), nullptr);
}

TEST_F(ChartFactoryTest, DescriptionsWithoutASingleViewGiveNothing) {
    auto noType = samples::trigonometric(TrigonometricType::sin, 1);
    noType->type.reset();
    for (const std::shared_ptr<ChartData>& data : std::vector<std::shared_ptr<ChartData>>{
             splineData(), std::make_shared<ChartData>(), std::shared_ptr<ChartData>(), noType,
             samples::distribution({}, true), samples::distribution({{}}, true)})
        EXPECT_EQ(ChartManager::makeChartView(data, parent), nullptr);
}

TEST_F(ChartFactoryTest, CombinedChartsNeedDescriptionsOfOneKind) {
    const auto lines = std::dynamic_pointer_cast<LineChartView>(
        ChartManager::makeCombinedChartView({lineData(), lineData()}, parent));
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(drawnTree(lines->chartView)["series"].size(), 4u);
    const auto curves = ChartManager::makeCombinedChartView({splineData(1), splineData()}, parent);
    ASSERT_NE(std::dynamic_pointer_cast<SplineChartView>(curves), nullptr);
    EXPECT_EQ(curves->frame(), (CGRect{20, 20, 360, 360})) << "the first description's ratio decides";
    EXPECT_EQ(ChartManager::makeCombinedChartView({lineData(), splineData()}, parent), nullptr);
    EXPECT_EQ(ChartManager::makeCombinedChartView({}, parent), nullptr);
    EXPECT_EQ(ChartManager::makeCombinedChartView({lineData(), nullptr}, parent), nullptr);
}

TEST_F(ChartFactoryTest, CellShowsOnlyTheChartOfItsLatestDescriptions) {
    const auto cell = loadChartCell();
    ASSERT_NE(cell, nullptr);

    cell->setChartData({splineData()}, parent);
    ASSERT_EQ(cell->contentView()->subviews().size(), 1u);
    EXPECT_NE(std::dynamic_pointer_cast<SplineChartView>(cell->contentView()->subviews()[0]), nullptr)
        << "a lone spline list goes the combined way";

    const std::vector<std::shared_ptr<ChartData>> twoLines{lineData(), lineData()};
    cell->setChartData(twoLines, parent);
    ASSERT_EQ(cell->contentView()->subviews().size(), 1u);
    EXPECT_NE(std::dynamic_pointer_cast<LineChartView>(cell->contentView()->subviews()[0]), nullptr);
    EXPECT_EQ(cell->chartData, twoLines);

    cell->setChartData({lineData(), splineData()}, parent);
    EXPECT_TRUE(cell->contentView()->subviews().empty()) << "a mixed row is never drawn";
}

TEST_F(ChartFactoryTest, OnlyUnitCircleCellsReplayTheirAnimation) {
    const auto circleCell = loadChartCell();
    circleCell->setChartData({samples::angle(45, 0, Quadrant::first)}, parent);
    const auto circle =
        std::dynamic_pointer_cast<UnitCircleChartView>(circleCell->contentView()->subviews().front());
    ASSERT_NE(circle, nullptr);
    EXPECT_FALSE(circle->isAnimationRunning);
    ChartManager::animateChartCell(circleCell);
    EXPECT_TRUE(circle->isAnimationRunning);

    // A unit circle shown among other charts is not the cell's first view and is left alone.
    const auto other = UnitCircleChartView::withFrame({0, 0, 360, 180});
    other->unitCircleChartData = samples::angle(45, 0, Quadrant::first);
    const auto lineCell = loadChartCell();
    lineCell->setChartData({lineData()}, parent);
    lineCell->contentView()->addSubview(other);
    ChartManager::animateChartCell(lineCell);
    lineCell->chartData = {samples::angle(45, 0, Quadrant::first)};
    ChartManager::animateChartCell(lineCell);
    EXPECT_FALSE(other->isAnimationRunning);
}

TEST_F(ChartFactoryTest, PresentationShowsTheCaseTableOfTheValue) {
    const auto view = DistributionFunctionPresentationView::withFrame({0, 0, 360, 180}, 0.75);
    const std::vector<std::pair<std::weak_ptr<MTMathUILabel>, std::string>> expected{
        {view->labelLeft, "F(X) = "},
        {view->labelMid, "\\{"},
        {view->label1, "0;"},
        {view->label2, "0.75;"},
        {view->label3, "1;"},
        {view->label4, "\\quad x<0"},
        {view->label5, "\\quad 0 \\le x < 1"},
        {view->label6, "\\quad 1 \\le x"}};
    for (const auto& [outlet, latex] : expected) {
        const auto label = outlet.lock();
        ASSERT_NE(label, nullptr) << latex;
        EXPECT_EQ(label->latex(), latex);
        EXPECT_EQ(label->textColor(), UIColor::labelColor()) << latex;
    }
    EXPECT_EQ(view->labelMid.lock()->fontSize(), 46) << "the brace spans the three rows";

    const std::vector<std::pair<double, std::string>> numbers{
        {1e-11, "0;"},
        {2e12, "2000000000000;"},
        {-std::numeric_limits<double>::infinity(), "-\\infty;"},
        {1.0 / 3, "0.3333333333;"}};
    for (const auto& [number, latex] : numbers)
        EXPECT_EQ(
            DistributionFunctionPresentationView::withFrame({0, 0, 360, 180}, number)->label2.lock()->latex(),
            latex);
}

TEST(ChartDataFamily, RawValuesNameTheCasesExactly) {
    EXPECT_EQ(quadrantFromRawValue("IV"), Quadrant::fourth);
    EXPECT_EQ(quadrantFromRawValue("4"), std::nullopt);
    EXPECT_EQ(quadrantFromRawValue("iv"), std::nullopt);
    EXPECT_EQ(chartDataTypeFromRawValue("commonSpline"), ChartDataType::commonSpline);
    EXPECT_EQ(chartDataTypeFromRawValue("spline"), std::nullopt);
    EXPECT_EQ(rawValue(ChartDataType::bernoulliDistributionTree), "bernoulliDistributionTree");
    EXPECT_EQ(trigonometricTypeFromRawValue("Tan"), std::nullopt);
    EXPECT_EQ(functionLabel(TrigonometricType::cos), "cos(x)");

    const UnitCircleChartData circle(-1e9, 0, 0, -3, Quadrant::third);
    EXPECT_EQ(circle.frameRatio, 2.0);
}
