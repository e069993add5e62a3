#include "platform/math/MTMathUILabel.h"

#include "platform/math/MathParser.h"
#include "platform/math/MathTypesetter.h"
#include "tests/support/Pixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

constexpr double scale = 2;

using ColorTest = std::function<bool(const UIColor::RGBA&)>;

bool isInk(const UIColor::RGBA& c) {
    return c.alpha > 0.5;
}
bool isRed(const UIColor::RGBA& c) {
    return isInk(c) && c.red > 0.6 && c.green < 0.4 && c.blue < 0.4;
}
bool isBlue(const UIColor::RGBA& c) {
    return isInk(c) && c.blue > 0.6 && c.red < 0.4 && c.green < 0.4;
}

std::shared_ptr<UIImage> snapshot(MTMathUILabel& label) {
    return pixels::draw(label.bounds().size, scale, [&](CGContext&) {
        EXPECT_TRUE(label.drawViewHierarchyInRect(label.bounds(), false));
    });
}

// Pixels of the picture inside the area (in points) that pass the test.
int count(const UIImage& image, const ColorTest& test, const CGRect& area = {0, 0, 1e9, 1e9}) {
    int n = 0;
    for (double y = area.minY(); y < std::min(area.maxY(), image.size().height); y += 1 / scale)
        for (double x = area.minX(); x < std::min(area.maxX(), image.size().width); x += 1 / scale)
            if (const auto c = image.colorAtPoint({x, y}); c && test(*c))
                ++n;
    return n;
}

MathDisplayNode formula(std::string_view latex, double size) {
    return MathTypesetter(*MathFont::latinModernMath(size)).typeset(*MathParser::parse(latex).formula);
}

std::shared_ptr<MTMathUILabel> stepCellLabel() {
    auto label = std::make_shared<MTMathUILabel>(CGRect{{0, 0}, {320, 90}});
    label->setContentInsets(UIEdgeInsetsMake(0, 50, 20, 80));
    label->setTextColor(UIColor::blueColor());
    return label;
}

} // namespace

TEST(MTMathUILabel, IntrinsicSizeIsTheFormulaPlusTheInsets) {
    const auto label = stepCellLabel();
    EXPECT_EQ(label->intrinsicContentSize(), (CGSize{130, 20}));

    const std::string_view short_ = R"(\bar{x} = 4.6)";
    const std::string_view long_ = R"(= \frac{1}{5} \cdot \left(4 +5 +3 +7 +4 \right))";
    label->setLatex(std::string(short_));
    const MathDisplayNode shortFormula = formula(short_, 20);
    EXPECT_NEAR(label->intrinsicContentSize().width, shortFormula.width + 130, 1e-3);
    EXPECT_NEAR(label->intrinsicContentSize().height, shortFormula.ascent + shortFormula.descent + 20, 1e-3);
    EXPECT_EQ(label->sizeThatFits({1, 1}), label->intrinsicContentSize());

    label->setLatex(std::string(long_));
    const CGSize wide = label->intrinsicContentSize();
    EXPECT_NEAR(wide.width, formula(long_, 20).width + 130, 1e-3);
    EXPECT_GT(wide.width, shortFormula.width + 130 + 50);

    label->setFontSize(46);
    EXPECT_NEAR(label->intrinsicContentSize().width - 130, (wide.width - 130) * 46 / 20, 0.5);
    label->setFontSize(0);
    label->setFontSize(std::nan(""));
    label->setFontSize(-3);
    EXPECT_EQ(label->fontSize(), 46);

    label->setLatex("");
    EXPECT_EQ(label->intrinsicContentSize(), (CGSize{130, 20}));
}

