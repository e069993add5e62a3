#include "AppFrameTest.h"

#include "app/InputRows.h"
#include "app/RemoteConfigManager.h"
#include "app/VideoCollectionTableViewCell.h"
#include "charts/SharingInProgress.h"
#include "platform/foundation/Utf8.h"
#include "platform/graphics/UIImage.h"
#include "platform/math/MTMathUILabel.h"
#include "platform/uikit/UIActivityViewController.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UICollectionView.h"

namespace {

class Sharing : public AppFrameTest {
  protected:
    std::shared_ptr<SolutionStepTableViewCell> stepCell(int row) {
        return std::dynamic_pointer_cast<SolutionStepTableViewCell>(
            result->tableView->cellForRowAtIndexPath({0, row}));
    }
    // Where the formula area of a row on screen lies in the window.
    CGRect formulaArea(int row) { return inWindow(*stepCell(row)->scrollView); }
};

// Share of pixels in a rectangle of the image (pixels) that differ clearly from its first pixel.
double inkIn(const UIImage& image, const CGRect& area) {
    const auto background = image.colorAtPoint({area.minX() + 1, area.minY() + 1});
    int ink = 0, total = 0;
    for (CGFloat y = area.minY() + 2; y < area.maxY() - 2; y += 2) {
        for (CGFloat x = area.minX() + 2; x < area.maxX() - 2; x += 3) {
            const auto pixel = image.colorAtPoint({x, y});
            ++total;
            if (pixel && background &&
                std::abs(pixel->red - background->red) + std::abs(pixel->green - background->green) +
                        std::abs(pixel->blue - background->blue) >
                    0.6)
                ++ink;
        }
    }
    return total == 0 ? 0 : static_cast<double>(ink) / total;
}

double inkInBand(const UIImage& image, CGFloat top, CGFloat bottom) {
    return inkIn(image, {0, top, image.size().width, bottom - top});
}

TEST_F(Sharing, TheWholeResultTableIsSavedAsOneLongPicture) {
    typeWorkedExample(0);
    tapCalculate();
    ASSERT_EQ(result->solutionSteps.size(), 24u);
    auto table = result->tableView;

    // A wide formula swiped to its end, then the page scrolled down and back up: every row shows its
    // formula from the start, however the rows' cells were reused.
    int swiped = 0;
    while (swiped < 24) {
        table->scrollToRowAtIndexPath({0, swiped}, UITableViewScrollPosition::top, false);
        settle();
        if (stepCell(swiped)->scrollView->canScrollHorizontally())
            break;
        ++swiped;
    }
    ASSERT_LT(swiped, 24) << "the variance formulas are wider than the page";
    window->sendScroll(formulaArea(swiped).center(), {5000, 0});
    settle();
    table->setContentOffset(table->maximumContentOffset());
    settle();
    table->setContentOffset({0, 0});
    settle();
    // The widest row: its formula with the margins around it.
    CGFloat widest = 0;
    int widestRow = 0;
    for (int row = 0; row < 24; ++row) {
        if (result->solutionSteps[static_cast<std::size_t>(row)].at("latexString").empty())
            continue;
        table->scrollToRowAtIndexPath({0, row}, UITableViewScrollPosition::top, false);
        settle();
        const CGRect area = formulaArea(row);
        EXPECT_GT(inkInBand(*window->renderImage(1), area.minY(), area.maxY()), 0.002) << "row " << row;
        EXPECT_EQ(stepCell(row)->scrollView->contentOffset().x, 0) << "row " << row << " shows its start";
        if (const CGFloat width = stepCell(row)->mathLabel->intrinsicContentSize().width; width > widest) {
            widest = width;
            widestRow = row;
        }
    }
    table->setContentOffset({0, 0});
    settle();

    std::vector<CGFloat> rowHeights;
    for (int row = 0; row < 24; ++row)
        rowHeights.push_back(table->rectForRowAtIndexPath({0, row}).height());
    const CGPoint offsetBefore = table->contentOffset();

    tap(*result->shareButton);
    ASSERT_EQ(eventsNamed("kivo_tapped_share").size(), 1u);
    EXPECT_EQ(eventsNamed("kivo_tapped_share")[0].parameters.at("solutionStepsCount").integerValue(), 24);
    auto alert = std::dynamic_pointer_cast<UIAlertController>(drawer->presentedViewController());
    ASSERT_NE(alert, nullptr) << "the quality note comes up while the picture is taken";
    EXPECT_EQ(alert->alertTitle(), "Sharing your solution");
    EXPECT_FALSE(isSharingInProgress);
    EXPECT_EQ(window->viewWithTag(ViewManager::loadingOverlayTag), nullptr)
        << "the overlay is gone after the capture";
    EXPECT_EQ(table->contentOffset(), offsetBefore) << "the table ends where it started";

    tap(*alert->buttonForAction(alert->actions().front().get()));
    clock->advance(1.0);
    settle();
    auto sheet = std::dynamic_pointer_cast<UIActivityViewController>(drawer->presentedViewController());
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->savedPaths().size(), 1u);
    const auto saved = sheet->savedPaths().front();
    EXPECT_EQ(saved.parent_path().filename(), "shared");
    auto picture = UIImage::imageWithContentsOfFile(saved.string());
    ASSERT_NE(picture, nullptr);
    const CGFloat scale = UIScreen::mainScreen()->scale();
    CGFloat expectedHeight = 0;
    for (CGFloat height : rowHeights)
        expectedHeight += height;
    EXPECT_NEAR(picture->size().height, expectedHeight * scale, 2);
    EXPECT_NEAR(picture->size().width, widest * scale, 2);

