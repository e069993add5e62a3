#include "engine/KivoColor.h"
#include "engine/LocalizedString.h"
#include "engine/TypedNumber.h"

#include <gtest/gtest.h>

namespace {

TEST(LocalizedString, ExampleInputsPassTheExactProbabilityCheck) {
    const auto& inputs = LocalizedString::defaultExampleInputs();
    ASSERT_EQ(inputs.size(), 10u);
    std::vector<ExactNumber> probabilities;
    for (int row = 0; row < 5; ++row) {
        const std::optional<ExactNumber> typed = typedNumber(inputs.at("probability" + std::to_string(row)));
        ASSERT_TRUE(typed);
        probabilities.push_back(*typed);
    }
    EXPECT_EQ(ExactNumber::sum(probabilities), ExactNumber(1));
    EXPECT_EQ(LocalizedString::appKeyDictionary().at("appKey"), AnyValue("OB"));
    EXPECT_EQ(LocalizedString::appKeyDictionary().at("inputCalculationSelection"), AnyValue(1));
}

TEST(KivoColor, DarkModeScalesTheBrightnessAndThePaletteIsFixedAtFirstUse) {
    const UIColor green(0.0, 0.9, 0.46, 1.0);
    UITraitCollection(UIUserInterfaceStyle::light).performAsCurrentTraitCollection([&] {
        EXPECT_EQ(KivoColor::adaptedColorForDarkMode(green, 0.7), green);
    });
    UITraitCollection(UIUserInterfaceStyle::dark).performAsCurrentTraitCollection([&] {
        CGFloat hue = 0, saturation = 0, brightness = 0, alpha = 0;
        CGFloat darkHue = 0, darkSaturation = 0, darkBrightness = 0, darkAlpha = 0;
        green.getHue(&hue, &saturation, &brightness, &alpha);
        KivoColor::adaptedColorForDarkMode(green, 0.7)
            .getHue(&darkHue, &darkSaturation, &darkBrightness, &darkAlpha);
        EXPECT_NEAR(darkBrightness, 0.63, 1e-9);
        EXPECT_NEAR(darkHue, hue, 1e-9);
        EXPECT_NEAR(darkSaturation, saturation, 1e-9);
        EXPECT_EQ(darkAlpha, 1.0);
        const UIColor darkGreen = UIColor::colorWithHue(0.4, 1.0, 0.46, 1.0);
        CGFloat scaled = 0;
        KivoColor::adaptedColorForDarkMode(darkGreen, 0.7).getHue(nullptr, nullptr, &scaled, nullptr);
        EXPECT_NEAR(scaled, 0.322, 1e-9);
        KivoColor::adaptedColorForDarkMode(darkGreen, -1).getHue(nullptr, nullptr, &scaled, nullptr);
        EXPECT_EQ(scaled, 0.0);
    });

    // The palette is fixed at first use.
    UIColor first;
    UITraitCollection(UIUserInterfaceStyle::light).performAsCurrentTraitCollection([&] {
        first = KivoColor::paletteViolet();
    });
    EXPECT_EQ(first, UIColor(0.33, 0.29, 0.68, 1.0));
    UITraitCollection(UIUserInterfaceStyle::dark).performAsCurrentTraitCollection([&] {
        EXPECT_EQ(KivoColor::paletteViolet(), first);
        CGFloat red = 0, green = 0, blue = 0, alpha = 0;
        KivoColor::paletteDarkBlue().getRed(&red, &green, &blue, &alpha);
        EXPECT_NEAR(blue, 0.32 * 0.7, 1e-9);
    });
}

// Cards cast a shadow in the label colour: below them in light mode, softer and all round in dark mode.
TEST(KivoColor, CardShadowIsSofterAndCentredInDarkMode) {
    CALayer layer;
    layer.setMasksToBounds(true);
    UITraitCollection(UIUserInterfaceStyle::light).performAsCurrentTraitCollection([&] {
        KivoColor::applyShadow(layer);
    });
    EXPECT_FALSE(layer.masksToBounds()) << "a masked layer would cut its own shadow";
    EXPECT_EQ(layer.shadowColor(), UIColor::blackColor());
    EXPECT_FLOAT_EQ(layer.shadowOpacity(), 0.5f);
    EXPECT_EQ(layer.shadowOffset(), (CGSize{0, 1.5}));
    EXPECT_EQ(layer.shadowRadius(), 2);

    UITraitCollection(UIUserInterfaceStyle::dark).performAsCurrentTraitCollection([&] {
        KivoColor::applyShadow(layer);
    });
    EXPECT_EQ(layer.shadowColor(), UIColor::whiteColor());
    EXPECT_FLOAT_EQ(layer.shadowOpacity(), 0.5f);
    EXPECT_EQ(layer.shadowOffset(), (CGSize{0, 0}));
    EXPECT_EQ(layer.shadowRadius(), 1);
}

} // namespace
