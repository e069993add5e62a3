#include "engine/KivoColor.h"

#include <algorithm>

UIColor KivoColor::makeThemeColor(double red, double green, double blue) {
    return adaptedColorForDarkMode(UIColor(red, green, blue, themeAlpha), 0.7);
}

UIColor KivoColor::adaptedColorForDarkMode(const UIColor& color, double factor) {
    if (!UITraitCollection::currentTraitCollection().isDark())
        return color;
    CGFloat hue = 0, saturation = 0, brightness = 0, alpha = 0;
    color.getHue(&hue, &saturation, &brightness, &alpha);
    return UIColor::colorWithHue(hue, saturation, std::max<CGFloat>(brightness * factor, 0), alpha);
}

const UIColor& KivoColor::paletteBlue() {
    static const UIColor color = makeThemeColor(0.1, 0.14, 0.49);
    return color;
}

const UIColor& KivoColor::paletteViolet() {
    static const UIColor color = makeThemeColor(0.33, 0.29, 0.68);
    return color;
}

const UIColor& KivoColor::paletteDarkBlue() {
    static const UIColor color = makeThemeColor(0.0, 0.0, 0.32);
    return color;
}

const UIColor& KivoColor::paletteGreenAccent() {
    static const UIColor color = makeThemeColor(0.0, 0.9, 0.46);
    return color;
}

const UIColor& KivoColor::paletteDarkGreen() {
    static const UIColor color = makeThemeColor(0.0, 0.7, 0.28);
    return color;
}
