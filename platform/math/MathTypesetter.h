#pragma once

#include "platform/math/MathAtom.h"
#include "platform/math/MathDisplayNode.h"
#include "platform/math/MathFont.h"

#include <cstdint>
#include <string_view>
#include <utility>

enum class MathStyle : std::uint8_t { Display, Text, Script, ScriptScript };

// Lays out parsed formulas with TeX's rules for math (atom spacing, styles, fractions, radicals, scripts,
// large operators and growing delimiters), taking its dimensions from the font's MATH table.
class MathTypesetter {
  public:
    explicit MathTypesetter(MathFont font) : font_(std::move(font)) {}

    const MathFont& font() const { return font_; }

    // A Formula node whose children are the Row nodes, stacked downwards and aligned left; the origin is on
    // the baseline of the first row. Its width is the widest row, ascent and descent cover all rows.
    MathDisplayNode typeset(const MathFormula& formula, MathStyle style = MathStyle::Display) const;

    // The text as one row of upright glyphs in the given colour, for showing input that does not parse.
    MathDisplayNode typesetPlainText(std::string_view utf8, std::uint32_t color) const;

  private:
    MathFont font_;
};
