#include "charts/ChartManager.h"

#include "charts/AreaChartManager.h"
#include "charts/BernoulliDistributionTreeChartData.h"
#include "charts/DistributionFunctionPresentationView.h"
#include "charts/LineChartManager.h"
#include "charts/SplineChartManager.h"
#include "charts/TreeChartManager.h"
#include "charts/UnitCircleChartView.h"

#include <algorithm>

namespace {

template <class Kind> bool allAre(const std::vector<std::shared_ptr<ChartData>>& data) {
    return std::all_of(data.begin(), data.end(),
                       [](const auto& entry) { return std::dynamic_pointer_cast<Kind>(entry) != nullptr; });
}

template <class Kind>
std::vector<std::shared_ptr<Kind>> castAll(const std::vector<std::shared_ptr<ChartData>>& data) {
    std::vector<std::shared_ptr<Kind>> entries;
    for (const auto& entry : data)
        entries.push_back(std::dynamic_pointer_cast<Kind>(entry));
    return entries;
}

CGFloat widthOf(const std::shared_ptr<UIView>& parentView) {
    return parentView ? parentView->frame().size.width : 0;
}

} // namespace

CGRect ChartManager::chartFrame(double frameRatio, CGFloat w) {
    return {0.05 * w, 0.05 * w / frameRatio, 0.9 * w, 0.9 * w / frameRatio};
}

std::shared_ptr<UIView> ChartManager::makeChartView(const std::shared_ptr<ChartData>& data,
                                                    const std::shared_ptr<UIView>& parentView) {
    if (!data)
        return nullptr;
    const CGRect frame = chartFrame(data->frameRatio, widthOf(parentView));
    if (const auto line = std::dynamic_pointer_cast<LineChartData>(data))
        return LineChartManager::makeLineChart(*line, frame);
    if (const auto unitCircle = std::dynamic_pointer_cast<UnitCircleChartData>(data)) {
        auto view = UnitCircleChartView::withFrame(frame);
        view->unitCircleChartData = unitCircle;
        return view;
    }
    if (const auto trigonometric = std::dynamic_pointer_cast<TrigonometricChartData>(data))
        return SplineChartManager::makeTrigonometricChart(*trigonometric, frame);
    if (const auto histogram = std::dynamic_pointer_cast<HistogramChartData>(data))
        return AreaChartManager::makeHistogramChart(*histogram, frame);
    if (const auto distribution = std::dynamic_pointer_cast<DistributionFunctionChartData>(data)) {
        if (!distribution->isPresentationView)
            return LineChartManager::makeDistributionFunctionChart(*distribution, frame);
        // The presented value is the last number of the first pair; without one there is nothing to show.
        if (distribution->dataSet.empty() || distribution->dataSet.front().empty())
            return nullptr;
        return DistributionFunctionPresentationView::withFrame(frame, distribution->dataSet.front().back());
    }
    if (const auto tree = std::dynamic_pointer_cast<BernoulliDistributionTreeChartData>(data))
        return TreeChartManager::makeTreeChart(*tree, frame);
    return nullptr;
}

std::shared_ptr<UIView>
ChartManager::makeCombinedChartView(const std::vector<std::shared_ptr<ChartData>>& data,
                                    const std::shared_ptr<UIView>& parentView) {
    if (data.empty() || !data.front())
        return nullptr;
    const CGRect frame = chartFrame(data.front()->frameRatio, widthOf(parentView));
    if (allAre<CommonSplineChartData>(data))
        return SplineChartManager::makeSplineChart(castAll<CommonSplineChartData>(data), frame);
    if (allAre<LineChartData>(data))
        return LineChartManager::makeCombinedLineChart(castAll<LineChartData>(data), frame);
    return nullptr;
}

void ChartManager::animateChartCell(const std::shared_ptr<ChartTableViewCell>& cell) {
    if (!cell)
        return;
    const auto& subviews = cell->contentView()->subviews();
    const std::shared_ptr<UIView> firstSubview = subviews.empty() ? nullptr : subviews.front();
    if (allAre<LineChartData>(cell->chartData))
        return;
    if (allAre<UnitCircleChartData>(cell->chartData)) {
        if (const auto unitCircle = std::dynamic_pointer_cast<UnitCircleChartView>(firstSubview))
            unitCircle->restartAnimation();
    }
}
