#pragma once

#include "platform/math/MathDisplayNode.h"
#include "platform/math/MathFont.h"

#include <cairo.h>

#include <cstdint>

// Paints a typeset formula with cairo: glyphs through the font's FreeType face, rules as filled rectangles.
class MathRenderer {
  public:
    // The formula's origin (baseline of its first row) goes to (x, y) of cairo's user space, whose y axis
    // points down. Nodes without a colour of their own are painted in `color` (0xRRGGBBAA).
    static void draw(cairo_t* cr, const MathDisplayNode& formula, const MathFont& font, double x, double y,
                     std::uint32_t color);
};
