#pragma once

#include <cstdint>
#include <optional>
#include <vector>

enum class MathDisplayKind : std::uint8_t { Glyphs, Rule, Group };

// What a node is part of, so that the layout can be inspected without guessing from positions.
enum class MathDisplayRole : std::uint8_t {
    None,
    Formula,
    Row,
    Numerator,
    Denominator,
    FractionRule,
    Radicand,
    RadicalSign,
    RadicalRule,
    RadicalDegree,
    Superscript,
    Subscript,
    UpperLimit,
    LowerLimit,
    LargeOperator,
    Delimiter,
    Accent,
};

// A glyph of a run, its origin relative to the run's origin (x to the right, y upwards).
struct MathDisplayGlyph {
    std::uint32_t glyph = 0;
    float x = 0;
    float y = 0;
};

// A positioned piece of a typeset formula. Coordinates are in points relative to the parent's origin,
// x to the right and y upwards from the parent's baseline, as TeX measures boxes. Width, ascent and
// descent give the extent around the node's own origin: a run's ink, a rule's rectangle, a group's box.
// Glyphs: a run of glyphs of one size and colour. Rule: fills [x, x + width] by [y - descent, y + ascent].
struct MathDisplayNode {
    MathDisplayKind kind = MathDisplayKind::Group;
    MathDisplayRole role = MathDisplayRole::None;
    std::optional<std::uint32_t> color; // 0xRRGGBBAA; unset draws in the label's text colour
    double fontSize = 0;
    double x = 0;
    double y = 0;
    double width = 0;
    double ascent = 0;
    double descent = 0;
    std::vector<MathDisplayGlyph> glyphs;
    std::vector<MathDisplayNode> children;
};
