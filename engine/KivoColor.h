#pragma once

#include "platform/graphics/CALayer.h"
#include "platform/graphics/UIColor.h"

#include <optional>
#include <string>

// The theme palette. Each colour is made once, on first use, for the interface style of that moment.
namespace KivoColor {

// The alpha shared by every palette colour.
inline constexpr double themeAlpha = 1.0;

// A palette colour: these components at the shared alpha, adapted for dark mode with factor 0.7.
UIColor makeThemeColor(double red, double green, double blue);
// In dark mode the brightness is multiplied by the factor (and kept at 0 or above); in light mode
// the colour comes back unchanged.
UIColor adaptedColorForDarkMode(const UIColor& color, double factor);

// The colour as the chart library takes it: "#rrggbb" in lower case, each component times 255
// truncated (0.999 gives fe); nothing for a colour without RGB components.
std::optional<std::string> hexString(const UIColor& color);
// The shadow under the cards of the chart views, for the interface style of the moment.
void applyShadow(CALayer& layer);

const UIColor& paletteBlue();
const UIColor& paletteViolet();
const UIColor& paletteDarkBlue();
const UIColor& paletteGreenAccent();
const UIColor& paletteDarkGreen();

} // namespace KivoColor
