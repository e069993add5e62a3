#include "tests/support/Pixels.h"

#include "platform/graphics/NSAttributedString.h"
#include "platform/graphics/TextLayout.h"
#include "platform/graphics/UIFont.h"

#include <gtest/gtest.h>
#include <pango/pango.h>

namespace {

NSAttributedString text(const std::string& s, const UIFont& font) {
    return NSAttributedString(s, NSStringAttributes{font, std::nullopt, std::nullopt});
}

TEST(UIFontTest, NamesFacesSizesAndMetrics) {
    auto heavy = UIFont::fontWithName("Avenir-Heavy", 20);
    ASSERT_TRUE(heavy.has_value());
    EXPECT_EQ(heavy->familyName(), "Lato");
    EXPECT_EQ(heavy->weight(), UIFontWeight::heavy);
    EXPECT_EQ(heavy->fontName(), "Avenir-Heavy");
    EXPECT_EQ(heavy->pointSize(), 20);
    EXPECT_EQ(UIFont::fontWithName("Avenir-Medium", 14)->weight(), UIFontWeight::medium);
    EXPECT_EQ(UIFont::fontWithName("Avenir-Book", 14)->weight(), UIFontWeight::regular);
    EXPECT_FALSE(UIFont::fontWithName("Avenier", 14).has_value());
    EXPECT_FALSE(UIFont::fontWithName("Avenir-Roman", 14).has_value());
    EXPECT_FALSE(UIFont::fontWithName("", 14).has_value());
    auto bold = UIFont::fontWithName("Lato-Bold", 12);
    ASSERT_TRUE(bold.has_value());
    EXPECT_EQ(bold->familyName(), "Lato");
    EXPECT_EQ(bold->weight(), UIFontWeight::bold);
    EXPECT_EQ(UIFont::fontWithName("Lato", 12)->familyName(), "Lato");
    UIFont semibold = UIFont::systemFontOfSize(20, UIFontWeight::semibold);
    EXPECT_EQ(semibold.familyName(), "Lato");
    EXPECT_EQ(semibold.weight(), UIFontWeight::semibold);
    EXPECT_GT(UIFont::preferredFontForTextStyle(UIFontTextStyle::title1).pointSize(),
              UIFont::preferredFontForTextStyle(UIFontTextStyle::body).pointSize());
    EXPECT_EQ(semibold.fontWithSize(10).weight(), UIFontWeight::semibold);
    UIFont small = UIFont::systemFontOfSize(10);
    UIFont large = UIFont::systemFontOfSize(40);
    EXPECT_GT(small.lineHeight(), 10);
    EXPECT_NEAR(large.lineHeight() / small.lineHeight(), 4, 0.1);
    EXPECT_GT(large.ascender(), 0);
    EXPECT_LT(large.descender(), 0);
}

TEST(TextMeasureTest, WidthGrowsWithTextSizeAndWeightAndRunsMeasureAsTheirSum) {
    UIFont font = UIFont::systemFontOfSize(12);
    UIFont heavy = UIFont::fontWithName("Avenir-Heavy", 12).value();
    CGSize one = text("Probability", font).size();
    CGSize two = text("Probability distribution", font).size();
    EXPECT_GT(one.width, 40);
    EXPECT_GT(two.width, one.width * 1.5);
    EXPECT_NEAR(one.height, two.height, 1e-9);
    EXPECT_NEAR(one.height, font.lineHeight(), 1.0);
    EXPECT_GT(text("Probability", heavy).size().width, one.width);
    EXPECT_NEAR(text("Probability", UIFont::systemFontOfSize(24)).size().width, 2 * one.width, 1.0);
    EXPECT_EQ(text("", font).size(), (CGSize{0, 0}));

    NSAttributedString mixed = text("Result ", font);
    mixed.append("bold", NSStringAttributes{heavy, std::nullopt, std::nullopt});
    EXPECT_EQ(mixed.string(), "Result bold");
    EXPECT_EQ(mixed.runs().size(), 2u);
    EXPECT_NEAR(mixed.size().width, text("Result ", font).size().width + text("bold", heavy).size().width,
                1.0);
}

TEST(TextDrawingTest,
     TextInkStaysInsideItsRectangleInTheGivenColourLinesBelowAreLeftOutAndCentredTextIsCentred) {
    UIFont font = UIFont::systemFontOfSize(18);
    NSAttributedString label("Hello 123", NSStringAttributes{font, UIColor::redColor(), std::nullopt});
    CGSize size = label.size();
    CGRect rect{20, 30, size.width, size.height};
    auto image = pixels::draw({200, 100}, 2, [&](CGContext& context) { label.drawInRect(rect, context); });
    pixels::Ink inside = pixels::inkIn(*image, rect);
    EXPECT_GT(inside.count, 100);
    EXPECT_EQ(pixels::inkIn(*image, {0, 0, 200, 100}).count, inside.count);
    // Ink reaches across most of the measured width.
    EXPECT_GT(inside.box.width(), 0.8 * size.width);
    bool red = false;
    for (CGFloat x = rect.minX(); x < rect.maxX() && !red; x += 0.5) {
        for (CGFloat y = rect.minY(); y < rect.maxY() && !red; y += 0.5) {
            auto c = image->colorAtPoint({x, y});
            red = c && c->alpha > 0.9 && pixels::near(*c, {1, 0, 0, c->alpha}, 0.05);
        }
    }
    EXPECT_TRUE(red);

    // Lines below the rectangle are left out.
    NSAttributedString two("first\nsecond", NSStringAttributes{font, std::nullopt, std::nullopt});
    CGFloat lineHeight = text("first", font).size().height;
    auto lines = pixels::draw({100, 60}, 2, [&](CGContext& context) {
        two.drawInRect({0, 0, 100, lineHeight}, context);
    });
    EXPECT_GT(pixels::inkIn(*lines, {0, 0, 100, lineHeight}).count, 0);
    EXPECT_EQ(pixels::inkIn(*lines, {0, lineHeight + 1, 100, 60 - lineHeight - 1}).count, 0);

    NSAttributedString word(
        "mid", NSStringAttributes{font, std::nullopt, NSParagraphStyle{NSTextAlignment::center}});
    auto centred = pixels::draw({200, 30}, 2, [&](CGContext& context) {
        word.drawInRect({0, 0, 200, 30}, context);
    });
    pixels::Ink ink = pixels::inkIn(*centred, {0, 0, 200, 30});
    ASSERT_GT(ink.count, 0);
    EXPECT_NEAR(ink.box.midX(), 100, 3) << "centred text sits in the middle of its rectangle";
}

// A word broken at the edge gets no hyphen: each line draws exactly its own characters.
TEST(TextLayoutTest, AWordBrokenAtTheEdgeGetsNoHyphen) {
    TextLayout::Options narrow;
    narrow.width = 60;
    TextLayout path(text("/home/user/.local/ombrel/shared/image.png", UIFont::systemFontOfSize(14)), narrow);
    EXPECT_GT(path.lineCount(), 3);
    for (GSList* line = pango_layout_get_lines_readonly(path.pangoLayout()); line; line = line->next) {
        const auto* layoutLine = static_cast<PangoLayoutLine*>(line->data);
        int glyphs = 0;
        for (GSList* run = layoutLine->runs; run; run = run->next)
            glyphs += static_cast<PangoGlyphItem*>(run->data)->glyphs->num_glyphs;
        EXPECT_EQ(glyphs, layoutLine->length) << "line at byte " << layoutLine->start_index;
    }
}

} // namespace
