#pragma once

#include "platform/graphics/CGPath.h"
#include "platform/graphics/UIColor.h"

#include <vector>

typedef struct _cairo cairo_t;
class UIImage;

enum class CGLineJoin { miter, round, bevel };
enum class CGLineCap { butt, round, square };

// Core Graphics drawing over a cairo context. User space has y pointing down and one unit per
// point; the device scale lives in the initial transform. Colours resolve against the current
// trait collection when they are set.
class CGContext {
  public:
    // Draws into cr without owning it; states saved and not restored are unwound on destruction.
    explicit CGContext(cairo_t* cr);
    ~CGContext();
    CGContext(const CGContext&) = delete;
    CGContext& operator=(const CGContext&) = delete;

    // For other renderers (math typesetting, charts) that draw with cairo directly.
    cairo_t* cairo() const { return cr_; }

    void saveGState();
    void restoreGState();

    void translateBy(CGFloat tx, CGFloat ty);
    void rotateBy(CGFloat angle);
    void scaleBy(CGFloat sx, CGFloat sy);
    void concatenateCTM(const CGAffineTransform& t);
    CGAffineTransform userSpaceToDeviceSpaceTransform() const;

    void setStrokeColor(const UIColor& color);
    void setFillColor(const UIColor& color);
    void setLineWidth(CGFloat width);
    void setLineJoin(CGLineJoin join);
    void setLineCap(CGLineCap cap);
    void setAlpha(CGFloat alpha);
    CGFloat lineWidth() const;

    // The current path.
    void beginPath();
    void moveTo(CGPoint p);
    void addLineTo(CGPoint p);
    void addArc(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise);
    void addRect(const CGRect& rect);
    void addEllipse(const CGRect& rect);
    void addPath(const CGPath& path);
    void closePath();
    void strokePath();
    void fillPath();
    // Fills then strokes the same path.
    void drawPath();

    // Points taken in pairs, each pair one segment.
    void strokeLineSegments(const std::vector<CGPoint>& points);
    void strokeEllipse(const CGRect& rect);
    void fillEllipse(const CGRect& rect);
    void strokeRect(const CGRect& rect);
    void fillRect(const CGRect& rect);
    // Makes the rectangle fully transparent.
    void clearRect(const CGRect& rect);

    void clipToRect(const CGRect& rect);
    // Intersects the clip with the current path and clears the path.
    void clip();
    CGRect clipBoundingBox() const;

    // The image upright in the rectangle; templates in the fill colour.
    void drawImage(const UIImage& image, const CGRect& rect);

  private:
    struct State {
        UIColor::RGBA stroke{0, 0, 0, 1};
        UIColor::RGBA fill{0, 0, 0, 1};
        CGFloat alpha = 1;
    };
    void setSource(const UIColor::RGBA& color);

    cairo_t* cr_;
    State state_;
    std::vector<State> saved_;
};
