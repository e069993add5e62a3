#include "platform/math/MathParser.h"
#include "platform/math/MathTypesetter.h"
#include "tests/math/WorkedExampleSteps.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr double size = 20;
constexpr double mu = size / 18;
constexpr double tolerance = 1e-3; // glyph offsets within a run are single precision

const MathFont& font() {
    static const MathFont f = *MathFont::latinModernMath(size);
    return f;
}

MathDisplayNode typeset(std::string_view latex, MathStyle style = MathStyle::Display) {
    const MathParseResult result = MathParser::parse(latex);
    EXPECT_TRUE(result.formula) << latex;
    return MathTypesetter(font()).typeset(result.formula.value_or(MathFormula{}), style);
}

// A node with its origin in the formula's coordinates.
struct Placed {
    const MathDisplayNode* node = nullptr;
    double x = 0;
    double y = 0;
    double left() const { return x; }
    double right() const { return x + node->width; }
    double top() const { return y + node->ascent; }
    double bottom() const { return y - node->descent; }
    double height() const { return node->ascent + node->descent; }
};

void walk(const MathDisplayNode& node, double x, double y, const std::function<void(const Placed&)>& visit) {
    const Placed placed{&node, x + node.x, y + node.y};
    visit(placed);
    for (const MathDisplayNode& child : node.children)
        walk(child, placed.x, placed.y, visit);
}

std::vector<Placed> withRole(const MathDisplayNode& root, MathDisplayRole role) {
    std::vector<Placed> found;
    walk(root, 0, 0, [&](const Placed& p) {
        if (p.node->role == role)
            found.push_back(p);
    });
    return found;
}

// A glyph of a run with its origin in the formula's coordinates.
struct PlacedGlyph {
    std::uint32_t glyph = 0;
    double fontSize = 0;
    std::optional<std::uint32_t> color;
    double x = 0;
    double y = 0;
    MathGlyphMetrics metrics() const { return font().withSize(fontSize).metrics(glyph); }
    double left() const { return x; }
    double right() const { return x + metrics().advance; }
    double top() const { return y + metrics().ascent; }
    double bottom() const { return y - metrics().descent; }
};

std::vector<PlacedGlyph> allGlyphs(const MathDisplayNode& root) {
    std::vector<PlacedGlyph> found;
    walk(root, 0, 0, [&](const Placed& p) {
        if (p.node->kind == MathDisplayKind::Glyphs)
            for (const MathDisplayGlyph& g : p.node->glyphs)
                found.push_back({g.glyph, p.node->fontSize, p.node->color, p.x + g.x, p.y + g.y});
    });
    return found;
}

std::vector<PlacedGlyph> glyphsOf(const MathDisplayNode& root, char32_t c) {
    std::vector<PlacedGlyph> found = allGlyphs(root);
    std::erase_if(found, [glyph = font().glyph(c)](const PlacedGlyph& g) { return g.glyph != glyph; });
    return found;
}

template <typename T> T only(const std::vector<T>& items) {
    EXPECT_EQ(items.size(), 1u);
    return items.empty() ? T{} : items.front();
}

double constant(hb_ot_math_constant_t c) {
    return font().constant(c);
}

// The input rewriting steps for the fields 1/2 and 0.25, the input echoes as the history shows them, and the
// labels of the distribution-function view.
constexpr std::string_view twoFormulaRows =
    R"(x_i = [4;5;3;7;4] \\ P\left(X = x_i\right) = [0.3;0.25;0.4;0.04;0.01])";
constexpr std::string_view otherShownFormulas[] = {
    R"(0.25 = \frac{0.25 \cdot 100}{1 \cdot 100} = \frac{25}{100})",
    R"(\frac{25}{100}= \frac{25 : 25}{100 : 25} = \frac{1}{4})",
    R"(x_i = [4;5;3;7;4])",
    twoFormulaRows,
    R"(\text{The sum of all probabilities must be 1.})",
    R"(F(X) = )",
    R"(0.75;)",
    R"(\quad x<0)",
    R"(\quad 0 \le x < 1)",
    R"(\quad 1 \le x)",
    R"(\{)",
};

