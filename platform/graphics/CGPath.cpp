#include "platform/graphics/CGPath.h"

#include <cairo.h>

#include <cmath>
#include <numbers>

namespace {

constexpr CGFloat twoPi = 2 * std::numbers::pi;

CGPoint pointOnCircle(CGPoint center, CGFloat radius, CGFloat angle) {
    return {center.x + radius * std::cos(angle), center.y + radius * std::sin(angle)};
}

// The swept interval of an arc as cairo draws it, lowest angle first.
std::pair<CGFloat, CGFloat> sweep(const CGPath::Element& e) {
    CGFloat a0 = e.startAngle;
    CGFloat a1 = e.endAngle;
    if (e.clockwise) {
        while (a1 < a0) {
            a1 += twoPi;
        }
        return {a0, a1};
    }
    while (a1 > a0) {
        a1 -= twoPi;
    }
    return {a1, a0};
}

CGRect pointRect(CGPoint p) {
    return {p.x, p.y, 0, 0};
}

CGFloat distance(double x0, double y0, double x1, double y1) {
    return std::hypot(x1 - x0, y1 - y0);
}

// Emits the parts of flattened segments that fall between two distances along the path.
class Trimmer {
  public:
    Trimmer(cairo_t* cr, CGFloat from, CGFloat to) : cr_(cr), from_(from), to_(to) {}

    void moveTo(double x, double y) {
        x_ = subX_ = x;
        y_ = subY_ = y;
        drawing_ = false;
    }

    void lineTo(double x, double y) {
        CGFloat length = distance(x_, y_, x, y);
        CGFloat segStart = walked_;
        CGFloat segEnd = walked_ + length;
        CGFloat a = std::max(from_, segStart);
        CGFloat b = std::min(to_, segEnd);
        if (length > 0 && a < b) {
            CGFloat t0 = (a - segStart) / length;
            CGFloat t1 = (b - segStart) / length;
            if (!drawing_ || t0 > 0) {
                cairo_move_to(cr_, x_ + (x - x_) * t0, y_ + (y - y_) * t0);
            }
            cairo_line_to(cr_, x_ + (x - x_) * t1, y_ + (y - y_) * t1);
            drawing_ = t1 >= 1;
        } else if (length > 0) {
            drawing_ = false;
        }
        walked_ = segEnd;
        x_ = x;
        y_ = y;
    }

    void close() { lineTo(subX_, subY_); }

  private:
    cairo_t* cr_;
    CGFloat from_, to_;
    CGFloat walked_ = 0;
    double x_ = 0, y_ = 0, subX_ = 0, subY_ = 0;
    bool drawing_ = false;
};

template <typename Visit> void forEachFlatElement(cairo_path_t* path, Visit&& visit) {
    for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
        visit(path->data[i].header.type, &path->data[i]);
    }
}

// The path flattened by cairo, in the path's own coordinates.
cairo_path_t* flatten(const CGPath& path) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(surface);
    path.addToCairo(cr);
    cairo_path_t* flat = cairo_copy_path_flat(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return flat;
}

CGFloat flatLength(cairo_path_t* flat) {
    CGFloat total = 0;
    double x = 0, y = 0, sx = 0, sy = 0;
    forEachFlatElement(flat, [&](cairo_path_data_type_t type, cairo_path_data_t* data) {
        switch (type) {
        case CAIRO_PATH_MOVE_TO:
            x = sx = data[1].point.x;
            y = sy = data[1].point.y;
            break;
        case CAIRO_PATH_LINE_TO:
            total += distance(x, y, data[1].point.x, data[1].point.y);
            x = data[1].point.x;
            y = data[1].point.y;
            break;
        case CAIRO_PATH_CLOSE_PATH:
            total += distance(x, y, sx, sy);
            x = sx;
            y = sy;
            break;
        default:
            break;
        }
    });
    return total;
}

} // namespace

CGPath CGPath::withRect(const CGRect& rect) {
    CGPath path;
    path.addRect(rect);
    return path;
}

CGPath CGPath::withEllipseInRect(const CGRect& rect) {
    CGPath path;
    path.addEllipseInRect(rect);
    return path;
}

CGPath CGPath::withRoundedRect(const CGRect& rect, CGFloat cornerRadius) {
    CGPath path;
    path.addRoundedRect(rect, cornerRadius);
    return path;
}

