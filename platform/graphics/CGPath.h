#pragma once

#include "platform/graphics/CGAffineTransform.h"

#include <optional>
#include <vector>

typedef struct _cairo cairo_t;

// A path value. Angles are in radians measured from the positive x axis with y pointing down,
// so increasing angles run clockwise on screen; "clockwise" means clockwise as seen on screen.
class CGPath {
  public:
    enum class ElementType { moveTo, lineTo, quadCurveTo, curveTo, arc, closeSubpath };
    struct Element {
        ElementType type;
        CGPoint points[3]{};
        // Arc: centre in points[0].
        CGFloat radius = 0, startAngle = 0, endAngle = 0;
        bool clockwise = true;
    };

    CGPath() = default;
    static CGPath withRect(const CGRect& rect);
    static CGPath withEllipseInRect(const CGRect& rect);
    static CGPath withRoundedRect(const CGRect& rect, CGFloat cornerRadius);

    void moveToPoint(CGPoint p);
    void addLineToPoint(CGPoint p);
    void addQuadCurveToPoint(CGPoint p, CGPoint control);
    void addCurveToPoint(CGPoint p, CGPoint control1, CGPoint control2);
    // Joins the current point to the arc's start with a line, like the platform.
    void addArc(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise);
    void addRect(const CGRect& rect);
    void addEllipseInRect(const CGRect& rect);
    void addRoundedRect(const CGRect& rect, CGFloat cornerRadius);
    void addPath(const CGPath& other);
    void closeSubpath();

    bool isEmpty() const { return elements_.empty(); }
    const std::vector<Element>& elements() const { return elements_; }
    std::optional<CGPoint> currentPoint() const;
    // Bounds of all points including control points.
    CGRect boundingBox() const;
    // Length of the path as flattened at cairo's default tolerance.
    CGFloat length() const;

    // Appends to cairo's current path (in cairo's user space).
    void addToCairo(cairo_t* cr) const;
    // Appends only the part from fraction start to end of the path's length (as a shape layer's
    // stroke start and end do), flattened at cairo's tolerance.
    void addTrimmedToCairo(cairo_t* cr, CGFloat start, CGFloat end) const;

  private:
    std::vector<Element> elements_;
    std::optional<CGPoint> current_;
    std::optional<CGPoint> subpathStart_;
};
