#pragma once

#include "platform/graphics/UIColor.h"

#include <optional>
#include <string>

class CALayer;
class CosmosView;
class UIView;

// What styleViewByTag and styleRatingViewByTag give a view, chosen by the view's tag.
enum ColorTag : int {
    darkBlueTag = 101,
    violetTag = 102,
    blueTag = 103,
    greenAccentTag = 104,
    darkGreenTag = 105,
    // No colour of its own: the view is only dimmed.
    dimmedTag = 200,
};

// The app's colour and shadow rules. The appearance is read at every call, so a view styled again
// after a switch of appearance takes the new look.
class ColorManager {
  public:
    static UIColor adaptedColorForDarkMode(const UIColor& color, double factor);
    // "#rrggbb", each component truncated to 0...255.
    static std::optional<std::string> hexString(const UIColor& color);
    static void applyShadow(CALayer& layer);
    static void applyCardShadow(UIView& view);
    // The grey shadow that styled controls get in light mode.
    static void applyGreyShadow(CALayer& layer);
    static void styleViewByTag(UIView& view);
    static void styleRatingViewByTag(CosmosView& ratingView);
    // By exact class of each direct subview; plain views and stack views are entered.
    static void styleSubviews(UIView& view);

    // Shared colour constants: each made on first use and kept, whatever the appearance later.
    static const UIColor& groupedBackground();
    static const UIColor& shadowGrey();
    static const UIColor& labelColor();
    static const UIColor& buttonWhite();
    static const UIColor& fieldBackground();
    static const UIColor& fieldBorderGrey();
    static const UIColor& warningOrange();
    static const UIColor& errorRed();
};
