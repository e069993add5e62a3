#include "platform/graphics/UIColor.h"

#include <algorithm>
#include <cmath>

namespace {

CGFloat clamp01(CGFloat v) {
    if (std::isnan(v)) {
        return 0;
    }
    return std::clamp(v, 0.0, 1.0);
}

UIColor::RGBA clamped(CGFloat r, CGFloat g, CGFloat b, CGFloat a) {
    return {clamp01(r), clamp01(g), clamp01(b), clamp01(a)};
}

UIColor::RGBA fromHex(int rgb, CGFloat alpha) {
    return {((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0, alpha};
}

} // namespace

UIColor::UIColor(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha)
    : light_(clamped(red, green, blue, alpha)), dark_(light_) {}

UIColor UIColor::colorWithWhite(CGFloat white, CGFloat alpha) {
    return UIColor(white, white, white, alpha);
}

UIColor UIColor::colorWithHue(CGFloat hue, CGFloat saturation, CGFloat brightness, CGFloat alpha) {
    CGFloat h = std::isfinite(hue) ? hue - std::floor(hue) : 0;
    CGFloat s = clamp01(saturation);
    CGFloat v = clamp01(brightness);
    CGFloat sector = h * 6;
    int i = static_cast<int>(std::floor(sector)) % 6;
    CGFloat f = sector - std::floor(sector);
    CGFloat p = v * (1 - s);
    CGFloat q = v * (1 - s * f);
    CGFloat t = v * (1 - s * (1 - f));
    switch (i) {
    case 0:
        return UIColor(v, t, p, alpha);
    case 1:
        return UIColor(q, v, p, alpha);
    case 2:
        return UIColor(p, v, t, alpha);
    case 3:
        return UIColor(p, q, v, alpha);
    case 4:
        return UIColor(t, p, v, alpha);
    default:
        return UIColor(v, p, q, alpha);
    }
}

UIColor UIColor::dynamicColor(const UIColor& light, const UIColor& dark) {
    return UIColor(light.light_, dark.dark_);
}

UIColor UIColor::resolvedColorWithTraitCollection(const UITraitCollection& traits) const {
    RGBA c = rgba(traits);
    return UIColor(c, c);
}

UIColor UIColor::cgColor() const {
    return resolvedColorWithTraitCollection(UITraitCollection::currentTraitCollection());
}

UIColor::RGBA UIColor::rgba() const {
    return rgba(UITraitCollection::currentTraitCollection());
}

UIColor::RGBA UIColor::rgba(const UITraitCollection& traits) const {
    return traits.isDark() ? dark_ : light_;
}

bool UIColor::getRed(CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha) const {
    RGBA c = rgba();
    if (red) {
        *red = c.red;
    }
    if (green) {
        *green = c.green;
    }
    if (blue) {
        *blue = c.blue;
    }
    if (alpha) {
        *alpha = c.alpha;
    }
    return true;
}

bool UIColor::getHue(CGFloat* hue, CGFloat* saturation, CGFloat* brightness, CGFloat* alpha) const {
    RGBA c = rgba();
    CGFloat maxC = std::max({c.red, c.green, c.blue});
    CGFloat minC = std::min({c.red, c.green, c.blue});
    CGFloat delta = maxC - minC;
    CGFloat h = 0;
    if (delta > 0) {
        if (maxC == c.red) {
            h = (c.green - c.blue) / delta;
        } else if (maxC == c.green) {
            h = 2 + (c.blue - c.red) / delta;
        } else {
            h = 4 + (c.red - c.green) / delta;
        }
        h /= 6;
        if (h < 0) {
            h += 1;
        }
    }
    if (hue) {
        *hue = h;
    }
    if (saturation) {
        *saturation = maxC > 0 ? delta / maxC : 0;
    }
    if (brightness) {
        *brightness = maxC;
    }
    if (alpha) {
        *alpha = c.alpha;
    }
    return true;
}

UIColor UIColor::colorWithAlphaComponent(CGFloat alpha) const {
    RGBA l = light_;
    RGBA d = dark_;
    l.alpha = d.alpha = clamp01(alpha);
    return UIColor(l, d);
}

UIColor UIColor::system(int lightRGB, int darkRGB, CGFloat alpha) {
    return UIColor(fromHex(lightRGB, alpha), fromHex(darkRGB, alpha));
}

UIColor UIColor::clearColor() {
    return UIColor(0, 0, 0, 0);
}
UIColor UIColor::blackColor() {
    return UIColor(0, 0, 0, 1);
}
UIColor UIColor::whiteColor() {
    return UIColor(1, 1, 1, 1);
}
UIColor UIColor::grayColor() {
    return UIColor(0.5, 0.5, 0.5, 1);
}
UIColor UIColor::redColor() {
    return UIColor(1, 0, 0, 1);
}
UIColor UIColor::greenColor() {
    return UIColor(0, 1, 0, 1);
}
UIColor UIColor::blueColor() {
    return UIColor(0, 0, 1, 1);
}
UIColor UIColor::orangeColor() {
    return UIColor(1, 0.5, 0, 1);
}

UIColor UIColor::labelColor() {
    return system(0x000000, 0xffffff);
}
UIColor UIColor::systemBackgroundColor() {
    return system(0xffffff, 0x000000);
}
UIColor UIColor::tertiarySystemGroupedBackgroundColor() {
    return system(0xf2f2f7, 0x2c2c2e);
}
UIColor UIColor::systemGrayColor() {
    return system(0x8e8e93, 0x8e8e93);
}
UIColor UIColor::systemGray4Color() {
    return system(0xd1d1d6, 0x3a3a3c);
}
UIColor UIColor::systemRedColor() {
    return system(0xff3b30, 0xff453a);
}
UIColor UIColor::systemOrangeColor() {
    return system(0xff9500, 0xff9f0a);
}
UIColor UIColor::systemGreenColor() {
    return system(0x34c759, 0x30d158);
}
UIColor UIColor::systemBlueColor() {
    return system(0x007aff, 0x0a84ff);
}
UIColor UIColor::separatorColor() {
    return system(0xc6c6c8, 0x38383a);
}
UIColor UIColor::placeholderTextColor() {
    return system(0xc4c4c6, 0x5b5b60);
}
