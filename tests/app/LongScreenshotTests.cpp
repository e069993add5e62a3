#include "AppTest.h"
#include "tests/support/Pixels.h"

#include "app/LongScreenshot.h"
#include "charts/ChartTableViewCell.h"
#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UITableView.h"

namespace {

using LongScreenshot = AppTest;

CGFloat screenWidth() {
    return UIScreen::mainScreen()->bounds().width();
}

// A row four screens wide, with a blue mark at its far end.
class WideCell : public UITableViewCell {
  public:
    WideCell() : UITableViewCell(UITableViewCellStyle::defaultStyle, "wide") {
        auto mark = std::make_shared<UIView>(CGRect{bounds().width() - 40, 0, 40, 60});
        mark->setBackgroundColor(UIColor::blueColor());
        mark->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
        contentView()->addSubview(mark);
    }
    CGSize sizeThatFits(CGSize size) const override { return {4 * screenWidth(), size.height}; }
};

// One wide row, then one chart row.
class WideAndChartRows : public UITableViewDataSource {
  public:
    int tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int) override { return 2; }
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                                    const NSIndexPath& indexPath) override {
        if (indexPath.row == 0)
            return std::make_shared<WideCell>();
        return std::make_shared<ChartTableViewCell>(UITableViewCellStyle::defaultStyle, "chartCell");
    }
};

TEST_F(LongScreenshot, RowsAreTakenWholeAndChartRowsOnlyAfterTheirAnimationHadTwoSeconds) {
    auto holder = std::make_shared<UIViewController>();
    show(holder);
    auto table = std::make_shared<UITableView>(CGRect{0, 0, 300, 400});
    auto rows = std::make_shared<WideAndChartRows>();
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
    const UIImage& picture = **result;
    // The wide row at the scale that fits three screens, its far end included; the chart row below.
    EXPECT_EQ(picture.size().width, 3 * screenWidth());
    EXPECT_EQ(picture.size().height, 60 * 3.0 / 4 + 60);
    EXPECT_TRUE(pixels::near(pixels::at(picture, picture.size().width - 5, 20), {0, 0, 1, 1}, 0.1));
    EXPECT_TRUE(pixels::near(pixels::at(picture, picture.size().width - 5, 80), {1, 1, 1, 1}, 0.1))
        << "beside the narrower chart row lies the page's background";
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 0})->bounds().width(), 300) << "the row is put back";
}

} // namespace
