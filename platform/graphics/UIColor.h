#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/graphics/UITraitCollection.h"

// A colour value in sRGB. A dynamic colour carries a light and a dark variant and resolves
// against the current trait collection whenever its components are read or it is drawn;
// cgColor() freezes it to the variant of the moment, as layer colour properties expect.
class UIColor {
  public:
    struct RGBA {
        CGFloat red = 0, green = 0, blue = 0, alpha = 0;
        bool operator==(const RGBA&) const = default;
    };

    // Transparent black.
    UIColor() = default;
    // Components are clamped to 0...1.
    UIColor(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
    static UIColor colorWithRed(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha) {
        return UIColor(red, green, blue, alpha);
    }
    static UIColor colorWithWhite(CGFloat white, CGFloat alpha);
    static UIColor colorWithHue(CGFloat hue, CGFloat saturation, CGFloat brightness, CGFloat alpha);
    static UIColor dynamicColor(const UIColor& light, const UIColor& dark);

    bool isDynamic() const { return light_ != dark_; }
    UIColor resolvedColorWithTraitCollection(const UITraitCollection& traits) const;
    // The variant for the current trait collection, no longer dynamic.
    UIColor cgColor() const;
    RGBA rgba() const;
    RGBA rgba(const UITraitCollection& traits) const;

    // Each returns true and fills the non-null outputs; our colours always have RGB components.
    bool getRed(CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha) const;
    bool getHue(CGFloat* hue, CGFloat* saturation, CGFloat* brightness, CGFloat* alpha) const;
    CGFloat alpha() const { return rgba().alpha; }
    // Keeps dynamism: both variants get the alpha.
    UIColor colorWithAlphaComponent(CGFloat alpha) const;

    bool operator==(const UIColor&) const = default;

    static UIColor clearColor();
    static UIColor blackColor();
    static UIColor whiteColor();
    static UIColor grayColor();
    static UIColor redColor();
    static UIColor greenColor();
    static UIColor blueColor();
    static UIColor orangeColor();

    static UIColor labelColor();
    static UIColor systemBackgroundColor();
    static UIColor tertiarySystemGroupedBackgroundColor();
    static UIColor systemGrayColor();
    static UIColor systemGray4Color();
    static UIColor systemRedColor();
    static UIColor systemOrangeColor();
    static UIColor systemGreenColor();
    static UIColor systemBlueColor();
    static UIColor separatorColor();
    static UIColor placeholderTextColor();

  private:
    UIColor(const RGBA& light, const RGBA& dark) : light_(light), dark_(dark) {}
    static UIColor system(int lightRGB, int darkRGB, CGFloat alpha = 1.0);

    RGBA light_;
    RGBA dark_;
};
