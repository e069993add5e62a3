#include "platform/math/MathTypesetter.h"

#include "platform/foundation/Utf8.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using Node = MathDisplayNode;
using Role = MathDisplayRole;
using Color = std::optional<std::uint32_t>;

// TeX's plain-format values that the MATH table has no entry for, in ems.
constexpr double nullDelimiterSpace = 0.12;
constexpr double delimiterFactor = 0.901;
constexpr double delimiterShortfall = 0.5;
constexpr double fractionDelimiterDisplaySize = 2.39;
constexpr double fractionDelimiterTextSize = 1.01;
constexpr double baselineSkip = 1.2;
constexpr double lineSkipLimit = 0.1;
constexpr double rowGap = 0.3; // \jot between the rows of a multi-line display
constexpr double muPerEm = 18;
constexpr int maximumExtenderRepeats = 500;
// Runs are capped so that no single allocation grows with the length of a formula.
constexpr std::size_t maximumRunLength = 1024;

constexpr char32_t radicalSign = 0x221A;

struct Style {
    MathStyle level = MathStyle::Display;
    bool cramped = false;

    bool isDisplay() const { return level == MathStyle::Display; }
    bool isScript() const { return level == MathStyle::Script || level == MathStyle::ScriptScript; }
    Style cramp() const { return {level, true}; }
    Style superscript() const { return {isScript() ? MathStyle::ScriptScript : MathStyle::Script, cramped}; }
    Style subscript() const { return superscript().cramp(); }
    Style numerator() const {
        switch (level) {
        case MathStyle::Display:
            return {MathStyle::Text, cramped};
        case MathStyle::Text:
            return {MathStyle::Script, cramped};
        default:
            return {MathStyle::ScriptScript, cramped};
        }
    }
    Style denominator() const { return numerator().cramp(); }
};

// TeX's atom classes for spacing; the order indexes the spacing table.
enum class Class : std::uint8_t { Ord, Op, Bin, Rel, Open, Close, Punct, Inner };

// Space between two adjacent atoms in math units; negative entries apply only outside script styles.
constexpr std::array<std::array<int, 8>, 8> spacingTable = {{
    {0, 3, -4, -5, 0, 0, 0, -3},
    {3, 3, 0, -5, 0, 0, 0, -3},
    {-4, -4, 0, 0, -4, 0, 0, -4},
    {-5, -5, 0, 0, -5, 0, 0, -5},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 3, -4, -5, 0, 0, 0, -3},
    {-3, -3, 0, -3, -3, -3, -3, -3},
    {-3, 3, -4, -5, -3, 0, -3, -3},
}};

Class classOf(MathAtomType type) {
    switch (type) {
    case MathAtomType::LargeOperator:
        return Class::Op;
    case MathAtomType::BinaryOperator:
        return Class::Bin;
    case MathAtomType::Relation:
        return Class::Rel;
    case MathAtomType::Open:
        return Class::Open;
    case MathAtomType::Close:
        return Class::Close;
    case MathAtomType::Punctuation:
        return Class::Punct;
    case MathAtomType::Inner:
    case MathAtomType::Fraction:
        return Class::Inner;
    default:
        return Class::Ord;
    }
}

// Keeps the group's ascent and descent covering a child placed at (x, y).
void place(Node& parent, Node child, double x, double y) {
    child.x = x;
    child.y = y;
    parent.ascent = std::max<double>(parent.ascent, y + child.ascent);
    parent.descent = std::max<double>(parent.descent, child.descent - y);
    parent.children.push_back(std::move(child));
}

Node group(Role role) {
    Node node;
    node.role = role;
    return node;
}

Node emptyRun(const MathFont& font, Color color, Role role) {
    Node node;
    node.kind = MathDisplayKind::Glyphs;
    node.role = role;
    node.fontSize = font.size();
    node.color = color;
    return node;
}