constexpr char32_t italicX = 0x1D465;
constexpr char32_t italicF = 0x1D453;
constexpr char32_t italicA = 0x1D44E;
constexpr char32_t italicB = 0x1D44F;
constexpr char32_t minusSign = 0x2212;
constexpr char32_t sum = 0x2211;

} // namespace

TEST(MathTypesetter, FractionStacksNumeratorOverBarOverDenominator) {
    const MathDisplayNode formula = typeset(R"(\frac{1}{n - 1})");
    const Placed numerator = only(withRole(formula, MathDisplayRole::Numerator));
    const Placed denominator = only(withRole(formula, MathDisplayRole::Denominator));
    const Placed bar = only(withRole(formula, MathDisplayRole::FractionRule));

    EXPECT_GT(numerator.bottom(), bar.top());
    EXPECT_LT(denominator.top(), bar.bottom());
    EXPECT_GE(numerator.bottom() - bar.top(),
              constant(HB_OT_MATH_CONSTANT_FRACTION_NUM_DISPLAY_STYLE_GAP_MIN) - tolerance);
    EXPECT_NEAR((bar.top() + bar.bottom()) / 2, constant(HB_OT_MATH_CONSTANT_AXIS_HEIGHT), tolerance);
    EXPECT_NEAR(bar.top() - bar.bottom(), constant(HB_OT_MATH_CONSTANT_FRACTION_RULE_THICKNESS), tolerance);
    // The bar spans the wider part; both parts are centred on it.
    EXPECT_NEAR(bar.node->width, denominator.node->width, tolerance);
    EXPECT_NEAR((numerator.left() + numerator.right()) / 2, (bar.left() + bar.right()) / 2, tolerance);
    EXPECT_NEAR((denominator.left() + denominator.right()) / 2, (bar.left() + bar.right()) / 2, tolerance);
    // Null delimiter space on each side.
    EXPECT_NEAR(formula.width, bar.node->width + 2 * 0.12 * size, tolerance);

    // Display fractions keep text-size parts; inline ones shrink them to script size.
    EXPECT_DOUBLE_EQ(glyphsOf(formula, U'1').front().fontSize, size);
    const MathDisplayNode inlineFraction = typeset(R"(\frac{1}{2})", MathStyle::Text);
    EXPECT_DOUBLE_EQ(only(glyphsOf(inlineFraction, U'1')).fontSize, size * 0.7);
    EXPECT_LT(inlineFraction.ascent + inlineFraction.descent, typeset(R"(\frac{1}{2})").ascent);
}

TEST(MathTypesetter, BinomialHasNoBarAndParentheses) {
    const MathDisplayNode formula = typeset(R"(\binom{n}{k})");
    EXPECT_TRUE(withRole(formula, MathDisplayRole::FractionRule).empty());
    const std::vector<Placed> delimiters = withRole(formula, MathDisplayRole::Delimiter);
    ASSERT_EQ(delimiters.size(), 2u);
    const Placed top = only(withRole(formula, MathDisplayRole::Numerator));
    const Placed bottom = only(withRole(formula, MathDisplayRole::Denominator));
    EXPECT_GE(top.bottom() - bottom.top(),
              constant(HB_OT_MATH_CONSTANT_STACK_DISPLAY_STYLE_GAP_MIN) - tolerance);
    for (const Placed& d : delimiters)
        EXPECT_GE(d.height(), 2.39 * size - tolerance);
    EXPECT_LT(delimiters[0].right(), top.left() + tolerance);
    EXPECT_GT(delimiters[1].left(), top.right() - tolerance);
}

