#include "platform/chartkit/AASeriesPainter.h"

#include "platform/chartkit/AAPointFormat.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/TextLayout.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace {

constexpr CGFloat seriesLineWidth = 2;
constexpr CGFloat areaFillAlpha = 0.75;
// Geometry is clipped to the plot grown by this much before cairo sees it: values far outside
// the axis range would otherwise overflow cairo's fixed-point coordinates.
constexpr CGFloat clipMargin = 50;
constexpr CGFloat coordinateLimit = 1e9;

CGPoint clamped(CGPoint p) {
    return {std::clamp(p.x, -coordinateLimit, coordinateLimit),
            std::clamp(p.y, -coordinateLimit, coordinateLimit)};
}

CGPoint interpolate(CGPoint a, CGPoint b, CGFloat t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// The part of segment a-b inside the rectangle (Liang-Barsky).
std::optional<std::pair<CGPoint, CGPoint>> clipSegment(CGPoint a, CGPoint b, const CGRect& r) {
    const CGFloat dx = b.x - a.x;
    const CGFloat dy = b.y - a.y;
    const std::array<CGFloat, 4> p{-dx, dx, -dy, dy};
    const std::array<CGFloat, 4> q{a.x - r.minX(), r.maxX() - a.x, a.y - r.minY(), r.maxY() - a.y};
    CGFloat t0 = 0;
    CGFloat t1 = 1;
    for (std::size_t i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return std::nullopt;
            continue;
        }
        const CGFloat t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return std::nullopt;
    }
    return std::pair(interpolate(a, b, t0), interpolate(a, b, t1));
}

// The polygon cut to the rectangle (Sutherland-Hodgman, one edge at a time).
std::vector<CGPoint> clipPolygon(std::vector<CGPoint> polygon, const CGRect& r) {
    const std::array<std::pair<int, CGFloat>, 4> edges{
        {{0, r.minX()}, {1, r.maxX()}, {2, r.minY()}, {3, r.maxY()}}};
    for (const auto& [side, limit] : edges) {
        const auto inside = [side = side, limit = limit](CGPoint p) {
            switch (side) {
            case 0:
                return p.x >= limit;
            case 1:
                return p.x <= limit;
            case 2:
                return p.y >= limit;
            default:
                return p.y <= limit;
            }
        };
        const auto crossing = [side = side, limit = limit](CGPoint a, CGPoint b) {
            const CGFloat t = side < 2 ? (limit - a.x) / (b.x - a.x) : (limit - a.y) / (b.y - a.y);
            return interpolate(a, b, t);
        };
        std::vector<CGPoint> kept;
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const CGPoint current = polygon[i];
            const CGPoint previous = polygon[(i + polygon.size() - 1) % polygon.size()];
            if (inside(current)) {
                if (!inside(previous))
                    kept.push_back(crossing(previous, current));
                kept.push_back(current);
            } else if (inside(previous)) {
                kept.push_back(crossing(previous, current));
            }
        }
        polygon = std::move(kept);
    }
    return polygon;
}

void addClippedLine(CGPath& path, std::optional<CGPoint>& pen, CGPoint a, CGPoint b, const CGRect& bounds) {
    const auto segment = clipSegment(a, b, bounds);
    if (!segment)
        return;
    if (!pen || *pen != segment->first)
        path.moveToPoint(segment->first);
    path.addLineToPoint(segment->second);
    pen = segment->second;
}

CGPath polylinePath(const std::vector<CGPoint>& points, const CGRect& bounds) {
    CGPath path;
    std::optional<CGPoint> pen;
    for (std::size_t i = 1; i < points.size(); ++i)
        addClippedLine(path, pen, points[i - 1], points[i], bounds);
    return path;
}

// A Catmull-Rom curve through the points as cubic Bezier pieces; a piece reaching outside the
// bounds is drawn straight and clipped.
CGPath splinePath(const std::vector<CGPoint>& points, const CGRect& bounds) {
    CGPath path;
    std::optional<CGPoint> pen;
    const std::size_t n = points.size();
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const CGPoint p0 = points[i == 0 ? 0 : i - 1];
        const CGPoint p1 = points[i];
        const CGPoint p2 = points[i + 1];
        const CGPoint p3 = points[std::min(i + 2, n - 1)];
        const CGPoint c1{p1.x + (p2.x - p0.x) / 6, p1.y + (p2.y - p0.y) / 6};
        const CGPoint c2{p2.x - (p3.x - p1.x) / 6, p2.y - (p3.y - p1.y) / 6};
        if (bounds.contains(p1) && bounds.contains(p2) && bounds.contains(c1) && bounds.contains(c2)) {
            if (!pen || *pen != p1)
                path.moveToPoint(p1);
            path.addCurveToPoint(p2, c1, c2);
            pen = p2;
        } else {
            addClippedLine(path, pen, p1, p2, bounds);
        }
    }
    return path;
}

CGPath polygonPath(const std::vector<CGPoint>& polygon) {
    CGPath path;
    if (polygon.size() < 3)
        return path;
    path.moveToPoint(polygon.front());
    for (std::size_t i = 1; i < polygon.size(); ++i)
        path.addLineToPoint(polygon[i]);
    path.closeSubpath();
    return path;
}

