#include "platform/graphics/CGContext.h"

#include "platform/graphics/UIImage.h"

#include <cairo.h>

// Core Graphics starts with one-point lines where cairo starts with two.
CGContext::CGContext(cairo_t* cr) : cr_(cr) {
    cairo_set_line_width(cr_, 1);
}

CGContext::~CGContext() {
    while (!saved_.empty()) {
        restoreGState();
    }
}

void CGContext::saveGState() {
    cairo_save(cr_);
    saved_.push_back(state_);
}

void CGContext::restoreGState() {
    if (saved_.empty()) {
        return;
    }
    cairo_restore(cr_);
    state_ = saved_.back();
    saved_.pop_back();
}

void CGContext::translateBy(CGFloat tx, CGFloat ty) {
    cairo_translate(cr_, tx, ty);
}

void CGContext::rotateBy(CGFloat angle) {
    cairo_rotate(cr_, angle);
}

void CGContext::scaleBy(CGFloat sx, CGFloat sy) {
    if (sx != 0 && sy != 0) {
        cairo_scale(cr_, sx, sy);
    }
}

void CGContext::concatenateCTM(const CGAffineTransform& t) {
    if (t.a * t.d - t.b * t.c == 0) {
        return;
    }
    cairo_matrix_t m;
    cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
    cairo_transform(cr_, &m);
}

CGAffineTransform CGContext::userSpaceToDeviceSpaceTransform() const {
    cairo_matrix_t m;
    cairo_get_matrix(cr_, &m);
    return {m.xx, m.yx, m.xy, m.yy, m.x0, m.y0};
}

void CGContext::setStrokeColor(const UIColor& color) {
    state_.stroke = color.rgba();
}

void CGContext::setFillColor(const UIColor& color) {
    state_.fill = color.rgba();
}

void CGContext::setLineWidth(CGFloat width) {
    cairo_set_line_width(cr_, width);
}

CGFloat CGContext::lineWidth() const {
    return cairo_get_line_width(cr_);
}

void CGContext::setLineJoin(CGLineJoin join) {
    switch (join) {
    case CGLineJoin::miter:
        cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
        break;
    case CGLineJoin::round:
        cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
        break;
    case CGLineJoin::bevel:
        cairo_set_line_join(cr_, CAIRO_LINE_JOIN_BEVEL);
        break;
    }
}

void CGContext::setLineCap(CGLineCap cap) {
    switch (cap) {
    case CGLineCap::butt:
        cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
        break;
    case CGLineCap::round:
        cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
        break;
    case CGLineCap::square:
        cairo_set_line_cap(cr_, CAIRO_LINE_CAP_SQUARE);
        break;
    }
}

void CGContext::setAlpha(CGFloat alpha) {
    state_.alpha = std::clamp(alpha, 0.0, 1.0);
}

void CGContext::setSource(const UIColor::RGBA& c) {
    cairo_set_source_rgba(cr_, c.red, c.green, c.blue, c.alpha * state_.alpha);
}

void CGContext::beginPath() {
    cairo_new_path(cr_);
}

void CGContext::moveTo(CGPoint p) {
    cairo_move_to(cr_, p.x, p.y);
}

void CGContext::addLineTo(CGPoint p) {
    cairo_line_to(cr_, p.x, p.y);
}

void CGContext::addArc(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise) {
    CGPath path;
    path.addArc(center, radius, startAngle, endAngle, clockwise);
    path.addToCairo(cr_);
}

void CGContext::addRect(const CGRect& rect) {
    CGPath::withRect(rect).addToCairo(cr_);
}

void CGContext::addEllipse(const CGRect& rect) {
    CGPath::withEllipseInRect(rect).addToCairo(cr_);
}

void CGContext::addPath(const CGPath& path) {
    path.addToCairo(cr_);
}

void CGContext::closePath() {
    cairo_close_path(cr_);
}

void CGContext::strokePath() {
    setSource(state_.stroke);
    cairo_stroke(cr_);
}

void CGContext::fillPath() {
    setSource(state_.fill);
    cairo_fill(cr_);
}

void CGContext::drawPath() {
    setSource(state_.fill);
    cairo_fill_preserve(cr_);
    strokePath();
}

void CGContext::strokeLineSegments(const std::vector<CGPoint>& points) {
    cairo_new_path(cr_);
    for (std::size_t i = 0; i + 1 < points.size(); i += 2) {
        moveTo(points[i]);
        addLineTo(points[i + 1]);
    }
    strokePath();
}

void CGContext::strokeEllipse(const CGRect& rect) {
    cairo_new_path(cr_);
    addEllipse(rect);
    strokePath();
}

void CGContext::fillEllipse(const CGRect& rect) {
    cairo_new_path(cr_);
    addEllipse(rect);
    fillPath();
}

void CGContext::strokeRect(const CGRect& rect) {
    cairo_new_path(cr_);
    addRect(rect);
    strokePath();
}

void CGContext::fillRect(const CGRect& rect) {
    cairo_new_path(cr_);
    addRect(rect);
    fillPath();
}

void CGContext::clearRect(const CGRect& rect) {
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
    cairo_new_path(cr_);
    addRect(rect);
    cairo_fill(cr_);
    cairo_restore(cr_);
}

void CGContext::clipToRect(const CGRect& rect) {
    cairo_new_path(cr_);
    addRect(rect);
    cairo_clip(cr_);
}

void CGContext::clip() {
    cairo_clip(cr_);
}

CGRect CGContext::clipBoundingBox() const {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    cairo_clip_extents(cr_, &x0, &y0, &x1, &y1);
    return {x0, y0, x1 - x0, y1 - y0};
}

void CGContext::drawImage(const UIImage& image, const CGRect& rect) {
    std::optional<UIColor> tint;
    if (image.isTemplate()) {
        const UIColor::RGBA& f = state_.fill;
        tint = UIColor(f.red, f.green, f.blue, f.alpha);
    }
    if (state_.alpha < 1) {
        cairo_push_group(cr_);
        image.draw(*this, rect, tint);
        cairo_pop_group_to_source(cr_);
        cairo_paint_with_alpha(cr_, state_.alpha);
        return;
    }
    image.draw(*this, rect, tint);
}
