#include "platform/graphics/UIColor.h"

#include <gtest/gtest.h>

namespace {

class ColorTest : public ::testing::Test {
  protected:
    void TearDown() override { UITraitCollection::setCurrentTraitCollection(UITraitCollection()); }

    static void setStyle(UIUserInterfaceStyle style) {
        UITraitCollection::setCurrentTraitCollection(UITraitCollection(style));
    }
};

struct HSB {
    CGFloat h, s, b, a;
};

HSB hsbOf(const UIColor& color) {
    HSB v{};
    EXPECT_TRUE(color.getHue(&v.h, &v.s, &v.b, &v.a));
    return v;
}

TEST_F(ColorTest, HueSaturationBrightnessOfKnownColoursAndRoundTripsInEverySector) {
    const std::vector<std::pair<UIColor, HSB>> known{
        {UIColor(1, 0.5, 0, 1), {30.0 / 360, 1, 1, 1}},
        {UIColor(0.8, 0.2, 0.6, 0.5), {320.0 / 360, 0.75, 0.8, 0.5}},
        {UIColor::colorWithWhite(0.4, 1), {0, 0, 0.4, 1}},
        {UIColor::blackColor(), {0, 0, 0, 1}}};
    for (const auto& [color, expected] : known) {
        HSB v = hsbOf(color);
        EXPECT_NEAR(v.h, expected.h, 1e-12);
        EXPECT_NEAR(v.s, expected.s, 1e-12);
        EXPECT_NEAR(v.b, expected.b, 1e-12);
        EXPECT_NEAR(v.a, expected.a, 1e-12);
    }
    for (CGFloat hue : {0.0, 0.05, 0.2, 0.4, 0.55, 0.7, 0.85, 0.99}) {
        HSB back = hsbOf(UIColor::colorWithHue(hue, 0.9, 0.7, 0.8));
        EXPECT_NEAR(back.h, hue, 1e-9) << hue;
        EXPECT_NEAR(back.s, 0.9, 1e-9) << hue;
        EXPECT_NEAR(back.b, 0.7, 1e-9) << hue;
        EXPECT_NEAR(back.a, 0.8, 1e-9) << hue;
    }
    // Hue wraps around and components are clamped.
    EXPECT_EQ(UIColor::colorWithHue(1.0, 1, 1, 1), UIColor::colorWithHue(0.0, 1, 1, 1));
    EXPECT_EQ(UIColor::colorWithHue(1.25, 1, 1, 1), UIColor::colorWithHue(0.25, 1, 1, 1));
    EXPECT_EQ(UIColor(1.5, -0.2, 0.5, 2).rgba(), (UIColor::RGBA{1, 0, 0.5, 1}));
}

TEST_F(ColorTest, SystemColoursResolveAgainstTheCurrentStyleOrAnOverrideForOneCall) {
    UIColor label = UIColor::labelColor();
    EXPECT_TRUE(label.isDynamic());
    setStyle(UIUserInterfaceStyle::unspecified);
    EXPECT_EQ(label.rgba(), (UIColor::RGBA{0, 0, 0, 1})) << "an unspecified style is light";
    setStyle(UIUserInterfaceStyle::dark);
    EXPECT_EQ(label.rgba(), (UIColor::RGBA{1, 1, 1, 1}));
    EXPECT_FALSE(UIColor::whiteColor().isDynamic());
    for (const UIColor& color :
         {UIColor::systemBackgroundColor(), UIColor::systemGray4Color(),
          UIColor::tertiarySystemGroupedBackgroundColor(), UIColor::separatorColor()}) {
        EXPECT_NE(color.rgba(UITraitCollection(UIUserInterfaceStyle::light)),
                  color.rgba(UITraitCollection(UIUserInterfaceStyle::dark)));
    }
    setStyle(UIUserInterfaceStyle::light);
    UIColor::RGBA inside;
    UITraitCollection(UIUserInterfaceStyle::dark).performAsCurrentTraitCollection([&] {
        inside = label.rgba();
        EXPECT_TRUE(UITraitCollection::currentTraitCollection().isDark());
    });
    EXPECT_EQ(inside, (UIColor::RGBA{1, 1, 1, 1}));
    EXPECT_FALSE(UITraitCollection::currentTraitCollection().isDark()) << "the override ends with the call";
}

TEST_F(ColorTest, FrozenAlphaOverriddenAndTwoColourVariants) {
    setStyle(UIUserInterfaceStyle::dark);
    UIColor frozen = UIColor::labelColor().cgColor();
    EXPECT_FALSE(frozen.isDynamic());
    setStyle(UIUserInterfaceStyle::light);
    EXPECT_EQ(frozen.rgba(), (UIColor::RGBA{1, 1, 1, 1}));
    EXPECT_EQ(UIColor::labelColor().rgba(), (UIColor::RGBA{0, 0, 0, 1}));
    UIColor toast = UIColor::labelColor().colorWithAlphaComponent(0.8);
    EXPECT_TRUE(toast.isDynamic());
    EXPECT_EQ(toast.rgba(UITraitCollection(UIUserInterfaceStyle::light)), (UIColor::RGBA{0, 0, 0, 0.8}));
    EXPECT_EQ(toast.rgba(UITraitCollection(UIUserInterfaceStyle::dark)), (UIColor::RGBA{1, 1, 1, 0.8}));
    UIColor c = UIColor::dynamicColor(UIColor::redColor(), UIColor::blueColor());
    EXPECT_EQ(c.resolvedColorWithTraitCollection(UITraitCollection(UIUserInterfaceStyle::dark)),
              UIColor::blueColor());
    EXPECT_EQ(c.resolvedColorWithTraitCollection(UITraitCollection(UIUserInterfaceStyle::light)),
              UIColor::redColor());
}

} // namespace
