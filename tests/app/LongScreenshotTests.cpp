#include "AppTest.h"

#include "app/LongScreenshot.h"
#include "charts/ChartTableViewCell.h"
#include "platform/graphics/UIImage.h"
#include "platform/uikit/UITableView.h"

namespace {

using LongScreenshot = AppTest;

// One plain row, then one chart row.
class PlainAndChartRows : public UITableViewDataSource {
  public:
    int tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int) override { return 2; }
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                                    const NSIndexPath& indexPath) override {
        if (indexPath.row == 0)
            return std::make_shared<UITableViewCell>(UITableViewCellStyle::defaultStyle, "plain");
        return std::make_shared<ChartTableViewCell>(UITableViewCellStyle::defaultStyle, "chartCell");
    }
};

TEST_F(LongScreenshot, ChartRowsAreTakenOnlyAfterTheirAnimationHadTwoSeconds) {
    auto holder = std::make_shared<UIViewController>();
    show(holder);
    auto table = std::make_shared<UITableView>(CGRect{0, 0, 300, 400});
    auto rows = std::make_shared<PlainAndChartRows>();
    table->setDataSource(rows);
    table->setRowHeight(60);
    holder->view()->addSubview(table);
    table->reloadData();
    settle();

    std::optional<std::shared_ptr<UIImage>> result;
    captureFullTableImage(table, std::nullopt, std::nullopt,
                          [&result](std::shared_ptr<UIImage> image) { result = image; });
    settle();
    EXPECT_FALSE(result) << "the chart row waits";
    clock->advance(1.9);
    settle();
    EXPECT_FALSE(result);
    clock->advance(0.2);
    settle();
    ASSERT_TRUE(result);
    ASSERT_NE(*result, nullptr);
    EXPECT_EQ((*result)->size().height, 120) << "both rows, one after the other";
}

} // namespace