void CGPath::moveToPoint(CGPoint p) {
    Element e{ElementType::moveTo};
    e.points[0] = p;
    elements_.push_back(e);
    current_ = subpathStart_ = p;
}

void CGPath::addLineToPoint(CGPoint p) {
    if (!current_) {
        moveToPoint(p);
        return;
    }
    Element e{ElementType::lineTo};
    e.points[0] = p;
    elements_.push_back(e);
    current_ = p;
}

void CGPath::addQuadCurveToPoint(CGPoint p, CGPoint control) {
    if (!current_) {
        moveToPoint(control);
    }
    Element e{ElementType::quadCurveTo};
    e.points[0] = control;
    e.points[1] = p;
    elements_.push_back(e);
    current_ = p;
}

void CGPath::addCurveToPoint(CGPoint p, CGPoint control1, CGPoint control2) {
    if (!current_) {
        moveToPoint(control1);
    }
    Element e{ElementType::curveTo};
    e.points[0] = control1;
    e.points[1] = control2;
    e.points[2] = p;
    elements_.push_back(e);
    current_ = p;
}

void CGPath::addArc(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise) {
    if (!std::isfinite(radius) || !std::isfinite(startAngle) || !std::isfinite(endAngle) || radius < 0) {
        return;
    }
    Element e{ElementType::arc};
    e.points[0] = center;
    e.radius = radius;
    e.startAngle = startAngle;
    e.endAngle = endAngle;
    e.clockwise = clockwise;
    if (!current_) {
        subpathStart_ = pointOnCircle(center, radius, startAngle);
    }
    elements_.push_back(e);
    auto [lo, hi] = sweep(e);
    current_ = pointOnCircle(center, radius, clockwise ? hi : lo);
}

void CGPath::addRect(const CGRect& rect) {
    CGRect r = rect.standardized();
    moveToPoint({r.minX(), r.minY()});
    addLineToPoint({r.maxX(), r.minY()});
    addLineToPoint({r.maxX(), r.maxY()});
    addLineToPoint({r.minX(), r.maxY()});
    closeSubpath();
}

void CGPath::addEllipseInRect(const CGRect& rect) {
    CGRect r = rect.standardized();
    // Four quarter curves with the usual circle constant.
    constexpr CGFloat k = 0.5522847498307936;
    CGFloat rx = r.width() / 2;
    CGFloat ry = r.height() / 2;
    CGFloat cx = r.midX();
    CGFloat cy = r.midY();
    moveToPoint({cx + rx, cy});
    addCurveToPoint({cx, cy + ry}, {cx + rx, cy + k * ry}, {cx + k * rx, cy + ry});
    addCurveToPoint({cx - rx, cy}, {cx - k * rx, cy + ry}, {cx - rx, cy + k * ry});
    addCurveToPoint({cx, cy - ry}, {cx - rx, cy - k * ry}, {cx - k * rx, cy - ry});
    addCurveToPoint({cx + rx, cy}, {cx + k * rx, cy - ry}, {cx + rx, cy - k * ry});
    closeSubpath();
}

void CGPath::addRoundedRect(const CGRect& rect, CGFloat cornerRadius) {
    CGRect r = rect.standardized();
    CGFloat radius = std::clamp(cornerRadius, 0.0, std::min(r.width(), r.height()) / 2);
    if (radius <= 0) {
        addRect(r);
        return;
    }
    constexpr CGFloat pi = std::numbers::pi;
    moveToPoint({r.minX() + radius, r.minY()});
    addArc({r.maxX() - radius, r.minY() + radius}, radius, -pi / 2, 0, true);
    addArc({r.maxX() - radius, r.maxY() - radius}, radius, 0, pi / 2, true);
    addArc({r.minX() + radius, r.maxY() - radius}, radius, pi / 2, pi, true);
    addArc({r.minX() + radius, r.minY() + radius}, radius, pi, 3 * pi / 2, true);
    closeSubpath();
}

void CGPath::addPath(const CGPath& other) {
    elements_.insert(elements_.end(), other.elements_.begin(), other.elements_.end());
    if (other.current_) {
        current_ = other.current_;
        subpathStart_ = other.subpathStart_;
    }
}

