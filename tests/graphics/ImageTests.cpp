#include "platform/foundation/Bundle.h"
#include "platform/graphics/UIGraphics.h"
#include "tests/support/Pixels.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <filesystem>
#include <fstream>

namespace {

// Left half red, right half half-transparent blue.
std::shared_ptr<UIImage> twoColourImage(CGFloat scale) {
    return pixels::draw({8, 4}, scale, [](CGContext& context) {
        context.setFillColor(UIColor::redColor());
        context.fillRect({0, 0, 4, 4});
        context.setFillColor(UIColor(0, 0, 1, 0.5));
        context.fillRect({4, 0, 4, 4});
    });
}

TEST(UIImageTest, PngRoundTripKeepsPixelsAndSizeAndInvalidDataGivesNoImage) {
    auto image = twoColourImage(2);
    auto png = image->pngData();
    ASSERT_TRUE(png.has_value());
    ASSERT_GT(png->size(), 8u);
    EXPECT_EQ((*png)[1], 'P');
    auto back = UIImage::imageWithData(*png, 2);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->size(), (CGSize{8, 4}));
    EXPECT_TRUE(pixels::near(pixels::at(*back, 1, 1), {1, 0, 0, 1}));
    EXPECT_TRUE(pixels::near(pixels::at(*back, 6, 1), {0, 0, 1, 0.5}));
    EXPECT_FALSE(back->colorAtPoint({8, 0}).has_value());
    EXPECT_EQ(UIImage::imageWithData({}), nullptr);
    EXPECT_EQ(UIImage::imageWithData({0x89, 'P', 'N', 'G', 1, 2, 3}), nullptr);
    EXPECT_EQ(UIImage::imageWithContentsOfFile("/nonexistent/image.png"), nullptr);
}

TEST(UIImageTest, BundleImagesAreFoundByNameWithTheirScaleInTheMainBundleByDefault) {
    TemporaryFolder bundle;
    ASSERT_TRUE(twoColourImage(3)->writePNG((bundle.path() / "manual_mean@3x.png").string()));
    ASSERT_TRUE(twoColourImage(1)->writePNG((bundle.path() / "plain.png").string()));
    auto scaled = UIImage::imageNamed("manual_mean", bundle.path().string());
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled->scale(), 3);
    EXPECT_EQ(scaled->size(), (CGSize{8, 4}));
    auto plain = UIImage::imageNamed("plain.png", bundle.path().string());
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->scale(), 1);
    EXPECT_EQ(UIImage::imageNamed("missing", bundle.path().string()), nullptr);
    EXPECT_EQ(UIImage::imageNamed("", bundle.path().string()), nullptr);
    // A corrupt resource is no image, not a crash.
    std::ofstream(bundle.path() / "broken.png") << "not a png";
    EXPECT_EQ(UIImage::imageNamed("broken", bundle.path().string()), nullptr);
    Bundle::setMainBundlePath(bundle.path());
    auto image = UIImage::imageNamed("manual_mean");
    Bundle::setMainBundlePath({});
    ASSERT_TRUE(image);
    EXPECT_EQ(image->scale(), 3);
}

TEST(UIImageTest, DrawingScalesIntoTheRectangleAndTemplatesTakeTheTint) {
    auto source = twoColourImage(1);
    auto image = pixels::draw({40, 10}, 1, [&](CGContext& context) {
        source->draw(context, {0, 0, 40, 10});
    });
    EXPECT_TRUE(pixels::near(pixels::at(*image, 10, 5), {1, 0, 0, 1}));
    EXPECT_TRUE(pixels::near(pixels::at(*image, 30, 5), {0, 0, 1, 0.5}));
    auto shape = source->imageWithRenderingMode(UIImageRenderingMode::alwaysTemplate);
    EXPECT_TRUE(shape->isTemplate());
    auto tinted = pixels::draw({8, 4}, 1, [&](CGContext& context) {
        shape->draw(context, {0, 0, 8, 4}, UIColor(0, 1, 0, 1));
    });
    EXPECT_TRUE(pixels::near(pixels::at(*tinted, 1, 1), {0, 1, 0, 1}));
    EXPECT_TRUE(pixels::near(pixels::at(*tinted, 6, 1), {0, 1, 0, 0.5}));
}

TEST(UIImageTest, LockSymbolsAreDistinctVectorTemplates) {
    auto locked = UIImage::systemImageNamed("lock.fill");
    auto open = UIImage::systemImageNamed("lock.open.fill");
    ASSERT_TRUE(locked);
    ASSERT_TRUE(open);
    EXPECT_EQ(UIImage::systemImageNamed("lock.fil"), nullptr);
    EXPECT_TRUE(locked->isTemplate());
    auto drawSymbol = [](const UIImage& symbol) {
        return pixels::draw({66, 66}, 1, [&](CGContext& context) {
            context.setFillColor(UIColor::redColor());
            context.drawImage(symbol, {0, 0, 66, 66});
        });
    };
    auto lockedImage = drawSymbol(*locked);
    auto openImage = drawSymbol(*open);
    // Both have a solid body in the lower half drawn in the fill colour.
    EXPECT_TRUE(pixels::near(pixels::at(*lockedImage, 33, 50), {1, 0, 0, 1}));
    EXPECT_TRUE(pixels::near(pixels::at(*openImage, 33, 50), {1, 0, 0, 1}));
    // The closed shackle's left leg stands over the body; the open one's does not.
    int lockedLeg = pixels::inkIn(*lockedImage, {10, 18, 16, 8}).count;
    int openLeg = pixels::inkIn(*openImage, {10, 18, 16, 8}).count;
    EXPECT_GT(lockedLeg, 20);
    EXPECT_EQ(openLeg, 0);
    // Vector symbols stay sharp when drawn large: the body's edge goes from empty to full in 2 px.
    EXPECT_TRUE(pixels::transparent(pixels::at(*lockedImage, 5, 50)));
}

TEST(UIImageTest, VectorImagesRasterizeAtTheirScaleForPixelsAndPng) {
    auto dot = UIImage::vectorImage({10, 10}, [](CGContext& context, const CGRect& rect) {
        context.setFillColor(UIColor::blueColor());
        context.fillRect(rect);
    });
    EXPECT_EQ(cairo_image_surface_get_width(dot->cairoSurface()),
              static_cast<int>(10 * UIGraphics::mainScreenScale()));
    EXPECT_TRUE(pixels::near(pixels::at(*dot, 5, 5), {0, 0, 1, 1}));
    EXPECT_TRUE(dot->pngData().has_value());
}

} // namespace
