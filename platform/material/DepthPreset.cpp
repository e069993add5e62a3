#include "platform/material/DepthPreset.h"

#include "platform/graphics/CALayer.h"

void applyDepthPreset(CALayer& layer, DepthPreset preset) {
    auto level = static_cast<int>(preset);
    layer.setShadowColor(UIColor::blackColor());
    layer.setShadowOffset({0, static_cast<CGFloat>(level)});
    layer.setShadowRadius(level);
    layer.setShadowOpacity(level == 0 ? 0.0f : 0.3f);
}