    // Each formula row carries ink, down to the last: the formulas were drawn into their pieces; the
    // widest to its end, just inside its right margin.
    CGFloat top = 0;
    for (std::size_t row = 0; row < rowHeights.size(); ++row) {
        const CGFloat bottom = top + rowHeights[row] * scale;
        if (!result->solutionSteps[row].at("latexString").empty()) {
            EXPECT_GT(inkInBand(*picture, top, bottom), 0.002) << "row " << row;
        }
        if (row == static_cast<std::size_t>(widestRow)) {
            EXPECT_GT(inkIn(*picture, {(widest - 80 - 40) * scale, top, 40 * scale, bottom - top}), 0.002);
        }
        top = bottom;
    }
    picture->writePNG(outputPath("e2e_shared_solution.png").string());
}

TEST_F(Sharing, AnEmptyResultSharesNothing) {
    result->shareSolution();
    settle();
    EXPECT_EQ(eventsNamed("kivo_tapped_share").size(), 1u);
    EXPECT_EQ(drawer->presentedViewController(), nullptr);
    EXPECT_EQ(window->viewWithTag(ViewManager::loadingOverlayTag), nullptr);
}

class Screens : public AppFrameTest, public ::testing::WithParamInterface<UIUserInterfaceStyle> {
  protected:
    UIUserInterfaceStyle appearance() const override { return GetParam(); }
};