TEST(MathTypesetter, ScriptsAreShiftedSmallerAndApartByTheItalicCorrection) {
    const MathDisplayNode power = typeset("x^2");
    const PlacedGlyph base = only(glyphsOf(power, italicX));
    const PlacedGlyph exponent = only(glyphsOf(power, U'2'));
    EXPECT_DOUBLE_EQ(exponent.fontSize, size * 0.7);
    EXPECT_GE(exponent.y, constant(HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP) - tolerance);
    EXPECT_GE(exponent.left(), base.right() - tolerance);
    EXPECT_NEAR(power.width, exponent.right() + constant(HB_OT_MATH_CONSTANT_SPACE_AFTER_SCRIPT), 0.5);

    const MathDisplayNode index = typeset("x_i");
    const PlacedGlyph i = only(glyphsOf(index, 0x1D456));
    EXPECT_LE(i.y, -constant(HB_OT_MATH_CONSTANT_SUBSCRIPT_SHIFT_DOWN) + tolerance);
    EXPECT_DOUBLE_EQ(i.fontSize, size * 0.7);

    // Both scripts: kept apart by the minimum gap; second-level scripts go down to scriptscript size.
    const MathDisplayNode both = typeset("x_i^{2^3}");
    const Placed sup = withRole(both, MathDisplayRole::Superscript).front();
    const Placed sub = only(withRole(both, MathDisplayRole::Subscript));
    EXPECT_GE(sup.bottom() - sub.top(), constant(HB_OT_MATH_CONSTANT_SUB_SUPERSCRIPT_GAP_MIN) - tolerance);
    EXPECT_DOUBLE_EQ(only(glyphsOf(both, U'3')).fontSize, size * 0.5);

    // A script of a bracket group rides higher than one of a single letter.
    const MathDisplayNode group = typeset(R"(\left(x\right)^2)");
    EXPECT_GT(only(glyphsOf(group, U'2')).y, exponent.y);

    // Italic correction separates the superscript from the subscript.
    const MathDisplayNode formula = typeset("f_1^2");
    const PlacedGlyph f = only(glyphsOf(formula, italicF));
    const double correction = f.metrics().italicCorrection;
    ASSERT_GT(correction, 0);
    const Placed fSup = only(withRole(formula, MathDisplayRole::Superscript));
    const Placed fSub = only(withRole(formula, MathDisplayRole::Subscript));
    EXPECT_NEAR(fSup.left() - fSub.left(), correction, tolerance);
    EXPECT_NEAR(fSub.left(), f.right(), tolerance);
}

TEST(MathTypesetter, SquareRootCoversItsRadicand) {
    for (std::string_view latex :
         {R"(\sqrt{ 2.3 })", R"(\sqrt{ \frac{1}{n - 1} \cdot \sum_{i=1}^{n} x_i })"}) {
        const MathDisplayNode formula = typeset(latex);
        const Placed radicand = only(withRole(formula, MathDisplayRole::Radicand));
        const Placed bar = only(withRole(formula, MathDisplayRole::RadicalRule));
        const Placed sign = only(withRole(formula, MathDisplayRole::RadicalSign));
        EXPECT_LE(bar.left(), radicand.left() + tolerance) << latex;
        EXPECT_GE(bar.right(), radicand.right() - tolerance) << latex;
        EXPECT_GE(bar.bottom() - radicand.top(),
                  constant(HB_OT_MATH_CONSTANT_RADICAL_DISPLAY_STYLE_VERTICAL_GAP) - tolerance)
            << latex;
        EXPECT_NEAR(bar.top() - bar.bottom(), constant(HB_OT_MATH_CONSTANT_RADICAL_RULE_THICKNESS),
                    tolerance);
        EXPECT_LE(sign.right(), radicand.left() + tolerance) << latex;
        EXPECT_NEAR(sign.top(), bar.top(), tolerance) << latex;
        EXPECT_LE(sign.bottom(), radicand.bottom() + tolerance) << latex;
        EXPECT_GE(formula.ascent,
                  bar.top() + constant(HB_OT_MATH_CONSTANT_RADICAL_EXTRA_ASCENDER) - tolerance);
    }
    const MathDisplayNode cubic = typeset(R"(\sqrt[3]{x})");
    const Placed degree = only(withRole(cubic, MathDisplayRole::RadicalDegree));
    const Placed sign = only(withRole(cubic, MathDisplayRole::RadicalSign));
    // The degree sits over the hook of the sign.
    EXPECT_GE(degree.left(), 0);
    EXPECT_LT(degree.right(), sign.right());
    EXPECT_GT(degree.bottom(), sign.bottom() + sign.height() / 2);
    EXPECT_DOUBLE_EQ(only(glyphsOf(cubic, U'3')).fontSize, size * 0.5);
}

