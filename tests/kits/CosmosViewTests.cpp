#include "KitsTestSupport.h"

#include "platform/graphics/CAShapeLayer.h"
#include "platform/graphics/UIImage.h"
#include "platform/kits/CosmosView.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class CosmosTest : public KitsTest {
  protected:
    void SetUp() override {
        KitsTest::SetUp();
        stars->setFrame({20, 100, 125, 20});
        root->view()->setBackgroundColor(UIColor::whiteColor());
        root->view()->addSubview(stars);
        settle();
    }

    // The centre of star n (1-based) in window coordinates.
    CGPoint starCentre(int n) const { return {20 + (n - 1) * 25.0 + 10, 110}; }

    std::vector<std::shared_ptr<CAShapeLayer>> starLayers() const {
        std::vector<std::shared_ptr<CAShapeLayer>> result;
        for (const auto& layer : stars->layer()->sublayers()) {
            if (auto star = std::dynamic_pointer_cast<CAShapeLayer>(layer)) {
                result.push_back(star);
            }
        }
        return result;
    }

    std::shared_ptr<CosmosView> stars = std::make_shared<CosmosView>();
};

TEST_F(CosmosTest, TapsAndDragsRateTheStarUnderTheFingerWithinTheStarsUnlessTouchIsOff) {
    window->tapAtPoint(starCentre(4));
    EXPECT_EQ(stars->rating(), 4);
    window->tapAtPoint({20 + 4 * 25.0 + 19, 110});
    EXPECT_EQ(stars->rating(), 5) << "the right edge of the last star";
    window->tapAtPoint({20 + 1, 110});
    EXPECT_EQ(stars->rating(), 1) << "a touch never rates below one star";
    window->sendTouchBegan(starCentre(1));
    window->sendTouchMoved(starCentre(3));
    EXPECT_EQ(stars->rating(), 3);
    window->sendTouchEnded(starCentre(5));
    EXPECT_EQ(stars->rating(), 5);

    auto settings = stars->settings();
    settings.updateOnTouch = false;
    stars->setSettings(settings);
    window->tapAtPoint(starCentre(2));
    EXPECT_EQ(stars->rating(), 5);

    for (double out : {7.0, -1.0, std::nan("")}) {
        stars->setRating(out);
        EXPECT_EQ(stars->rating(), out > 5 ? 5 : 0) << out;
    }
    stars->setRating(3.5);
    EXPECT_EQ(stars->rating(), 3.5) << "half stars are kept";
    settings.totalStars = 3;
    settings.starSize = 30;
    settings.starMargin = 10;
    stars->setRating(5);
    stars->setSettings(settings);
    EXPECT_EQ(starLayers().size(), 3u);
    EXPECT_EQ(stars->intrinsicContentSize(), (CGSize{110, 30}));
    EXPECT_EQ(stars->rating(), 3) << "the rating follows the smaller number of stars";
}

TEST_F(CosmosTest, StarsAreLayersFilledUpToTheRatingInTheSettingsColours) {
    auto settings = stars->settings();
    settings.filledColor = UIColor(0, 0.9, 0.46, 1);
    settings.filledBorderColor = UIColor(0, 0.9, 0.46, 1);
    settings.emptyBorderColor = UIColor(0, 0.9, 0.46, 1);
    stars->setSettings(settings);
    auto layers = starLayers();
    ASSERT_EQ(layers.size(), 5u);
    // Another party styles the star layers; a new rating must not undo that.
    layers[0]->setShadowOpacity(0.7f);
    stars->setRating(2);
    EXPECT_EQ(starLayers(), layers);
    EXPECT_EQ(layers[0]->shadowOpacity(), 0.7f);
    EXPECT_EQ(layers[1]->fillColor(), settings.filledColor);
    EXPECT_EQ(layers[2]->fillColor(), settings.emptyColor);

    settle();
    auto image = window->renderImage(1);
    auto filled = image->colorAtPoint(starCentre(2));
    auto empty = image->colorAtPoint(starCentre(4));
    ASSERT_TRUE(filled && empty);
    EXPECT_NEAR(filled->green, 0.9, 0.03);
    EXPECT_LT(filled->red, 0.05);
    EXPECT_GT(empty->red, 0.95) << "an empty star shows the background inside its border";
}

} // namespace
