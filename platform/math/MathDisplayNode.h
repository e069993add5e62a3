#pragma once

#include <cstdint>
#include <optional>
#include <vector>

enum class MathDisplayKind : std::uint8_t { Glyph, Rule, Group };

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

// A positioned piece of a typeset formula. Coordinates are in points relative to the parent's origin,
// x to the right and y upwards from the parent's baseline, as TeX measures boxes.
// A glyph is drawn at its origin; a rule fills [x, x + width] by [y - descent, y + ascent].
struct MathDisplayNode {
    MathDisplayKind kind = MathDisplayKind::Group;
    MathDisplayRole role = MathDisplayRole::None;
    std::uint32_t glyph = 0;
    std::optional<std::uint32_t> color; // 0xRRGGBBAA; unset draws in the label's text colour
    // Single precision keeps long formulas compact; it resolves far below a device pixel.
    float fontSize = 0;
    float x = 0;
    float y = 0;
    float width = 0;
    float ascent = 0;
    float descent = 0;
    std::vector<MathDisplayNode> children;
};