TEST_P(Screens, InputAndResultPagesAreSavedForReview) {
    const std::string style = GetParam() == UIUserInterfaceStyle::dark ? "dark" : "light";
    typeWorkedExample(1);
    typeInto(1, true, "");
    auto inputPicture = window->renderImage();
    ASSERT_NE(inputPicture, nullptr);
    inputPicture->writePNG(outputPath("e2e_input_" + style + ".png").string());
    // The Calculate key sits on the green accent and shows its check mark in white.
    const CGRect calculate = inWindow(*input->calculateButton);
    const auto keyColor = inputPicture->colorAtPoint({calculate.minX() + 6, calculate.midY()});
    ASSERT_TRUE(keyColor);
    EXPECT_GT(keyColor->green, keyColor->red + 0.3);

    tapCalculate();
    clock->advance(1.0);
    settle();
    auto resultPicture = window->renderImage();
    resultPicture->writePNG(outputPath("e2e_result_" + style + ".png").string());
    const CGRect table = inWindow(*result->tableView);
    const auto background = resultPicture->colorAtPoint({table.minX() + 5, table.maxY() - 5});
    ASSERT_TRUE(background);
    const CGFloat brightness = background->red + background->green + background->blue;
    EXPECT_TRUE(GetParam() == UIUserInterfaceStyle::dark ? brightness < 0.5 : brightness > 2.5) << brightness;
    EXPECT_GT(inkInBand(*resultPicture, table.minY(), table.minY() + 300), 0.002)
        << "the first steps are drawn";

    // A field of the longest value shows its start, keeps the whole value and takes keys up to its limit.
    tabs->select(0);
    input->allFields.push_back({std::string(maximumFieldLength - 1, '7'), ""});
    inputTable()->reloadData();
    typeInto(5, false, "12");
    EXPECT_EQ(utf8CharacterCount(input->allFields[5].event), maximumFieldLength);
    auto longValue = field(5, false);
    auto longPicture = window->renderImage(1);
    longPicture->writePNG(outputPath("e2e_long_value_" + style + ".png").string());
    EXPECT_GT(inkIn(*longPicture, inWindow(*longValue).insetBy(4, 4)), 0.05);
}

INSTANTIATE_TEST_SUITE_P(Appearances, Screens,
                         ::testing::Values(UIUserInterfaceStyle::light, UIUserInterfaceStyle::dark));

class VideoRow : public AppFrameTest, public ::testing::WithParamInterface<CGSize> {
  protected:
    void configureScreen() override { UIScreen::mainScreen()->configure(GetParam(), 3, {47, 0, 34, 0}); }
    void TearDown() override {
        RemoteConfigManager::shared()->videoTutorials.reset();
        AppFrameTest::TearDown();
    }
};

TEST_P(VideoRow, TheVideosTheirLockAndButtonsLieInsideTheWindow) {
    RemoteConfigManager::shared()->videoTutorials = RemoteConfigManager::VideoTutorials{
        {"OB", {{"en", {"https://youtu.be/ABCDEFGHIJK", "https://youtu.be/BCDEFGHIJKL"}}}}};
    input->allFields = {{"4", ""}, {"5", ""}};
    tapCalculate();
    auto table = result->tableView;
    ASSERT_EQ(table->numberOfSections(), 2) << "steps and videos";
    table->scrollToRowAtIndexPath({1, 0}, UITableViewScrollPosition::bottom, false);
    settle();
    auto row = std::dynamic_pointer_cast<VideoCollectionTableViewCell>(table->cellForRowAtIndexPath({1, 0}));
    ASSERT_NE(row, nullptr);

    const CGFloat width = window->bounds().width();
    for (const std::shared_ptr<UIView>& view : std::vector<std::shared_ptr<UIView>>{
             row->contentView(), row->videoCollectionView.lock(), row->lockingView.lock(),
             row->unlockButton.lock(), row->privacyButton.lock(), row->manualButton.lock()}) {
        ASSERT_NE(view, nullptr);
        EXPECT_GE(inWindow(*view).minX(), 0) << view->accessibilityIdentifier();
        EXPECT_LE(inWindow(*view).maxX(), width) << view->accessibilityIdentifier();
    }
    EXPECT_NEAR(inWindow(*row->unlockButton.lock()).midX(), width / 2, 0.5) << "the lock sits in the middle";
    window->renderImage()->writePNG(
        outputPath("e2e_video_row_" + std::to_string(int(width)) + ".png").string());
}

INSTANTIATE_TEST_SUITE_P(ScreenWidths, VideoRow,
                         ::testing::Values(CGSize{320, 568}, CGSize{390, 844}, CGSize{430, 932}));

} // namespace