// Adds a glyph at (x, y) of the run's own coordinates; the run's extent is the union of its glyphs' ink.
void extend(Node& run, const MathFont& font, std::uint32_t glyph, double x, double y) {
    const MathGlyphMetrics m = font.metrics(glyph);
    const bool first = run.glyphs.empty();
    run.glyphs.push_back({glyph, static_cast<float>(x), static_cast<float>(y)});
    run.width = first ? x + m.advance : std::max(run.width, x + m.advance);
    run.ascent = first ? y + m.ascent : std::max(run.ascent, y + m.ascent);
    run.descent = first ? m.descent - y : std::max(run.descent, m.descent - y);
}

// A glyph on its own at the run's origin.
Node glyphRun(const MathFont& font, std::uint32_t glyph, Color color, Role role) {
    Node node = emptyRun(font, color, role);
    extend(node, font, glyph, 0, 0);
    return node;
}

// Adds a glyph at (x, y) of the target, extending the target's last run when size and colour match.
void addGlyph(Node& target, const MathFont& font, std::uint32_t glyph, double x, double y, Color color) {
    Node* run = target.children.empty() ? nullptr : &target.children.back();
    if (!run || run->kind != MathDisplayKind::Glyphs || run->role != Role::None ||
        run->fontSize != font.size() || run->color != color || run->glyphs.size() >= maximumRunLength) {
        target.children.push_back(emptyRun(font, color, Role::None));
        run = &target.children.back();
        run->x = x;
    }
    extend(*run, font, glyph, x - run->x, y - run->y);
    target.ascent = std::max(target.ascent, run->y + run->ascent);
    target.descent = std::max(target.descent, run->descent - run->y);
}

class Layout {
  public:
    explicit Layout(const MathFont& font)
        : fonts_{
              font,
              font.withSize(font.size() * font.percent(HB_OT_MATH_CONSTANT_SCRIPT_PERCENT_SCALE_DOWN) / 100),
              font.withSize(font.size() * font.percent(HB_OT_MATH_CONSTANT_SCRIPT_SCRIPT_PERCENT_SCALE_DOWN) /
                            100)} {}

    Node list(const MathList& atoms, Style style, Color color, Role role) const {
        Node row = group(role);
        double x = 0;
        std::optional<Class> previous;
        for (std::size_t i = 0; i < atoms.size(); ++i) {
            const MathAtom& atom = atoms[i];
            if (atom.type == MathAtomType::Space) {
                x += atom.spaceMu * mu(style);
                continue;
            }
            Class current = classOf(atom.type);
            if (current == Class::Bin &&
                (!previous || isBinaryBreaker(*previous) || !binaryFollows(atoms, i)))
                current = Class::Ord;
            if (previous)
                x += space(*previous, current, style);
            x += layoutAtom(row, atom, x, style, atom.color ? atom.color : color);
            previous = current;
        }
        row.width = x;
        return row;
    }

    Node formulaRows(const MathFormula& formula, Style style) const {
        Node root = group(Role::Formula);
        const double em = fonts_[0].size();
        double y = 0;
        const Node* previous = nullptr;
        for (const MathList& atoms : formula.rows) {
            Node row = list(atoms, style, std::nullopt, Role::Row);
            if (previous) {
                const double natural = previous->descent + row.ascent;
                y -= std::max(baselineSkip * em, natural + lineSkipLimit * em) + rowGap * em;
            }
            root.width = std::max(root.width, row.width);
            place(root, std::move(row), 0, y);
            previous = &root.children.back();
        }
        return root;
    }

    // Upright shaped text placed into the target at x; returns its advance.
    double text(Node& target, double x, const std::u32string& text, Style style, Color color) const {
        const MathFont& font = fontFor(style);
        double advance = 0;
        for (const MathShapedGlyph& shaped : font.shape(text, advance))
            addGlyph(target, font, shaped.glyph, x + shaped.x, shaped.y, color);
        return advance;
    }

  private:
    std::array<MathFont, 3> fonts_;

    const MathFont& fontFor(Style style) const {
        switch (style.level) {
        case MathStyle::Script:
            return fonts_[1];
        case MathStyle::ScriptScript:
            return fonts_[2];
        default:
            return fonts_[0];
        }
    }

