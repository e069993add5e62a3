#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphicsImageRenderer.h"
#include "platform/graphics/UIImage.h"
#include "platform/material/Icon.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// The icon drawn in red over its 24-point grid, at one pixel per point.
std::shared_ptr<UIImage> inked(const std::shared_ptr<UIImage>& icon) {
    UIGraphicsImageRendererFormat format;
    format.scale = 1;
    return UIGraphicsImageRenderer(CGSize{24, 24}, format)
        .image([&](UIGraphicsImageRendererContext& context) {
            icon->draw(context.cgContext(), {0, 0, 24, 24}, UIColor::redColor());
        });
}

bool hasInk(const UIImage& image, CGPoint p) {
    auto color = image.colorAtPoint({p.x, p.y});
    return color && color->alpha > 0.5;
}

struct IconCase {
    std::string name;
    std::function<std::shared_ptr<UIImage>()> icon;
    std::vector<CGPoint> ink;
    std::vector<CGPoint> blank;
};

std::vector<IconCase> iconCases() {
    return {
        {"menu", Icon::menu, {{4, 6}, {12, 12}, {20, 18}}, {{12, 9}, {12, 15}, {1, 12}}},
        {"arrowBack",
         Icon::arrowBack,
         {{5, 12}, {16, 12}, {8, 8.5}, {8, 15.5}},
         {{16, 6}, {16, 18}, {12, 3}}},
        {"check", Icon::check, {{9.5, 17}, {7, 15}, {17, 9.5}}, {{5, 18}, {18, 18}, {12, 6}}},
        {"share", Icon::share, {{17.5, 5.5}, {6.5, 12}, {17.5, 18.5}}, {{6, 4}, {6, 20}, {21, 12}}},
        {"edit", Icon::edit, {{12, 12}, {8, 16}, {16, 8}}, {{4, 4}, {20, 20}, {12, 4}}},
        {"clear", Icon::clear, {{12, 12}, {7, 7}, {17, 7}, {7, 17}}, {{12, 6}, {6, 12}, {18, 12}}},
    };
}

TEST(IconTest, EachIconIsASharedTemplateThatInksItsShapeInTheTintAndLeavesItsGapsEmpty) {
    for (const auto& c : iconCases()) {
        auto icon = c.icon();
        ASSERT_NE(icon, nullptr) << c.name;
        EXPECT_TRUE(icon->isTemplate()) << c.name;
        EXPECT_EQ(icon->size(), (CGSize{24, 24})) << c.name;
        EXPECT_EQ(c.icon(), icon) << c.name << " is made once";
        auto image = inked(icon);
        for (CGPoint p : c.ink) {
            auto color = image->colorAtPoint(p);
            ASSERT_TRUE(color.has_value());
            EXPECT_GT(color->alpha, 0.5) << c.name << " has no ink at " << p.x << ", " << p.y;
            EXPECT_GT(color->red, 0.9) << c.name << " is drawn in the tint";
            EXPECT_LT(color->green, 0.1) << c.name;
        }
        for (CGPoint p : c.blank) {
            EXPECT_FALSE(hasInk(*image, p)) << c.name << " has ink at " << p.x << ", " << p.y;
        }
    }
}

} // namespace
