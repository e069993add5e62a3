#include "platform/chartkit/AATooltipPainter.h"

#include "platform/chartkit/AAOptionReader.h"
#include "platform/chartkit/AAPointFormat.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/TextLayout.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr CGFloat boxPadding = 8;
constexpr CGFloat boxDistance = 12;
constexpr CGFloat boxCornerRadius = 3;
constexpr CGFloat shadowOffset = 2;
constexpr CGFloat shadowAlpha = 0.15;

UIColor defaultTextColor() {
    return UIColor(0.2, 0.2, 0.2, 1);
}

// Dash lengths in multiples of the line width.
std::vector<CGFloat> dashPattern(const std::string& style, CGFloat width) {
    std::vector<CGFloat> units;
    if (style == "dash")
        units = {4, 3};
    else if (style == "dot")
        units = {1, 3};
    else if (style == "dashDot")
        units = {4, 3, 1, 3};
    else if (style == "longDash")
        units = {8, 3};
    else if (style == "longDashDot")
        units = {8, 3, 1, 3};
    else if (style == "longDashDotDot")
        units = {8, 3, 1, 3, 1, 3};
    for (auto& unit : units)
        unit *= width;
    return units;
}

} // namespace

AATooltipPainter::AATooltipPainter(const nlohmann::json& options, const std::vector<AAChartSeries>& series,
                                   const AAPlotFrame& frame, CGSize chartSize, std::string thousandsSeparator)
    : options_(options), series_(series), frame_(frame), chartSize_(chartSize),
      thousandsSeparator_(std::move(thousandsSeparator)) {}

std::optional<AATooltipPainter::HoveredPoint> AATooltipPainter::hoveredPoint(CGPoint pointer) const {
    if (!frame_.shows(pointer))
        return std::nullopt;
    std::optional<HoveredPoint> best;
    std::pair<CGFloat, CGFloat> bestDistance{std::numeric_limits<CGFloat>::infinity(), 0};
    for (const auto& series : series_)
        for (const auto& run : series.runs)
            for (const auto& point : run) {
                const CGPoint location = frame_.location(point.x, point.y);
                if (!frame_.shows(location))
                    continue;
                const CGFloat dx = std::fabs(location.x - pointer.x);
                const CGFloat dy = std::fabs(location.y - pointer.y);
                const auto distance = series.type == AAChartType::scatter
                                          ? std::pair(std::hypot(dx, dy), CGFloat(0))
                                          : std::pair(dx, dy);
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = HoveredPoint{&series, point, location};
                }
            }
    return best;
}

std::vector<std::string> AATooltipPainter::lines(const HoveredPoint& hovered) const {
    const auto& tooltip = AAOptionReader::object(options_, "tooltip");
    const std::string format = AAOptionReader::text(tooltip, "headerFormat", "{point.key}<br/>") +
                               AAOptionReader::text(tooltip, "pointFormat", "{series.name}: {point.y}<br/>");
    const std::string text = AAPointFormat::plainText(AAPointFormat::text(
        format, hovered.series->name, hovered.point.x, hovered.point.y, thousandsSeparator_));
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end = std::min(text.find('\n', start), text.size());
        result.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

void AATooltipPainter::draw(CGContext& context, const HoveredPoint& hovered, CGPoint pointer) const {
    const auto& xAxis = AAOptionReader::object(options_, "xAxis");
    const auto& yAxis = AAOptionReader::object(options_, "yAxis");
    const CGRect plot = frame_.plot;
    if (xAxis.contains("crosshair"))
        drawCrosshair(context, xAxis["crosshair"], {hovered.location.x, plot.minY()},
                      {hovered.location.x, plot.maxY()});
    if (yAxis.contains("crosshair"))
        drawCrosshair(context, yAxis["crosshair"], {plot.minX(), hovered.location.y},
                      {plot.maxX(), hovered.location.y});
    if (options_.contains("tooltip"))
        drawBox(context, hovered, pointer);
}

void AATooltipPainter::drawCrosshair(CGContext& context, const nlohmann::json& crosshair, CGPoint from,
                                     CGPoint to) const {
    const CGFloat width = std::max(0.0, AAOptionReader::number(crosshair, "width", 1));
    if (width <= 0)
        return;
    const auto color = AAOptionReader::color(crosshair, "color", UIColor::colorWithWhite(0.8, 1)).rgba();
    const auto dashes = dashPattern(AAOptionReader::text(crosshair, "dashStyle", "solid"), width);
    cairo_t* cr = context.cairo();
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
    cairo_set_line_width(cr, width);
    cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void AATooltipPainter::drawBox(CGContext& context, const HoveredPoint& hovered, CGPoint pointer) const {
    const auto& tooltip = AAOptionReader::object(options_, "tooltip");
    std::string text;
    for (const auto& line : lines(hovered))
        text += (text.empty() ? "" : "\n") + line;
    const NSStringAttributes attributes{
        UIFont::systemFontOfSize(12),
        AAOptionReader::color(AAOptionReader::object(tooltip, "style"), "color", defaultTextColor()),
        std::nullopt};
    const TextLayout layout{NSAttributedString(text, attributes)};
    const CGSize textSize = layout.size();
    const CGSize boxSize{textSize.width + 2 * boxPadding, textSize.height + 2 * boxPadding};

    // Beside the anchor, on whichever side keeps the box inside the chart.
    const CGPoint anchor = AAOptionReader::flag(tooltip, "followPointer", false) ? pointer : hovered.location;
    CGFloat x = anchor.x + boxDistance;
    if (x + boxSize.width > chartSize_.width)
        x = anchor.x - boxDistance - boxSize.width;
    CGFloat y = anchor.y - boxDistance - boxSize.height;
    if (y < 0)
        y = anchor.y + boxDistance;
    const CGRect box{std::max<CGFloat>(0, x), std::max<CGFloat>(0, y), boxSize.width, boxSize.height};
    const CGPath shape = CGPath::withRoundedRect(box, boxCornerRadius);

    if (AAOptionReader::flag(tooltip, "shadow", true)) {
        context.beginPath();
        context.addPath(CGPath::withRoundedRect(box.offsetBy(shadowOffset, shadowOffset), boxCornerRadius));
        context.setFillColor(UIColor::colorWithWhite(0, shadowAlpha));
        context.fillPath();
    }
    context.beginPath();
    context.addPath(shape);
    context.setFillColor(
        AAOptionReader::color(tooltip, "backgroundColor", UIColor::colorWithWhite(0.97, 0.9)));
    context.fillPath();

    const CGFloat borderWidth = std::max(0.0, AAOptionReader::number(tooltip, "borderWidth", 1));
    if (borderWidth > 0) {
        context.beginPath();
        context.addPath(shape);
        context.setStrokeColor(AAOptionReader::color(tooltip, "borderColor", hovered.series->color));
        context.setLineWidth(borderWidth);
        context.strokePath();
    }
    layout.draw(context, {box.minX() + boxPadding, box.minY() + boxPadding});
}