    double mu(Style style) const { return fontFor(style).size() / muPerEm; }
    double em(Style style) const { return fontFor(style).size(); }
    double constant(Style style, hb_ot_math_constant_t c) const { return fontFor(style).constant(c); }
    double axis(Style style) const { return constant(style, HB_OT_MATH_CONSTANT_AXIS_HEIGHT); }

    double space(Class left, Class right, Style style) const {
        const int entry = spacingTable[static_cast<int>(left)][static_cast<int>(right)];
        if (entry < 0 && style.isScript())
            return 0;
        return std::abs(entry) * mu(style);
    }

    static bool isBinaryBreaker(Class c) {
        return c == Class::Bin || c == Class::Op || c == Class::Rel || c == Class::Open || c == Class::Punct;
    }

    // A binary operator needs something after it that is not a relation, closing or punctuation.
    static bool binaryFollows(const MathList& atoms, std::size_t i) {
        for (std::size_t j = i + 1; j < atoms.size(); ++j) {
            if (atoms[j].type == MathAtomType::Space)
                continue;
            const Class next = classOf(atoms[j].type);
            return next != Class::Rel && next != Class::Close && next != Class::Punct;
        }
        return false;
    }

    static Node rule(double width, double bottom, double top, Color color, Role role) {
        Node node;
        node.kind = MathDisplayKind::Rule;
        node.role = role;
        node.width = width;
        node.ascent = top;
        node.descent = -bottom;
        node.color = color;
        return node;
    }

    // A run of symbols placed into the target at x; returns its width. `italicCorrection` receives the last
    // glyph's, which the scripts use.
    double characters(Node& target, double x, const std::u32string& text, Style style, Color color,
                      bool addItalic, double& italicCorrection) const {
        const MathFont& font = fontFor(style);
        const double start = x;
        italicCorrection = 0;
        for (const char32_t c : text) {
            const std::uint32_t glyph = font.glyph(c);
            const MathGlyphMetrics m = font.metrics(glyph);
            addGlyph(target, font, glyph, x, 0, color);
            italicCorrection = addItalic ? m.italicCorrection : 0;
            x += m.advance + italicCorrection;
        }
        return x - start;
    }

    // Lays the atom out at x in the row and returns its width.
    double layoutAtom(Node& row, const MathAtom& atom, double x, Style style, Color color) const {
        Node nucleus;
        switch (atom.type) {
        case MathAtomType::LargeOperator:
            return largeOperator(row, atom, x, style, color);
        case MathAtomType::Group:
            nucleus = list(atom.body(), style, color, Role::None);
            break;
        case MathAtomType::Inner:
            nucleus = inner(atom, style, color);
            break;
        case MathAtomType::Fraction:
            nucleus = fraction(atom, style, color);
            break;
        case MathAtomType::Radical:
            nucleus = radical(atom, style, color);
            break;
        case MathAtomType::Accent:
            nucleus = accent(atom, style, color);
            break;
        default: {
            // Glyphs on the baseline: without scripts they join the row directly.
            const bool isText = atom.type == MathAtomType::Text;
            double italicCorrection = 0;
            if (!atom.hasScripts())
                return isText ? text(row, x, atom.nucleus, style, color)
                              : characters(row, x, atom.nucleus, style, color, true, italicCorrection);
            nucleus.width = isText
                                ? text(nucleus, 0, atom.nucleus, style, color)
                                : characters(nucleus, 0, atom.nucleus, style, color, true, italicCorrection);
            const bool isCharacter = !isText && atom.nucleus.size() == 1;
            return attach(row, std::move(nucleus), atom, x, style, color, italicCorrection, isCharacter);
        }
        }
        return attach(row, std::move(nucleus), atom, x, style, color, 0, false);
    }

    // Places the nucleus with its scripts.
    double attach(Node& row, Node nucleus, const MathAtom& atom, double x, Style style, Color color,
                  double italicCorrection, bool isCharacter) const {
        Node box = atom.hasScripts()
                       ? scripts(std::move(nucleus), atom, style, color, italicCorrection, isCharacter)
                       : std::move(nucleus);
        const double width = box.width;
        place(row, std::move(box), x, 0);
        return width;
    }

