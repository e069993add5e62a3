#pragma once

#include "platform/graphics/CGPath.h"

#include <memory>

// The toolkit's path object, a shared wrapper around a CGPath.
class UIBezierPath {
  public:
    UIBezierPath() = default;
    static std::shared_ptr<UIBezierPath> bezierPath();
    static std::shared_ptr<UIBezierPath> bezierPathWithRect(const CGRect& rect);
    static std::shared_ptr<UIBezierPath> bezierPathWithOvalInRect(const CGRect& rect);
    static std::shared_ptr<UIBezierPath> bezierPathWithRoundedRect(const CGRect& rect, CGFloat cornerRadius);
    static std::shared_ptr<UIBezierPath> bezierPathWithArcCenter(CGPoint center, CGFloat radius,
                                                                 CGFloat startAngle, CGFloat endAngle,
                                                                 bool clockwise);

    void moveToPoint(CGPoint p) { path_.moveToPoint(p); }
    void addLineToPoint(CGPoint p) { path_.addLineToPoint(p); }
    void addArcWithCenter(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle,
                          bool clockwise) {
        path_.addArc(center, radius, startAngle, endAngle, clockwise);
    }
    void closePath() { path_.closeSubpath(); }

    const CGPath& cgPath() const { return path_; }
    CGRect bounds() const { return path_.boundingBox(); }
    CGFloat lineWidth = 1;

    // With the current UIGraphics context's stroke and fill colours.
    void stroke() const;
    void fill() const;

  private:
    CGPath path_;
};
