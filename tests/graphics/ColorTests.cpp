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

TEST_F(ColorTest, HueSaturationBrightnessOfKnownColours) {
    HSB orange = hsbOf(UIColor(1, 0.5, 0, 1));
    EXPECT_NEAR(orange.h, 30.0 / 360, 1e-12);
    EXPECT_NEAR(orange.s, 1, 1e-12);
    EXPECT_NEAR(orange.b, 1, 1e-12);

    HSB magenta = hsbOf(UIColor(0.8, 0.2, 0.6, 0.5));
    EXPECT_NEAR(magenta.h, 320.0 / 360, 1e-12);
    EXPECT_NEAR(magenta.s, 0.75, 1e-12);
    EXPECT_NEAR(magenta.b, 0.8, 1e-12);
    EXPECT_NEAR(magenta.a, 0.5, 1e-12);

    HSB grey = hsbOf(UIColor::colorWithWhite(0.4, 1));
    EXPECT_EQ(grey.h, 0);
    EXPECT_EQ(grey.s, 0);
    EXPECT_NEAR(grey.b, 0.4, 1e-12);
    HSB black = hsbOf(UIColor::blackColor());
    EXPECT_EQ(black.s, 0);
}

TEST_F(ColorTest, HSBRoundTripsThroughRGBInEverySector) {
    for (CGFloat hue : {0.0, 0.05, 0.2, 0.4, 0.55, 0.7, 0.85, 0.99}) {
        UIColor color = UIColor::colorWithHue(hue, 0.9, 0.7, 0.8);
        HSB back = hsbOf(color);
        EXPECT_NEAR(back.h, hue, 1e-9) << hue;
        EXPECT_NEAR(back.s, 0.9, 1e-9) << hue;
        EXPECT_NEAR(back.b, 0.7, 1e-9) << hue;
        EXPECT_NEAR(back.a, 0.8, 1e-9) << hue;
    }
}

TEST_F(ColorTest, HueWrapsAroundAndComponentsAreClamped) {
    EXPECT_EQ(UIColor::colorWithHue(1.0, 1, 1, 1), UIColor::colorWithHue(0.0, 1, 1, 1));
    EXPECT_EQ(UIColor::colorWithHue(1.25, 1, 1, 1), UIColor::colorWithHue(0.25, 1, 1, 1));
    CGFloat r = 0, g = 0, b = 0, a = 0;
    UIColor(1.5, -0.2, 0.5, 2).getRed(&r, &g, &b, &a);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 0.5);
    EXPECT_EQ(a, 1);
}

TEST_F(ColorTest, HueWithBrightnessScaledKeepsHueAndSaturation) {
    // The dark-mode adaptation of palette colours rebuilds a colour from its HSB with less brightness.
    UIColor accent(0.0, 0.9, 0.46, 1);
    HSB v = hsbOf(accent);
    UIColor darker = UIColor::colorWithHue(v.h, v.s, v.b * 0.7, v.a);
    CGFloat r = 0, g = 0, b = 0;
    darker.getRed(&r, &g, &b, nullptr);
    EXPECT_NEAR(r, 0.0, 1e-9);
    EXPECT_NEAR(g, 0.63, 1e-9);
    EXPECT_NEAR(b, 0.322, 1e-9);
}

TEST_F(ColorTest, SystemColoursResolveAgainstTheCurrentStyle) {
    UIColor label = UIColor::labelColor();
    EXPECT_TRUE(label.isDynamic());
    CGFloat white = -1;
    setStyle(UIUserInterfaceStyle::unspecified);
    label.getRed(&white, nullptr, nullptr, nullptr);
    EXPECT_EQ(white, 0);
    setStyle(UIUserInterfaceStyle::dark);
    label.getRed(&white, nullptr, nullptr, nullptr);
    EXPECT_EQ(white, 1);
    EXPECT_EQ(UIColor::systemBackgroundColor().rgba(), (UIColor::RGBA{0, 0, 0, 1}));
    setStyle(UIUserInterfaceStyle::light);
    EXPECT_EQ(UIColor::systemBackgroundColor().rgba(), (UIColor::RGBA{1, 1, 1, 1}));
    EXPECT_NE(UIColor::systemGray4Color().rgba(UITraitCollection(UIUserInterfaceStyle::light)),
              UIColor::systemGray4Color().rgba(UITraitCollection(UIUserInterfaceStyle::dark)));
    EXPECT_FALSE(UIColor::whiteColor().isDynamic());
}

TEST_F(ColorTest, CgColorFreezesTheVariantOfTheMoment) {
    setStyle(UIUserInterfaceStyle::dark);
    UIColor frozen = UIColor::labelColor().cgColor();
    EXPECT_FALSE(frozen.isDynamic());
    setStyle(UIUserInterfaceStyle::light);
    EXPECT_EQ(frozen.rgba(), (UIColor::RGBA{1, 1, 1, 1}));
    EXPECT_EQ(UIColor::labelColor().rgba(), (UIColor::RGBA{0, 0, 0, 1}));
}

TEST_F(ColorTest, AlphaComponentKeepsBothVariants) {
    UIColor toast = UIColor::labelColor().colorWithAlphaComponent(0.8);
    EXPECT_TRUE(toast.isDynamic());
    EXPECT_EQ(toast.rgba(UITraitCollection(UIUserInterfaceStyle::light)), (UIColor::RGBA{0, 0, 0, 0.8}));
    EXPECT_EQ(toast.rgba(UITraitCollection(UIUserInterfaceStyle::dark)), (UIColor::RGBA{1, 1, 1, 0.8}));
    EXPECT_DOUBLE_EQ(UIColor::systemGrayColor().colorWithAlphaComponent(0.3).alpha(), 0.3);
}

TEST_F(ColorTest, PerformAsCurrentOverridesOnlyForTheCallAndRestores) {
    setStyle(UIUserInterfaceStyle::light);
    UIColor::RGBA inside;
    UITraitCollection(UIUserInterfaceStyle::dark).performAsCurrentTraitCollection([&] {
        inside = UIColor::labelColor().rgba();
        EXPECT_TRUE(UITraitCollection::currentTraitCollection().isDark());
    });
    EXPECT_EQ(inside, (UIColor::RGBA{1, 1, 1, 1}));
    EXPECT_FALSE(UITraitCollection::currentTraitCollection().isDark());
}

TEST_F(ColorTest, DynamicColourBuiltFromTwoPlainColours) {
    UIColor c = UIColor::dynamicColor(UIColor::redColor(), UIColor::blueColor());
    EXPECT_EQ(c.resolvedColorWithTraitCollection(UITraitCollection(UIUserInterfaceStyle::dark)),
              UIColor::blueColor());
    EXPECT_EQ(c.resolvedColorWithTraitCollection(UITraitCollection(UIUserInterfaceStyle::light)),
              UIColor::redColor());
}

} // namespace