    Node scripts(Node nucleus, const MathAtom& atom, Style style, Color color, double italicCorrection,
                 bool isCharacter) const {
        const auto c = [&](hb_ot_math_constant_t k) { return constant(style, k); };
        const bool hasSuperscript = !atom.superscript().empty();
        const bool hasSubscript = !atom.subscript().empty();
        Node superscript = list(atom.superscript(), style.superscript(), color, Role::Superscript);
        Node subscript = list(atom.subscript(), style.subscript(), color, Role::Subscript);

        const double nucleusAscent = nucleus.y + nucleus.ascent;
        const double nucleusDescent = nucleus.descent - nucleus.y;
        double up = isCharacter ? 0 : nucleusAscent - c(HB_OT_MATH_CONSTANT_SUPERSCRIPT_BASELINE_DROP_MAX);
        double down = isCharacter ? 0 : nucleusDescent + c(HB_OT_MATH_CONSTANT_SUBSCRIPT_BASELINE_DROP_MIN);
        if (hasSuperscript) {
            const double shiftUp = style.cramped ? c(HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP_CRAMPED)
                                                 : c(HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP);
            up = std::max({up, shiftUp, superscript.descent + c(HB_OT_MATH_CONSTANT_SUPERSCRIPT_BOTTOM_MIN)});
        }
        if (hasSubscript) {
            down = std::max(down, c(HB_OT_MATH_CONSTANT_SUBSCRIPT_SHIFT_DOWN));
            if (!hasSuperscript)
                down = std::max(down, subscript.ascent - c(HB_OT_MATH_CONSTANT_SUBSCRIPT_TOP_MAX));
        }
        if (hasSuperscript && hasSubscript) {
            const double gap = (up - superscript.descent) - (subscript.ascent - down);
            const double minimumGap = c(HB_OT_MATH_CONSTANT_SUB_SUPERSCRIPT_GAP_MIN);
            if (gap < minimumGap) {
                down += minimumGap - gap;
                const double lift =
                    c(HB_OT_MATH_CONSTANT_SUPERSCRIPT_BOTTOM_MAX_WITH_SUBSCRIPT) - (up - superscript.descent);
                if (lift > 0) {
                    up += lift;
                    down -= lift;
                }
            }
        }

        Node box = group(Role::None);
        const double superscriptX = nucleus.width;
        const double subscriptX = nucleus.width - italicCorrection;
        double width = nucleus.width;
        const double nucleusX = nucleus.x;
        const double nucleusY = nucleus.y;
        place(box, std::move(nucleus), nucleusX, nucleusY);
        if (hasSuperscript) {
            width = std::max(width, superscriptX + superscript.width);
            place(box, std::move(superscript), superscriptX, up);
        }
        if (hasSubscript) {
            width = std::max(width, subscriptX + subscript.width);
            place(box, std::move(subscript), subscriptX, -down);
        }
        box.width = width + c(HB_OT_MATH_CONSTANT_SPACE_AFTER_SCRIPT);
        return box;
    }

