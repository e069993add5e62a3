#include "platform/graphics/UIBezierPath.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPath() {
    return std::make_shared<UIBezierPath>();
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithRect(const CGRect& rect) {
    auto path = bezierPath();
    path->path_.addRect(rect);
    return path;
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithOvalInRect(const CGRect& rect) {
    auto path = bezierPath();
    path->path_.addEllipseInRect(rect);
    return path;
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithRoundedRect(const CGRect& rect,
                                                                      CGFloat cornerRadius) {
    auto path = bezierPath();
    path->path_.addRoundedRect(rect, cornerRadius);
    return path;
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithArcCenter(CGPoint center, CGFloat radius,
                                                                    CGFloat startAngle, CGFloat endAngle,
                                                                    bool clockwise) {
    auto path = bezierPath();
    path->path_.addArc(center, radius, startAngle, endAngle, clockwise);
    return path;
}

void UIBezierPath::stroke() const {
    if (CGContext* context = UIGraphics::currentContext()) {
        context->saveGState();
        context->setLineWidth(lineWidth);
        context->beginPath();
        context->addPath(path_);
        context->strokePath();
        context->restoreGState();
    }
}

void UIBezierPath::fill() const {
    if (CGContext* context = UIGraphics::currentContext()) {
        context->beginPath();
        context->addPath(path_);
        context->fillPath();
    }
}