TEST(MathTypesetter, DelimitersGrowWithWhatTheyEnclose) {
    const auto delimiterHeights = [](std::string_view latex) {
        const MathDisplayNode formula = typeset(latex);
        const std::vector<Placed> delimiters = withRole(formula, MathDisplayRole::Delimiter);
        EXPECT_EQ(delimiters.size(), 2u) << latex;
        EXPECT_NEAR(delimiters.front().height(), delimiters.back().height(), tolerance) << latex;
        return delimiters.front().height();
    };
    const double aroundDigit = delimiterHeights(R"(\left(1\right))");
    const double aroundFraction = delimiterHeights(R"(\left(\frac{1}{5}\right))");
    EXPECT_GT(aroundFraction, aroundDigit * 1.5);

    // Content taller than the largest variant is enclosed by an assembly of parts without gaps.
    const MathDisplayNode tall =
        typeset(R"(\left( \frac{\frac{\frac{1}{2}}{\frac{3}{4}}}{\frac{\frac{5}{6}}{\frac{7}{8}}} \right))");
    const Placed left = withRole(tall, MathDisplayRole::Delimiter).front();
    ASSERT_GE(left.node->glyphs.size(), 3u);
    const Placed numerator = withRole(tall, MathDisplayRole::Numerator).front();
    const Placed denominator = withRole(tall, MathDisplayRole::Denominator).front();
    const double axis = constant(HB_OT_MATH_CONSTANT_AXIS_HEIGHT);
    const double extent = std::max(numerator.top() - axis, axis - denominator.bottom());
    EXPECT_GE(left.height(), 2 * extent * 0.901 - tolerance);
    EXPECT_NEAR((left.top() + left.bottom()) / 2, axis, tolerance);
    const auto& parts = left.node->glyphs;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const double bottom = parts[i].y - font().metrics(parts[i].glyph).descent;
        const double previousTop = parts[i - 1].y + font().metrics(parts[i - 1].glyph).ascent;
        EXPECT_LE(bottom, previousTop + tolerance) << i;
    }

    // The null delimiter takes only a little room.
    const MathDisplayNode open = typeset(R"(\left. x \right|)");
    EXPECT_NEAR(only(glyphsOf(open, italicX)).left(), 0.12 * size, tolerance);
}

