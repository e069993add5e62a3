#include "AppFrameTest.h"

#include "app/LongScreenshot.h"
#include "charts/SharingInProgress.h"
#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIActivityViewController.h"
#include "platform/uikit/UIAlertController.h"

namespace {

using Sharing = AppFrameTest;

// Share of pixels in a band of the image that differ clearly from the band's first pixel.
double inkInBand(const UIImage& image, CGFloat top, CGFloat bottom) {
    const auto background = image.colorAtPoint({1, top + 1});
    int ink = 0, total = 0;
    for (CGFloat y = top + 2; y < bottom - 2; y += 2) {
        for (CGFloat x = 2; x < image.size().width - 2; x += 3) {
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

TEST_F(Sharing, TheWholeResultTableIsSavedAsOneLongPicture) {
    typeWorkedExample(1);
    tapCalculate();
    ASSERT_EQ(result->solutionSteps.size(), 22u);
    auto table = result->tableView;
    std::vector<CGFloat> rowHeights;
    for (int row = 0; row < 22; ++row)
        rowHeights.push_back(table->rectForRowAtIndexPath({0, row}).height());
    const CGPoint offsetBefore = table->contentOffset();

    tap(*result->shareButton);
    ASSERT_EQ(eventsNamed("kivo_tapped_share").size(), 1u);
    EXPECT_EQ(eventsNamed("kivo_tapped_share")[0].parameters.at("solutionStepsCount").integerValue(), 22);
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
    EXPECT_NEAR(picture->size().width, table->bounds().width() * scale, 2);

    // Each formula row carries ink: the formulas were drawn into their pieces.
    CGFloat top = 0;
    for (std::size_t row = 0; row < rowHeights.size(); ++row) {
        const CGFloat bottom = top + rowHeights[row] * scale;
        if (!result->solutionSteps[row].at("latexString").empty()) {
            EXPECT_GT(inkInBand(*picture, top, bottom), 0.002) << "row " << row;
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

TEST(LongScreenshot, NoPiecesGiveNoPicture) {
    EXPECT_EQ(stackImagesVertically({}), nullptr);
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
    const CGRect calculate =
        input->calculateButton->convertRectToView(input->calculateButton->bounds(), window.get());
    const auto keyColor = inputPicture->colorAtPoint({calculate.minX() + 6, calculate.midY()});
    ASSERT_TRUE(keyColor);
    EXPECT_GT(keyColor->green, keyColor->red + 0.3);

    tapCalculate();
    clock->advance(1.0);
    settle();
    auto resultPicture = window->renderImage();
    resultPicture->writePNG(outputPath("e2e_result_" + style + ".png").string());
    const CGRect table = result->tableView->convertRectToView(result->tableView->bounds(), window.get());
    const auto background = resultPicture->colorAtPoint({table.minX() + 5, table.maxY() - 5});
    ASSERT_TRUE(background);
    const CGFloat brightness = background->red + background->green + background->blue;
    EXPECT_TRUE(GetParam() == UIUserInterfaceStyle::dark ? brightness < 0.5 : brightness > 2.5) << brightness;
    EXPECT_GT(inkInBand(*resultPicture, table.minY(), table.minY() + 300), 0.002)
        << "the first steps are drawn";
}

INSTANTIATE_TEST_SUITE_P(Appearances, Screens,
                         ::testing::Values(UIUserInterfaceStyle::light, UIUserInterfaceStyle::dark));

} // namespace