    double largeOperator(Node& row, const MathAtom& atom, double x, Style style, Color color) const {
        const MathFont& font = fontFor(style);
        double italicCorrection = 0;
        Node nucleus;
        if (atom.nucleus.size() == 1) {
            std::uint32_t glyph = font.glyph(atom.nucleus.front());
            if (style.isDisplay()) {
                const double minimum = font.constant(HB_OT_MATH_CONSTANT_DISPLAY_OPERATOR_MIN_HEIGHT);
                for (const MathGlyphVariant& variant : font.variants(glyph, true)) {
                    glyph = variant.glyph;
                    const MathGlyphMetrics m = font.metrics(glyph);
                    if (m.ascent + m.descent >= minimum)
                        break;
                }
            }
            const MathGlyphMetrics m = font.metrics(glyph);
            // An operator's slant (the integral's) lies inside its advance, so the superscript goes at the
            // advance and the subscript moves left by the italic correction.
            italicCorrection = m.italicCorrection;
            nucleus = glyphRun(font, glyph, color, Role::LargeOperator);
            nucleus.y = axis(style) - (m.ascent - m.descent) / 2; // centred on the axis
        } else {
            nucleus.role = Role::LargeOperator;
            nucleus.width = characters(nucleus, 0, atom.nucleus, style, color, false, italicCorrection);
        }
        if (atom.limits && style.isDisplay() && atom.hasScripts()) {
            Node box = limits(std::move(nucleus), atom, style, color, italicCorrection);
            const double width = box.width;
            place(row, std::move(box), x, 0);
            return width;
        }
        if (!atom.hasScripts()) {
            const double width = nucleus.width;
            const double y = nucleus.y;
            place(row, std::move(nucleus), x, y);
            return width;
        }
        Node box = scripts(std::move(nucleus), atom, style, color, italicCorrection, false);
        const double width = box.width;
        place(row, std::move(box), x, 0);
        return width;
    }

    Node limits(Node nucleus, const MathAtom& atom, Style style, Color color, double italicCorrection) const {
        const auto c = [&](hb_ot_math_constant_t k) { return constant(style, k); };
        Node upper = list(atom.superscript(), style.superscript(), color, Role::UpperLimit);
        Node lower = list(atom.subscript(), style.subscript(), color, Role::LowerLimit);
        const double width = std::max({nucleus.width, upper.width, lower.width});
        const double top = nucleus.y + nucleus.ascent;
        const double bottom = nucleus.descent - nucleus.y;

        Node box = group(Role::None);
        const double nucleusY = nucleus.y;
        const double nucleusWidth = nucleus.width;
        place(box, std::move(nucleus), (width - nucleusWidth) / 2, nucleusY);
        if (!atom.superscript().empty()) {
            const double gap = std::max(c(HB_OT_MATH_CONSTANT_UPPER_LIMIT_GAP_MIN),
                                        c(HB_OT_MATH_CONSTANT_UPPER_LIMIT_BASELINE_RISE_MIN) - upper.descent);
            const double y = top + gap + upper.descent;
            const double upperX = (width - upper.width + italicCorrection) / 2;
            place(box, std::move(upper), upperX, y);
        }
        if (!atom.subscript().empty()) {
            const double gap = std::max(c(HB_OT_MATH_CONSTANT_LOWER_LIMIT_GAP_MIN),
                                        c(HB_OT_MATH_CONSTANT_LOWER_LIMIT_BASELINE_DROP_MIN) - lower.ascent);
            const double y = -(bottom + gap + lower.ascent);
            const double lowerX = (width - lower.width - italicCorrection) / 2;
            place(box, std::move(lower), lowerX, y);
        }
        box.width = width;
        return box;
    }

