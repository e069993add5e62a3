#include "platform/math/MathRenderer.h"

#include <vector>

namespace {

void setColor(cairo_t* cr, std::uint32_t rgba) {
    cairo_set_source_rgba(cr, (rgba >> 24 & 0xFF) / 255.0, (rgba >> 16 & 0xFF) / 255.0,
                          (rgba >> 8 & 0xFF) / 255.0, (rgba & 0xFF) / 255.0);
}

// Consecutive glyphs of one size and colour go to cairo in one call.
class Painter {
  public:
    Painter(cairo_t* cr, std::uint32_t color) : cr_(cr), defaultColor_(color) {}

    void paint(const MathDisplayNode& node, double x, double y) {
        const double left = x + node.x;
        const double baseline = y - node.y;
        switch (node.kind) {
        case MathDisplayKind::Glyphs: {
            const std::uint32_t color = node.color.value_or(defaultColor_);
            if (!glyphs_.empty() && (node.fontSize != size_ || color != color_))
                flush();
            size_ = node.fontSize;
            color_ = color;
            for (const MathDisplayGlyph& glyph : node.glyphs)
                glyphs_.push_back({glyph.glyph, left + glyph.x, baseline - glyph.y});
            break;
        }
        case MathDisplayKind::Rule:
            flush();
            setColor(cr_, node.color.value_or(defaultColor_));
            cairo_rectangle(cr_, left, baseline - node.ascent, node.width, node.ascent + node.descent);
            cairo_fill(cr_);
            break;
        case MathDisplayKind::Group:
            for (const MathDisplayNode& child : node.children)
                paint(child, left, baseline);
            break;
        }
    }

    void flush() {
        if (glyphs_.empty())
            return;
        setColor(cr_, color_);
        cairo_set_font_size(cr_, size_);
        cairo_show_glyphs(cr_, glyphs_.data(), static_cast<int>(glyphs_.size()));
        glyphs_.clear();
    }

  private:
    cairo_t* cr_;
    std::uint32_t defaultColor_;
    std::vector<cairo_glyph_t> glyphs_;
    double size_ = 0;
    std::uint32_t color_ = 0;
};

} // namespace

void MathRenderer::draw(cairo_t* cr, const MathDisplayNode& formula, const MathFont& font, double x, double y,
                        std::uint32_t color) {
    cairo_save(cr);
    cairo_set_font_face(cr, font.cairoFontFace());
    Painter painter(cr, color);
    painter.paint(formula, x - formula.x, y + formula.y);
    painter.flush();
    cairo_restore(cr);
}
