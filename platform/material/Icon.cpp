#include "platform/material/Icon.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIImage.h"

#include <cmath>
#include <numbers>

namespace {

constexpr CGFloat gridSize = 24;
constexpr CGFloat strokeWidth = 2;

std::shared_ptr<UIImage> makeIcon(void (*draw)(CGContext&)) {
    return UIImage::vectorImage(
        {gridSize, gridSize},
        [draw](CGContext& context, const CGRect&) {
            context.saveGState();
            context.setStrokeColor(UIColor::blackColor());
            context.setFillColor(UIColor::blackColor());
            context.setLineWidth(strokeWidth);
            context.setLineCap(CGLineCap::round);
            context.setLineJoin(CGLineJoin::round);
            draw(context);
            context.restoreGState();
        },
        UIImageRenderingMode::alwaysTemplate);
}

void strokePolyline(CGContext& context, std::initializer_list<CGPoint> points) {
    context.beginPath();
    bool first = true;
    for (CGPoint p : points) {
        if (first) {
            context.moveTo(p);
            first = false;
        } else {
            context.addLineTo(p);
        }
    }
    context.strokePath();
}

void drawMenu(CGContext& context) {
    for (CGFloat y : {6.0, 12.0, 18.0}) {
        strokePolyline(context, {{3, y}, {21, y}});
    }
}

void drawArrowBack(CGContext& context) {
    strokePolyline(context, {{20, 12}, {4.5, 12}});
    strokePolyline(context, {{11, 5.5}, {4.5, 12}, {11, 18.5}});
}

void drawCheck(CGContext& context) {
    strokePolyline(context, {{4.5, 12.5}, {9.5, 17.5}, {19.5, 7}});
}

void drawShare(CGContext& context) {
    const CGPoint top{17.5, 5.5}, middle{6.5, 12}, bottom{17.5, 18.5};
    context.setLineWidth(1.5);
    strokePolyline(context, {top, middle, bottom});
    constexpr CGFloat radius = 3;
    for (CGPoint c : {top, middle, bottom}) {
        context.fillEllipse({c.x - radius, c.y - radius, 2 * radius, 2 * radius});
    }
}

// A pencil lying along the diagonal from the lower left to the upper right.
void drawEdit(CGContext& context) {
    context.saveGState();
    context.translateBy(12, 12);
    context.rotateBy(-std::numbers::pi / 4);
    // In the rotated frame the pencil points to negative x.
    context.beginPath();
    context.moveTo({-11, 0});
    context.addLineTo({-7, -2.5});
    context.addLineTo({6, -2.5});
    context.addLineTo({6, 2.5});
    context.addLineTo({-7, 2.5});
    context.closePath();
    context.fillPath();
    // The eraser cap, set off from the body by a gap.
    context.fillRect({7.5, -2.5, 3, 5});
    context.restoreGState();
}

void drawClear(CGContext& context) {
    strokePolyline(context, {{5.5, 5.5}, {18.5, 18.5}});
    strokePolyline(context, {{18.5, 5.5}, {5.5, 18.5}});
}

} // namespace

std::shared_ptr<UIImage> Icon::menu() {
    static const auto image = makeIcon(drawMenu);
    return image;
}

std::shared_ptr<UIImage> Icon::arrowBack() {
    static const auto image = makeIcon(drawArrowBack);
    return image;
}

std::shared_ptr<UIImage> Icon::check() {
    static const auto image = makeIcon(drawCheck);
    return image;
}

std::shared_ptr<UIImage> Icon::share() {
    static const auto image = makeIcon(drawShare);
    return image;
}

std::shared_ptr<UIImage> Icon::edit() {
    static const auto image = makeIcon(drawEdit);
    return image;
}

std::shared_ptr<UIImage> Icon::clear() {
    static const auto image = makeIcon(drawClear);
    return image;
}
