#pragma once

class CALayer;
class CGContext;

// Draws a layer tree as presented now: shadow, background, contents, own drawing, sublayers and
// border, with corner radius, clipping, mask, opacity and transforms.
class LayerTreeRenderer {
  public:
    // The layer in its superlayer's space (position and transform applied).
    static void render(CALayer& layer, CGContext& context);
    // The layer in its own bounds space.
    static void renderContent(CALayer& layer, CGContext& context);
    // As renderContent, over pixels whose content does not matter: what the tree leaves uncovered
    // within the clip becomes transparent.
    static void renderReplacing(CALayer& layer, CGContext& context);
};