void strokeSeriesPath(CGContext& context, const CGPath& path, const UIColor& color) {
    if (path.isEmpty())
        return;
    context.beginPath();
    context.addPath(path);
    context.setStrokeColor(color);
    context.setLineWidth(seriesLineWidth);
    context.setLineJoin(CGLineJoin::round);
    context.setLineCap(CGLineCap::round);
    context.strokePath();
}

} // namespace

AASeriesPainter::AASeriesPainter(const AAPlotFrame& frame, const UIColor& background,
                                 std::string thousandsSeparator)
    : frame_(frame), background_(background), thousandsSeparator_(std::move(thousandsSeparator)) {}

std::vector<CGPoint> AASeriesPainter::outline(const std::vector<AAChartSeries::Point>& run,
                                              AAChartSeries::Step step) const {
    std::vector<CGPoint> points;
    for (std::size_t i = 0; i < run.size(); ++i) {
        const CGPoint p = clamped(frame_.location(run[i].x, run[i].y));
        if (i > 0 && step != AAChartSeries::Step::none) {
            const CGPoint previous = points.back();
            const CGFloat turnX = step == AAChartSeries::Step::left ? p.x : (previous.x + p.x) / 2;
            points.push_back({turnX, previous.y});
            points.push_back({turnX, p.y});
        }
        points.push_back(p);
    }
    return points;
}

void AASeriesPainter::drawShape(CGContext& context, const AAChartSeries& series) const {
    if (series.type == AAChartType::scatter)
        return;
    const CGRect bounds = frame_.plot.insetBy(-clipMargin, -clipMargin);
    for (const auto& run : series.runs) {
        const std::vector<CGPoint> points = outline(run, series.step);
        if (series.type == AAChartType::area && points.size() > 1) {
            const CGFloat base = std::clamp(frame_.location(0, 0).y, frame_.plot.minY(), frame_.plot.maxY());
            std::vector<CGPoint> polygon{{points.front().x, base}};
            polygon.insert(polygon.end(), points.begin(), points.end());
            polygon.push_back({points.back().x, base});
            context.beginPath();
            context.addPath(polygonPath(clipPolygon(std::move(polygon), bounds)));
            context.setFillColor(series.color.colorWithAlphaComponent(series.color.alpha() * areaFillAlpha));
            context.fillPath();
        }
        const bool smooth = series.type == AAChartType::spline && series.step == AAChartSeries::Step::none;
        strokeSeriesPath(context, smooth ? splinePath(points, bounds) : polylinePath(points, bounds),
                         series.color);
    }
}

void AASeriesPainter::drawMarkers(CGContext& context, const AAChartSeries& series) const {
    const CGFloat r = series.markerRadius;
    if (r <= 0)
        return;
    const CGRect visible = frame_.plot.insetBy(-r, -r);
    CGPath dots;
    for (const auto& run : series.runs)
        for (const auto& point : run) {
            const CGPoint c = frame_.location(point.x, point.y);
            if (visible.contains(c))
                dots.addEllipseInRect({c.x - r, c.y - r, 2 * r, 2 * r});
        }
    if (dots.isEmpty())
        return;
    context.beginPath();
    context.addPath(dots);
    context.setFillColor(series.color);
    context.fillPath();
    if (series.markerLineWidth > 0) {
        context.beginPath();
        context.addPath(dots);
        context.setStrokeColor(UIColor::whiteColor());
        context.setLineWidth(series.markerLineWidth);
        context.strokePath();
    }
}

std::vector<AASeriesPainter::DataLabel> AASeriesPainter::dataLabels(const AAChartSeries& series,
                                                                    const UIColor& textColor) const {
    std::vector<DataLabel> labels;
    if (!series.dataLabelsEnabled)
        return labels;
    const NSStringAttributes attributes{UIFont::systemFontOfSize(11, UIFontWeight::bold),
                                        series.dataLabelColor.value_or(textColor), std::nullopt};
    for (const auto& run : series.runs)
        for (const auto& point : run) {
            const CGPoint c = frame_.location(point.x, point.y);
            if (!frame_.shows(c))
                continue;
            std::string text = AAPointFormat::plainText(AAPointFormat::text(
                series.dataLabelFormat, series.name, point.x, point.y, thousandsSeparator_));
            auto layout = std::make_unique<TextLayout>(
                NSAttributedString(text, attributes),
                TextLayout::Options{0, 0, NSTextAlignment::center, std::nullopt});
            const CGSize size = layout->size();
            const CGRect frame{c.x - size.width / 2,
                               c.y - std::max<CGFloat>(series.markerRadius, 2) - 3 - size.height, size.width,
                               size.height};
            labels.push_back({std::move(text), frame, std::move(layout), series.dataLabelOutline});
        }
    return labels;
}

void AASeriesPainter::drawDataLabel(CGContext& context, const DataLabel& label) const {
    if (label.outline > 0) {
        // A halo in the background colour keeps the label readable over lines and grid.
        const auto background = background_.rgba();
        cairo_t* cr = context.cairo();
        cairo_save(cr);
        cairo_move_to(cr, label.frame.minX(), label.frame.minY());
        pango_cairo_layout_path(cr, label.layout->pangoLayout());
        cairo_set_source_rgba(cr, background.red, background.green, background.blue, background.alpha);
        cairo_set_line_width(cr, 2 * label.outline);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    label.layout->draw(context, label.frame.origin);
}