    Node fraction(const MathAtom& atom, Style style, Color color) const {
        const auto c = [&](hb_ot_math_constant_t k) { return constant(style, k); };
        const bool display = style.isDisplay();
        Node numerator = list(atom.body(), style.numerator(), color, Role::Numerator);
        Node denominator = list(atom.extra(), style.denominator(), color, Role::Denominator);
        const double axisHeight = axis(style);
        double up = 0;
        double down = 0;
        const double thickness = atom.hasRule ? c(HB_OT_MATH_CONSTANT_FRACTION_RULE_THICKNESS) : 0;
        if (atom.hasRule) {
            up = display ? c(HB_OT_MATH_CONSTANT_FRACTION_NUMERATOR_DISPLAY_STYLE_SHIFT_UP)
                         : c(HB_OT_MATH_CONSTANT_FRACTION_NUMERATOR_SHIFT_UP);
            down = display ? c(HB_OT_MATH_CONSTANT_FRACTION_DENOMINATOR_DISPLAY_STYLE_SHIFT_DOWN)
                           : c(HB_OT_MATH_CONSTANT_FRACTION_DENOMINATOR_SHIFT_DOWN);
            const double numeratorGap = display ? c(HB_OT_MATH_CONSTANT_FRACTION_NUM_DISPLAY_STYLE_GAP_MIN)
                                                : c(HB_OT_MATH_CONSTANT_FRACTION_NUMERATOR_GAP_MIN);
            const double denominatorGap = display
                                              ? c(HB_OT_MATH_CONSTANT_FRACTION_DENOM_DISPLAY_STYLE_GAP_MIN)
                                              : c(HB_OT_MATH_CONSTANT_FRACTION_DENOMINATOR_GAP_MIN);
            up = std::max(up, axisHeight + thickness / 2 + numeratorGap + numerator.descent);
            down = std::max(down, denominator.ascent + denominatorGap - (axisHeight - thickness / 2));
        } else {
            up = display ? c(HB_OT_MATH_CONSTANT_STACK_TOP_DISPLAY_STYLE_SHIFT_UP)
                         : c(HB_OT_MATH_CONSTANT_STACK_TOP_SHIFT_UP);
            down = display ? c(HB_OT_MATH_CONSTANT_STACK_BOTTOM_DISPLAY_STYLE_SHIFT_DOWN)
                           : c(HB_OT_MATH_CONSTANT_STACK_BOTTOM_SHIFT_DOWN);
            const double minimumGap = display ? c(HB_OT_MATH_CONSTANT_STACK_DISPLAY_STYLE_GAP_MIN)
                                              : c(HB_OT_MATH_CONSTANT_STACK_GAP_MIN);
            const double gap = (up - numerator.descent) - (denominator.ascent - down);
            if (gap < minimumGap) {
                up += (minimumGap - gap) / 2;
                down += (minimumGap - gap) / 2;
            }
        }

        const double width = std::max(numerator.width, denominator.width);
        Node stack = group(Role::None);
        const double numeratorX = (width - numerator.width) / 2;
        const double denominatorX = (width - denominator.width) / 2;
        place(stack, std::move(numerator), numeratorX, up);
        place(stack, std::move(denominator), denominatorX, -down);
        if (atom.hasRule)
            place(stack,
                  rule(width, axisHeight - thickness / 2, axisHeight + thickness / 2, color,
                       Role::FractionRule),
                  0, 0);
        stack.width = width;

        const double delimiterSize =
            (display ? fractionDelimiterDisplaySize : fractionDelimiterTextSize) * em(style);
        Node left = delimiter(atom.leftDelimiter, delimiterSize, style, color);
        Node right = delimiter(atom.rightDelimiter, delimiterSize, style, color);
        Node box = group(Role::None);
        double x = left.width;
        place(box, std::move(left), 0, 0);
        const double stackWidth = stack.width;
        place(box, std::move(stack), x, 0);
        x += stackWidth;
        const double rightWidth = right.width;
        place(box, std::move(right), x, 0);
        x += rightWidth;
        box.width = x;
        return box;
    }

    Node inner(const MathAtom& atom, Style style, Color color) const {
        Node body = list(atom.body(), style, color, Role::None);
        const double axisHeight = axis(style);
        const double extent = std::max(body.ascent - axisHeight, body.descent + axisHeight);
        const double size =
            std::max(2 * extent * delimiterFactor, 2 * extent - delimiterShortfall * em(style));
        Node box = group(Role::None);
        Node left = delimiter(atom.leftDelimiter, size, style, color);
        Node right = delimiter(atom.rightDelimiter, size, style, color);
        double x = left.width;
        place(box, std::move(left), 0, 0);
        const double bodyWidth = body.width;
        place(box, std::move(body), x, 0);
        x += bodyWidth;
        const double rightWidth = right.width;
        place(box, std::move(right), x, 0);
        box.width = x + rightWidth;
        return box;
    }

    // A delimiter of at least the given total height, centred on the axis; the null delimiter is a space.
    Node delimiter(char32_t c, double size, Style style, Color color) const {
        if (c == 0) {
            Node space = group(Role::None);
            space.width = nullDelimiterSpace * em(style);
            return space;
        }
        Node shape = stretched(c, size, style, color);
        shape.role = Role::Delimiter;
        const double shift = axis(style) - (shape.ascent - shape.descent) / 2;
        for (MathDisplayGlyph& glyph : shape.glyphs)
            glyph.y += static_cast<float>(shift);
        shape.ascent += shift;
        shape.descent -= shift;
        return shape;
    }

