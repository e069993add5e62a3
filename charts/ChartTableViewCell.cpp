#include "charts/ChartTableViewCell.h"

#include "charts/ChartManager.h"
#include "platform/uikit/UINib.h"

void ChartTableViewCell::registerNib() {
    UINib::registerNib("ChartTableViewCell", [](const std::shared_ptr<UIResponder>&) {
        auto cell = std::make_shared<ChartTableViewCell>(NSCoder{});
        cell->setSelectionStyle(UITableViewCellSelectionStyle::none);
        cell->setBackgroundColor(UIColor::clearColor());
        return std::vector<std::shared_ptr<UIResponder>>{cell};
    });
}

void ChartTableViewCell::setChartData(const std::vector<std::shared_ptr<ChartData>>& data,
                                      const std::shared_ptr<UIView>& parentView) {
    chartData = data;
    const auto oldViews = contentView()->subviews();
    for (const auto& view : oldViews)
        view->removeFromSuperview();
    if (data.size() == 1) {
        if (const auto view = ChartManager::makeChartView(data.front(), parentView)) {
            contentView()->addSubview(view);
            return;
        }
    }
    if (const auto view = ChartManager::makeCombinedChartView(data, parentView))
        contentView()->addSubview(view);
}