TEST(MTMathUILabel, DrawsTheFormulaInItsColoursInsideItsBox) {
    const auto label = stepCellLabel();
    const std::string latex =
        R"(s = \sqrt{ \frac{1}{n - 1} \cdot \sum_{i=1}^{n} \left(x_i - \bar{x}\right)^2 })";
    label->setLatex(latex);
    const auto image = snapshot(*label);
    // Left in the insets, centred vertically in the 70 points above the bottom inset.
    const MathDisplayNode shown = formula(latex, 20);
    const double height = shown.ascent + shown.descent;
    const CGRect box{50, (70 - height) / 2, shown.width, height};
    EXPECT_GT(count(*image, isBlue, box), 200);
    EXPECT_EQ(count(*image, isInk, box.insetBy(-1, -1)), count(*image, isInk));
    EXPECT_EQ(count(*image, isRed), 0);

    label->setTextColor(UIColor::redColor());
    const auto red = snapshot(*label);
    EXPECT_EQ(count(*red, isBlue), 0);
    EXPECT_GT(count(*red, isRed, box), 200);

    // The formula's own colours override the text colour.
    label->setLatex(R"(8 \color{blue}{8})");
    const auto mixed = snapshot(*label);
    const CGRect firstEight{0, 0, 50 + formula("8 8", 20).width / 2, 90};
    EXPECT_GT(count(*mixed, isRed, firstEight), 20);
    EXPECT_EQ(count(*mixed, isBlue, firstEight), 0);
    EXPECT_GT(count(*mixed, isBlue), 20);
}

TEST(MTMathUILabel, FractionRuleIsASolidLineOnTheAxis) {
    const auto label = std::make_shared<MTMathUILabel>(CGRect{{0, 0}, {100, 60}});
    label->setLatex(R"(\frac{1}{2})");
    const MathDisplayNode shown = formula(R"(\frac{1}{2})", 20);
    const double baseline = (60 - shown.ascent - shown.descent) / 2 + shown.ascent;
    const double axis = baseline - MathFont::latinModernMath(20)->constant(HB_OT_MATH_CONSTANT_AXIS_HEIGHT);
    const auto image = snapshot(*label);
    // Between the null delimiter spaces on either side.
    for (double x = 0.12 * 20 + 0.5; x < shown.width - 0.12 * 20 - 0.5; x += 1 / scale)
        EXPECT_TRUE(isInk(image->colorAtPoint({x, axis}).value_or(UIColor::RGBA{}))) << x;
}

TEST(MTMathUILabel, BadInputShowsItsTextInRedAndTheLabelStaysUsable) {
    const auto label = stepCellLabel();
    for (const std::string bad : {R"(\frac{1}{)", R"(x + \foo)", "}{", "\xFF\xFE"}) {
        label->setLatex(bad);
        const auto image = snapshot(*label);
        EXPECT_GT(count(*image, isRed), 10) << bad;
        EXPECT_EQ(count(*image, isBlue), 0) << bad;
        EXPECT_GT(label->intrinsicContentSize().width, 130) << bad;
    }
    // A long text is laid out only as far as a line could be seen.
    const auto widthOf = [&](std::size_t length) {
        label->setLatex("}" + std::string(length, 'x'));
        return label->intrinsicContentSize().width;
    };
    EXPECT_LT(widthOf(100), widthOf(200));
    EXPECT_EQ(widthOf(20'000), widthOf(2'000'000));

    label->setLatex(R"(x \approx 1.51658)");
    const auto image = snapshot(*label);
    EXPECT_EQ(count(*image, isRed), 0);
    EXPECT_GT(count(*image, isBlue), 20);

    label->setLatex("");
    EXPECT_EQ(count(*snapshot(*label), isInk), 0);
}

TEST(MTMathUILabel, DynamicTextColourFollowsTheAppearance) {
    const auto label = stepCellLabel();
    label->setTextColor(UIColor::labelColor());
    label->setLatex(R"(\sigma \approx 1.00454)");
    const auto isDark = [](const UIColor::RGBA& c) { return isInk(c) && c.red + c.green + c.blue < 0.9; };
    const auto isLight = [](const UIColor::RGBA& c) { return isInk(c) && c.red + c.green + c.blue > 2.1; };

    const UITraitCollection saved = UITraitCollection::currentTraitCollection();
    UITraitCollection::setCurrentTraitCollection(
        UITraitCollection::traitCollectionWithUserInterfaceStyle(UIUserInterfaceStyle::light));
    const auto light = snapshot(*label);
    UITraitCollection::setCurrentTraitCollection(
        UITraitCollection::traitCollectionWithUserInterfaceStyle(UIUserInterfaceStyle::dark));
    const auto dark = snapshot(*label);
    UITraitCollection::setCurrentTraitCollection(saved);

    EXPECT_GT(count(*light, isDark), 20);
    EXPECT_EQ(count(*light, isLight), 0);
    EXPECT_GT(count(*dark, isLight), 20);
    EXPECT_EQ(count(*dark, isDark), 0);
}