    // The smallest glyph variant of at least the given height, else an assembly of parts, else the largest.
    Node stretched(char32_t c, double size, Style style, Color color) const {
        const MathFont& font = fontFor(style);
        const std::uint32_t base = font.glyph(c);
        std::uint32_t glyph = base;
        double height = font.metrics(base).ascent + font.metrics(base).descent;
        if (height < size) {
            for (const MathGlyphVariant& variant : font.variants(base, true)) {
                const MathGlyphMetrics m = font.metrics(variant.glyph);
                glyph = variant.glyph;
                height = m.ascent + m.descent;
                if (height >= size)
                    break;
            }
        }
        if (height < size) {
            const std::vector<MathGlyphPart> parts = font.assembly(base, true);
            if (!parts.empty())
                return assemble(parts, size, font, color);
        }
        return glyphRun(font, glyph, color, Role::None);
    }

    // Stacks the parts bottom up, repeating the extenders as often as needed and spreading the overlaps
    // evenly so that the stack is as tall as asked.
    static Node assemble(const std::vector<MathGlyphPart>& parts, double size, const MathFont& font,
                         Color color) {
        const double minimumOverlap = font.minConnectorOverlap(true);
        double fixedAdvance = 0;
        double extenderAdvance = 0;
        int fixedCount = 0;
        int extenderCount = 0;
        for (const MathGlyphPart& part : parts) {
            if (part.extender) {
                extenderAdvance += part.fullAdvance;
                ++extenderCount;
            } else {
                fixedAdvance += part.fullAdvance;
                ++fixedCount;
            }
        }
        int repeats = 0;
        const double longestWithoutExtenders = fixedAdvance - std::max(fixedCount - 1, 0) * minimumOverlap;
        const double gainPerRepeat = extenderAdvance - extenderCount * minimumOverlap;
        if (longestWithoutExtenders < size && gainPerRepeat > 0)
            repeats = std::min(maximumExtenderRepeats,
                               static_cast<int>(std::ceil((size - longestWithoutExtenders) / gainPerRepeat)));

        std::vector<const MathGlyphPart*> sequence;
        for (const MathGlyphPart& part : parts)
            for (int i = 0, n = part.extender ? repeats : 1; i < n; ++i)
                sequence.push_back(&part);
        Node shape = emptyRun(font, color, Role::None);
        if (sequence.empty())
            return shape;

        double total = 0;
        for (const MathGlyphPart* part : sequence)
            total += part->fullAdvance;
        const std::size_t joints = sequence.size() - 1;
        const double overlap = joints == 0 ? 0 : std::max(minimumOverlap, (total - size) / joints);
        double y = 0;
        for (std::size_t i = 0; i < sequence.size(); ++i) {
            extend(shape, font, sequence[i]->glyph, 0, y);
            if (i < joints) {
                const double allowed = std::max(
                    minimumOverlap, std::min(sequence[i]->endConnector, sequence[i + 1]->startConnector));
                y += sequence[i]->fullAdvance - std::min(overlap, allowed);
            }
        }
        return shape;
    }

