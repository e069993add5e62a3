#include "engine/KivoColor.h"

#include <algorithm>
#include <charconv>

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

std::optional<std::string> KivoColor::hexString(const UIColor& color) {
    CGFloat red = 0, green = 0, blue = 0;
    if (!color.getRed(&red, &green, &blue, nullptr))
        return std::nullopt;
    const auto byte = [](CGFloat component) { return static_cast<unsigned>(component * 255); };
    const unsigned value = byte(red) * 65536 + byte(green) * 256 + byte(blue);
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
    const std::string hex(digits, end);
    return "#" + std::string(6 - hex.size(), '0') + hex;
}

void KivoColor::applyShadow(CALayer& layer) {
    const bool dark = UITraitCollection::currentTraitCollection().isDark();
    layer.setMasksToBounds(false);
    layer.setShadowColor(UIColor::labelColor().cgColor());
    layer.setShadowOpacity(0.5);
    layer.setShadowOffset(dark ? CGSize{0, 0} : CGSize{0, 1.5});
    layer.setShadowRadius(dark ? 1 : 2);
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
