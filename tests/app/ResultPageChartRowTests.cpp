#include "AppTest.h"

#include "app/SolutionViewController.h"
#include "charts/ChartData.h"
#include "platform/uikit/UIStoryboard.h"

namespace {

using ResultPageChartRows = AppTest;

struct HalfHighChart : ChartData {};

TEST_F(ResultPageChartRows, ChartRowsTakeTheirHeightFromThePagesOwnWidth) {
    auto page = std::dynamic_pointer_cast<SolutionViewController>(
        UIStoryboard::storyboardWithName("SolutionViewController")
            ->instantiateViewControllerWithIdentifier("SolutionViewController"));
    ASSERT_NE(page, nullptr);
    show(page);
    auto chart = std::make_shared<HalfHighChart>();
    chart->frameRatio = 2;
    page->solutionSteps = {{{"title", "T"}, {"latexString", "x"}}};
    page->chartSteps = {{chart}};
    // A page narrower than the window, as in a split or a popover.
    page->view()->setFrame({0, 0, 200, 500});
    EXPECT_EQ(page->heightForSolutionRow({1, 0}), 100);
}

} // namespace