TEST(MathTypesetter, SumPlacesItsLimitsAboveAndBelowInDisplayStyle) {
    const MathDisplayNode display = typeset(R"(\sum_{i=1}^{n} x_i)");
    const Placed op = only(withRole(display, MathDisplayRole::LargeOperator));
    const Placed upper = only(withRole(display, MathDisplayRole::UpperLimit));
    const Placed lower = only(withRole(display, MathDisplayRole::LowerLimit));
    EXPECT_EQ(op.node->glyphs.front().glyph, font().variants(font().glyph(sum), true).back().glyph);
    EXPECT_GE(op.height(), constant(HB_OT_MATH_CONSTANT_DISPLAY_OPERATOR_MIN_HEIGHT));
    EXPECT_NEAR((op.top() + op.bottom()) / 2, constant(HB_OT_MATH_CONSTANT_AXIS_HEIGHT), tolerance);
    EXPECT_GE(upper.bottom() - op.top(), constant(HB_OT_MATH_CONSTANT_UPPER_LIMIT_GAP_MIN) - tolerance);
    EXPECT_GE(op.bottom() - lower.top(), constant(HB_OT_MATH_CONSTANT_LOWER_LIMIT_GAP_MIN) - tolerance);
    const double opCentre = (op.left() + op.right()) / 2;
    EXPECT_NEAR((upper.left() + upper.right()) / 2, opCentre, 0.5);
    EXPECT_NEAR((lower.left() + lower.right()) / 2, opCentre, 0.5);
    // The summand follows the widest of the three.
    EXPECT_GE(only(glyphsOf(display, italicX)).left(), std::max({op.right(), upper.right(), lower.right()}));

    // Inline, the operator keeps its small size and the limits become scripts beside it.
    const MathDisplayNode inline_ = typeset(R"(\sum_{i=1}^{n} x_i)", MathStyle::Text);
    const Placed smallOp = only(withRole(inline_, MathDisplayRole::LargeOperator));
    EXPECT_EQ(smallOp.node->glyphs.front().glyph, font().glyph(sum));
    EXPECT_TRUE(withRole(inline_, MathDisplayRole::UpperLimit).empty());
    EXPECT_GE(only(withRole(inline_, MathDisplayRole::Superscript)).left(), smallOp.right() - tolerance);
    EXPECT_GE(withRole(inline_, MathDisplayRole::Subscript).front().left(), smallOp.right() - tolerance);
}

TEST(MathTypesetter, SpacesBetweenAtomsFollowTheirClasses) {
    const auto gapBefore = [](std::string_view latex, char32_t first, char32_t second) {
        const MathDisplayNode formula = typeset(latex);
        const PlacedGlyph a = glyphsOf(formula, first).front();
        const double end = a.right() + a.metrics().italicCorrection;
        return glyphsOf(formula, second).front().left() - end;
    };
    EXPECT_NEAR(gapBefore("a=b", italicA, U'='), 5 * mu, tolerance);
    EXPECT_NEAR(gapBefore("a+b", italicA, U'+'), 4 * mu, tolerance);
    EXPECT_NEAR(gapBefore("a;b", U';', italicB), 3 * mu, tolerance);
    EXPECT_NEAR(gapBefore("ab", italicA, italicB), 0, tolerance);
    // A minus after a relation or an opening, or at the start, is unary.
    EXPECT_NEAR(gapBefore("= -b", minusSign, italicB), 0, tolerance);
    EXPECT_NEAR(gapBefore("(-b)", minusSign, italicB), 0, tolerance);
    EXPECT_NEAR(gapBefore("-b", minusSign, italicB), 0, tolerance);
    EXPECT_NEAR(gapBefore("a-b", minusSign, italicB), 4 * mu, tolerance);
    // Explicit spaces add to the class spacing.
    EXPECT_NEAR(gapBefore(R"(a = \quad b)", U'=', italicB), 5 * mu + 18 * mu, tolerance);
    EXPECT_NEAR(gapBefore(R"(a \; b)", italicA, italicB), 5 * mu, tolerance);
    // No class spacing in scripts.
    const MathDisplayNode script = typeset("x^{a+b}");
    const PlacedGlyph plus = only(glyphsOf(script, U'+'));
    const PlacedGlyph a = only(glyphsOf(script, italicA));
    EXPECT_NEAR(plus.left(), a.right() + a.metrics().italicCorrection, tolerance);
}

