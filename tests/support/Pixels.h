#pragma once

#include "platform/graphics/CALayer.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphicsImageRenderer.h"
#include "platform/graphics/UIImage.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace pixels {

inline std::shared_ptr<UIImage> draw(CGSize size, CGFloat scale,
                                     const std::function<void(CGContext&)>& actions) {
    UIGraphicsImageRendererFormat format;
    format.scale = scale;
    return UIGraphicsImageRenderer(size, format).image([&](UIGraphicsImageRendererContext& context) {
        actions(context.cgContext());
    });
}

// The layer drawn at its frame into an image of the given size.
inline std::shared_ptr<UIImage> render(CALayer& layer, CGSize size, CGFloat scale = 3) {
    return draw(size, scale, [&](CGContext& context) {
        CGRect frame = layer.frame();
        context.translateBy(frame.origin.x, frame.origin.y);
        layer.renderInContext(context);
    });
}

inline UIColor::RGBA at(const UIImage& image, CGFloat x, CGFloat y) {
    auto color = image.colorAtPoint({x, y});
    EXPECT_TRUE(color.has_value()) << "no pixel at " << x << ", " << y;
    return color.value_or(UIColor::RGBA{});
}

inline ::testing::AssertionResult near(const UIColor::RGBA& actual, const UIColor::RGBA& expected,
                                       CGFloat tolerance = 0.02) {
    auto close = [&](CGFloat a, CGFloat b) { return std::abs(a - b) <= tolerance; };
    if (close(actual.red, expected.red) && close(actual.green, expected.green) &&
        close(actual.blue, expected.blue) && close(actual.alpha, expected.alpha)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "got rgba(" << actual.red << ", " << actual.green << ", " << actual.blue << ", " << actual.alpha
           << "), expected rgba(" << expected.red << ", " << expected.green << ", " << expected.blue << ", "
           << expected.alpha << ")";
}

// A colour read outside an image is near nothing.
inline ::testing::AssertionResult near(const std::optional<UIColor::RGBA>& actual,
                                       const UIColor::RGBA& expected, CGFloat tolerance = 0.02) {
    return actual ? near(*actual, expected, tolerance) : ::testing::AssertionFailure() << "outside the image";
}

inline bool transparent(const UIColor::RGBA& c) {
    return c.alpha < 0.01;
}

// Pixels inside the rectangle (in points) with any ink, and the bounding box of them.
struct Ink {
    int count = 0;
    CGRect box = CGRect::null();
};

inline Ink inkIn(const UIImage& image, const CGRect& rect, CGFloat minAlpha = 0.2) {
    Ink ink;
    CGFloat step = 1 / image.scale();
    for (CGFloat y = rect.minY() + step / 2; y < rect.maxY(); y += step) {
        for (CGFloat x = rect.minX() + step / 2; x < rect.maxX(); x += step) {
            auto c = image.colorAtPoint({x, y});
            if (c && c->alpha >= minAlpha) {
                ++ink.count;
                ink.box = ink.box.unionWith(CGRect{x, y, 0, 0});
            }
        }
    }
    return ink;
}

} // namespace pixels
