#pragma once

#include <cairo.h>
#include <hb-ot.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

// Sizes in points of a glyph at the font's size; ascent up and descent down from the baseline, ink bounds.
struct MathGlyphMetrics {
    double advance = 0;
    double ascent = 0;
    double descent = 0;
    double italicCorrection = 0;
    double topAccentAttachment = 0;
};

struct MathGlyphVariant {
    std::uint32_t glyph = 0;
    double advance = 0;
};

// One piece of a glyph assembly (a brace or radical built from parts); lists run bottom to top or left to
// right.
struct MathGlyphPart {
    std::uint32_t glyph = 0;
    double startConnector = 0;
    double endConnector = 0;
    double fullAdvance = 0;
    bool extender = false;
};

struct MathShapedGlyph {
    std::uint32_t glyph = 0;
    double x = 0;
    double y = 0;
};

// Latin Modern Math at one size: glyph lookup, metrics and the OpenType MATH data, read through HarfBuzz.
// The font file is read once per process; copies are cheap and share it.
class MathFont {
  public:
    static constexpr std::string_view latinModernMathPath =
        "/usr/share/texmf/fonts/opentype/public/lm-math/latinmodern-math.otf";

    // Nothing when the font file cannot be read or has no MATH table.
    static std::optional<MathFont> latinModernMath(double size);

    double size() const { return size_; }
    MathFont withSize(double size) const;

    std::uint32_t glyph(char32_t c) const; // 0 (.notdef) when the font lacks the character
    MathGlyphMetrics metrics(std::uint32_t glyph) const;

    double constant(hb_ot_math_constant_t constant) const; // in points
    double percent(hb_ot_math_constant_t constant) const;  // the *PercentScaleDown / *RaisePercent values

    std::vector<MathGlyphVariant> variants(std::uint32_t glyph, bool vertical) const;
    std::vector<MathGlyphPart> assembly(std::uint32_t glyph, bool vertical) const;
    double minConnectorOverlap(bool vertical) const;

    // Upright text with the font's kerning; positions relative to the start of the run.
    std::vector<MathShapedGlyph> shape(std::u32string_view text, double& advance) const;

    cairo_font_face_t* cairoFontFace() const;

    struct Face;

  private:
    MathFont(std::shared_ptr<const Face> face, double size);

    std::shared_ptr<const Face> face_;
    double size_ = 0;
    double scale_ = 0; // points per font unit
};