TEST(MathTypesetter, LineBreaksStackRowsDownwardsAlignedLeft) {
    const MathDisplayNode formula = typeset(twoFormulaRows);
    const std::vector<Placed> rows = withRole(formula, MathDisplayRole::Row);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].x, 0);
    EXPECT_EQ(rows[1].x, 0);
    EXPECT_EQ(rows[0].y, 0);
    EXPECT_LT(rows[1].top(), rows[0].bottom());
    EXPECT_GE(rows[0].y - rows[1].y, 1.2 * size);
    EXPECT_NEAR(formula.width, std::max(rows[0].node->width, rows[1].node->width), tolerance);
    EXPECT_NEAR(formula.descent, -rows[1].bottom(), tolerance);
    EXPECT_NEAR(formula.ascent, rows[0].top(), tolerance);
    const MathDisplayNode empty = typeset("");
    EXPECT_EQ(empty.width + empty.ascent + empty.descent, 0) << "an empty formula takes no room";

    // 500,000 line breaks: the atoms reserved and the nodes made grow with the length, not its square.
    const std::string breaks(1'000'000, '\\');
    const MathParseResult parsedBreaks = MathParser::parse(breaks);
    ASSERT_TRUE(parsedBreaks.formula);
    const std::vector<MathList>& manyRows = parsedBreaks.formula->rows;
    EXPECT_EQ(manyRows.size(), 500'001u);
    std::size_t reserved = manyRows.capacity();
    for (const MathList& row : manyRows)
        reserved += row.capacity();
    EXPECT_LE(reserved, 2 * breaks.size());
    const MathDisplayNode stacked = MathTypesetter(font()).typeset(*parsedBreaks.formula);
    EXPECT_EQ(stacked.children.size(), manyRows.size());
    EXPECT_LE(stacked.children.capacity(), 2 * breaks.size());
}

TEST(MathTypesetter, AccentSitsOverItsBase) {
    const MathDisplayNode formula = typeset(R"(\bar{x})");
    const PlacedGlyph x = only(glyphsOf(formula, italicX));
    const Placed bar = only(withRole(formula, MathDisplayRole::Accent));
    EXPECT_GT(bar.bottom(), x.top());
    const MathGlyphMetrics barMetrics = font().metrics(bar.node->glyphs.front().glyph);
    EXPECT_NEAR(bar.x + barMetrics.topAccentAttachment, x.x + x.metrics().topAccentAttachment, tolerance);
    EXPECT_NEAR(formula.width, x.metrics().advance, tolerance);
}

TEST(MathTypesetter, TextIsUprightWithItsSpaces) {
    const MathDisplayNode formula = typeset(R"(\text{a b})");
    const PlacedGlyph a = only(glyphsOf(formula, U'a'));
    const PlacedGlyph b = only(glyphsOf(formula, U'b'));
    EXPECT_NEAR(b.left() - a.right(), font().metrics(font().glyph(U' ')).advance, 0.3);
}

TEST(MathTypesetter, ColoursReachEveryPartOfTheirFormula) {
    const MathDisplayNode formula = typeset(R"(x \color{red}{\frac{1}{\sqrt{2}}})");
    int colored = 0;
    for (const PlacedGlyph& g : allGlyphs(formula)) {
        if (g.glyph == font().glyph(italicX)) {
            EXPECT_FALSE(g.color);
        } else {
            EXPECT_EQ(g.color, 0xFF0000FFu);
            ++colored;
        }
    }
    walk(formula, 0, 0, [&](const Placed& p) {
        if (p.node->kind == MathDisplayKind::Rule) {
            EXPECT_EQ(p.node->color, 0xFF0000FFu);
            ++colored;
        }
    });
    EXPECT_EQ(colored, 5); // 1, bar, radical sign, radical rule, 2
}

TEST(MathTypesetter, EveryCharacterOfTheWorkedExamplesHasAGlyph) {
    std::vector<std::string> formulas = workedExample::sampleStatisticsSteps();
    const std::vector<std::string> randomVariable = workedExample::randomVariableSteps();
    ASSERT_EQ(formulas.size() + randomVariable.size(), 44u);
    formulas.insert(formulas.end(), randomVariable.begin(), randomVariable.end());
    formulas.insert(formulas.end(), std::begin(otherShownFormulas), std::end(otherShownFormulas));
    for (const std::string& formula : formulas)
        for (const PlacedGlyph& g : allGlyphs(typeset(formula)))
            EXPECT_NE(g.glyph, 0u) << formula;
}