    Node radical(const MathAtom& atom, Style style, Color color) const {
        const auto c = [&](hb_ot_math_constant_t k) { return constant(style, k); };
        Node radicand = list(atom.body(), style.cramp(), color, Role::Radicand);
        const double gap = style.isDisplay() ? c(HB_OT_MATH_CONSTANT_RADICAL_DISPLAY_STYLE_VERTICAL_GAP)
                                             : c(HB_OT_MATH_CONSTANT_RADICAL_VERTICAL_GAP);
        const double thickness = c(HB_OT_MATH_CONSTANT_RADICAL_RULE_THICKNESS);
        const double needed = radicand.ascent + radicand.descent + gap + thickness;
        Node sign = stretched(radicalSign, needed, style, color);
        sign.role = Role::RadicalSign;
        const double signHeight = sign.ascent + sign.descent;
        const double clearance = gap + std::max(0.0, (signHeight - needed) / 2);
        const double ruleBottom = radicand.ascent + clearance;
        // The sign's top meets the rule's top.
        const double signY = ruleBottom + thickness - sign.ascent;

        Node box = group(Role::None);
        double x = 0;
        if (!atom.extra().empty()) {
            Node degree = list(atom.extra(), {MathStyle::ScriptScript, true}, color, Role::RadicalDegree);
            const double raise =
                fontFor(style).percent(HB_OT_MATH_CONSTANT_RADICAL_DEGREE_BOTTOM_RAISE_PERCENT) / 100;
            const double signBottom = signY - sign.descent;
            const double degreeY = signBottom + raise * signHeight;
            const double before = c(HB_OT_MATH_CONSTANT_RADICAL_KERN_BEFORE_DEGREE);
            const double after = c(HB_OT_MATH_CONSTANT_RADICAL_KERN_AFTER_DEGREE);
            x = std::max(0.0, before + degree.width + after);
            place(box, std::move(degree), before, degreeY);
        }
        const double signWidth = sign.width;
        place(box, std::move(sign), x, signY);
        x += signWidth;
        const double radicandWidth = radicand.width;
        place(box, rule(radicandWidth, ruleBottom, ruleBottom + thickness, color, Role::RadicalRule), x, 0);
        place(box, std::move(radicand), x, 0);
        box.ascent = std::max<double>(box.ascent,
                                      ruleBottom + thickness + c(HB_OT_MATH_CONSTANT_RADICAL_EXTRA_ASCENDER));
        box.width = x + radicandWidth;
        return box;
    }

    Node accent(const MathAtom& atom, Style style, Color color) const {
        const MathFont& font = fontFor(style);
        Node base = list(atom.body(), style.cramp(), color, Role::None);
        const std::uint32_t accentBase = font.glyph(atom.nucleus.front());
        std::uint32_t glyph = accentBase;
        for (const MathGlyphVariant& variant : font.variants(accentBase, false)) {
            if (variant.advance > base.width)
                break;
            glyph = variant.glyph;
        }
        double baseAttachment = base.width / 2;
        const MathList& body = atom.body();
        if (body.size() == 1 && body.front().nucleus.size() == 1 && !body.front().hasScripts() &&
            body.front().type == MathAtomType::Ordinary)
            baseAttachment = font.metrics(font.glyph(body.front().nucleus.front())).topAccentAttachment;

        const MathGlyphMetrics m = font.metrics(glyph);
        const double lift =
            base.ascent -
            std::min<double>(base.ascent, font.constant(HB_OT_MATH_CONSTANT_ACCENT_BASE_HEIGHT));
        Node mark = glyphRun(font, glyph, color, Role::Accent);
        Node box = group(Role::None);
        box.width = base.width;
        place(box, std::move(base), 0, 0);
        place(box, std::move(mark), baseAttachment - m.topAccentAttachment, lift);
        return box;
    }
};

// Malformed bytes show as question marks, control characters as spaces.
std::u32string decodeLeniently(std::string_view utf8) {
    std::u32string text;
    text.reserve(utf8.size());
    for (std::size_t position = 0; position < utf8.size();) {
        const char32_t c = decodeUtf8(utf8, position).value_or(U'?');
        text.push_back(c < 0x20 ? U' ' : c);
    }
    return text;
}

} // namespace

MathDisplayNode MathTypesetter::typeset(const MathFormula& formula, MathStyle style) const {
    return Layout(font_).formulaRows(formula, {style, false});
}

MathDisplayNode MathTypesetter::typesetPlainText(std::string_view utf8, std::uint32_t color) const {
    const Layout layout(font_);
    Node root = group(Role::Formula);
    Node row = group(Role::Row);
    row.width = layout.text(row, 0, decodeLeniently(utf8), {MathStyle::Text, false}, color);
    root.width = row.width;
    place(root, std::move(row), 0, 0);
    return root;
}