void CGPath::closeSubpath() {
    if (!current_) {
        return;
    }
    elements_.push_back(Element{ElementType::closeSubpath});
    current_ = subpathStart_;
}

std::optional<CGPoint> CGPath::currentPoint() const {
    return current_;
}

CGRect CGPath::boundingBox() const {
    CGRect box = CGRect::null();
    for (const Element& e : elements_) {
        switch (e.type) {
        case ElementType::moveTo:
        case ElementType::lineTo:
            box = box.unionWith(pointRect(e.points[0]));
            break;
        case ElementType::quadCurveTo:
            box = box.unionWith(pointRect(e.points[0])).unionWith(pointRect(e.points[1]));
            break;
        case ElementType::curveTo:
            for (const CGPoint& p : e.points) {
                box = box.unionWith(pointRect(p));
            }
            break;
        case ElementType::arc: {
            auto [lo, hi] = sweep(e);
            box = box.unionWith(pointRect(pointOnCircle(e.points[0], e.radius, lo)));
            box = box.unionWith(pointRect(pointOnCircle(e.points[0], e.radius, hi)));
            // The axis extremes the sweep passes.
            for (CGFloat a = std::ceil(lo / (twoPi / 4)) * (twoPi / 4); a < hi; a += twoPi / 4) {
                box = box.unionWith(pointRect(pointOnCircle(e.points[0], e.radius, a)));
            }
            break;
        }
        case ElementType::closeSubpath:
            break;
        }
    }
    return box.isNull() ? CGRect::null() : box;
}

CGFloat CGPath::length() const {
    cairo_path_t* flat = flatten(*this);
    CGFloat total = flatLength(flat);
    cairo_path_destroy(flat);
    return total;
}

void CGPath::addToCairo(cairo_t* cr) const {
    for (const Element& e : elements_) {
        switch (e.type) {
        case ElementType::moveTo:
            cairo_move_to(cr, e.points[0].x, e.points[0].y);
            break;
        case ElementType::lineTo:
            cairo_line_to(cr, e.points[0].x, e.points[0].y);
            break;
        case ElementType::quadCurveTo: {
            double x0 = 0, y0 = 0;
            cairo_get_current_point(cr, &x0, &y0);
            const CGPoint& c = e.points[0];
            const CGPoint& p = e.points[1];
            cairo_curve_to(cr, x0 + 2.0 / 3 * (c.x - x0), y0 + 2.0 / 3 * (c.y - y0),
                           p.x + 2.0 / 3 * (c.x - p.x), p.y + 2.0 / 3 * (c.y - p.y), p.x, p.y);
            break;
        }
        case ElementType::curveTo:
            cairo_curve_to(cr, e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y, e.points[2].x,
                           e.points[2].y);
            break;
        case ElementType::arc:
            if (e.clockwise) {
                cairo_arc(cr, e.points[0].x, e.points[0].y, e.radius, e.startAngle, e.endAngle);
            } else {
                cairo_arc_negative(cr, e.points[0].x, e.points[0].y, e.radius, e.startAngle, e.endAngle);
            }
            break;
        case ElementType::closeSubpath:
            cairo_close_path(cr);
            break;
        }
    }
}

void CGPath::addTrimmedToCairo(cairo_t* cr, CGFloat start, CGFloat end) const {
    start = std::clamp(start, 0.0, 1.0);
    end = std::clamp(end, 0.0, 1.0);
    if (start <= 0 && end >= 1) {
        addToCairo(cr);
        return;
    }
    if (end <= start) {
        return;
    }
    cairo_path_t* flat = flatten(*this);
    CGFloat total = flatLength(flat);
    Trimmer trimmer(cr, start * total, end * total);
    forEachFlatElement(flat, [&](cairo_path_data_type_t type, cairo_path_data_t* data) {
        switch (type) {
        case CAIRO_PATH_MOVE_TO:
            trimmer.moveTo(data[1].point.x, data[1].point.y);
            break;
        case CAIRO_PATH_LINE_TO:
            trimmer.lineTo(data[1].point.x, data[1].point.y);
            break;
        case CAIRO_PATH_CLOSE_PATH:
            trimmer.close();
            break;
        default:
            break;
        }
    });
    cairo_path_destroy(flat);
}
