#pragma once

#include "charts/ChartData.h"
#include "platform/uikit/UITableViewCell.h"

#include <memory>
#include <vector>

// A result-page row that shows the chart of its descriptions (nib "ChartTableViewCell").
class ChartTableViewCell : public UITableViewCell {
  public:
    using UITableViewCell::UITableViewCell;

    // Registers the nib "ChartTableViewCell"; the result screen calls this before it registers the
    // nib with its table.
    static void registerNib();

    // The descriptions last given to the cell.
    std::vector<std::shared_ptr<ChartData>> chartData;

    // Replaces the cell's chart by the view for the descriptions, sized for the parent view's width.
    void setChartData(const std::vector<std::shared_ptr<ChartData>>& data,
                      const std::shared_ptr<UIView>& parentView);
};
