#include "platform/chartkit/AAChartRenderer.h"

#include "platform/chartkit/AALegendPainter.h"
#include "platform/chartkit/AANumberText.h"
#include "platform/chartkit/AAOptionReader.h"
#include "platform/chartkit/AASeriesPainter.h"
#include "platform/chartkit/AATooltipPainter.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr CGFloat padding = 10;
constexpr CGFloat gap = 6;
constexpr CGFloat titleFontSize = 15;
constexpr CGFloat axisTitleFontSize = 12;
constexpr CGFloat labelFontSize = 11;
constexpr CGFloat xTickPixelInterval = 72;
constexpr CGFloat yTickPixelInterval = 50;
// Room on the right for the half of the last x label that reaches past the plot.
constexpr CGFloat rightOverhang = 8;
constexpr double minorGridAlpha = 0.5;

UIColor defaultTextColor() { return UIColor(0.2, 0.2, 0.2, 1); }
UIColor defaultGridColor() { return UIColor(0.9, 0.9, 0.9, 1); }
UIColor defaultAxisLineColor() { return UIColor(0.8, 0.84, 0.92, 1); }

void strokeLine(CGContext& context, CGPoint from, CGPoint to, const UIColor& color, CGFloat width) {
    if (width <= 0)
        return;
    context.setStrokeColor(color);
    context.setLineWidth(width);
    context.strokeLineSegments({from, to});
}

// Labels that would overlap along the axis are thinned to every n-th; extent is a label's size along it.
template <class Position>
std::size_t labelStride(const std::vector<double>& ticks, CGFloat extent, Position position) {
    CGFloat spacing = std::numeric_limits<CGFloat>::infinity();
    for (std::size_t i = 1; i < ticks.size(); ++i)
        spacing = std::min(spacing, std::fabs(position(ticks[i]) - position(ticks[i - 1])));
    if (!(spacing > 0) || !std::isfinite(spacing))
        return 1;
    return std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil((extent + 4) / spacing)));
}

} // namespace

AAChartRenderer::AAChartRenderer(const AAOptions& options, CGSize size, bool drawsBackground)
    : options_(options.toJSON()), size_{std::max<CGFloat>(0, size.width), std::max<CGFloat>(0, size.height)},
      series_(AAChartSeries::fromOptions(options_)) {
    const auto& chart = AAOptionReader::object(options_, "chart");
    textColor_ = AAOptionReader::color(AAOptionReader::object(chart, "style"), "color", defaultTextColor());
    thousandsSeparator_ = AAOptionReader::text(AAOptionReader::object(options_, "lang"), "thousandsSep", " ");
    if (drawsBackground)
        background_ = AAOptionReader::color(chart, "backgroundColor", UIColor::whiteColor());

    CGRect area{padding, padding, size_.width - 2 * padding, size_.height - 2 * padding};
    const std::string title = AAOptionReader::text(AAOptionReader::object(options_, "title"), "text", "");
    if (!title.empty()) {
        title_ = makeText(title, titleFontSize, UIFontWeight::medium, textColor_);
        const CGSize titleSize = title_->size();
        titleOrigin_ = {(size_.width - titleSize.width) / 2, area.minY()};
        area = {area.minX(), area.minY() + titleSize.height + gap, area.width(), area.height() - titleSize.height - gap};
    }
    placeLegend(area);

    xAxis_.options = AAOptionReader::object(options_, "xAxis");
    yAxis_.options = AAOptionReader::object(options_, "yAxis");
    prepareTitle(xAxis_);
    prepareTitle(yAxis_);
    const CGFloat xLabelHeight = makeText("0", labelFontSize, UIFontWeight::regular, textColor_)->size().height;
    CGFloat bottomSpace = xLabelHeight + gap + (xAxis_.title ? xAxis_.title->size().height + gap : 0);
    CGFloat leftSpace = yAxis_.title ? yAxis_.title->size().height + gap : 0;

    auto yExtent = AAChartSeries::yExtent(series_);
    const bool areaChart = !series_.empty() && series_.front().type == AAChartType::area;
    if (areaChart && yExtent)
        yExtent = std::pair(std::min(yExtent->first, 0.0), std::max(yExtent->second, 0.0));
    const CGFloat plotHeight = std::max<CGFloat>(0, area.height() - bottomSpace);
    AAAxisScale yScale(yAxis_.options, yExtent, plotHeight, yTickPixelInterval, true);
    prepareLabels(yAxis_, yScale.ticks());
    leftSpace += yAxis_.labelWidth + gap;

    const CGFloat plotWidth = std::max<CGFloat>(0, area.width() - leftSpace - rightOverhang);
    AAAxisScale xScale(xAxis_.options, AAChartSeries::xExtent(series_), plotWidth, xTickPixelInterval, false);
    prepareLabels(xAxis_, xScale.ticks());

    frame_ = {{area.minX() + leftSpace, area.minY(), plotWidth, plotHeight}, xScale, yScale};
    tooltip_ = std::make_unique<AATooltipPainter>(options_, series_, frame_, size_, textColor_, thousandsSeparator_);
}

AAChartRenderer::~AAChartRenderer() = default;

std::unique_ptr<TextLayout> AAChartRenderer::makeText(const std::string& text, CGFloat size, UIFontWeight weight,
                                                      const UIColor& color) const {
    return std::make_unique<TextLayout>(
        NSAttributedString(text, NSStringAttributes{UIFont::systemFontOfSize(size, weight), color, std::nullopt}));
}

void AAChartRenderer::placeLegend(CGRect& area) {
    legend_ = std::make_unique<AALegendPainter>(AAOptionReader::object(options_, "legend"), series_, area.width(),
                                                textColor_);
    if (!legend_->isShown())
        return;
    const CGSize legendSize = legend_->size();
    CGFloat x = area.minX() + (area.width() - legendSize.width) / 2;
    if (legend_->align() == AAChartAlignType::left)
        x = area.minX();
    else if (legend_->align() == AAChartAlignType::right)
        x = area.maxX() - legendSize.width;
    switch (legend_->verticalAlign()) {
    case AAChartVerticalAlignType::top:
        legendOrigin_ = {x, area.minY()};
        area = {area.minX(), area.minY() + legendSize.height + gap, area.width(),
                area.height() - legendSize.height - gap};
        break;
    case AAChartVerticalAlignType::bottom:
        legendOrigin_ = {x, area.maxY() - legendSize.height};
        area.size.height -= legendSize.height + gap;
        break;
    case AAChartVerticalAlignType::middle:
        // Beside the plot, left or right.
        const CGFloat y = area.minY() + (area.height() - legendSize.height) / 2;
        if (legend_->align() == AAChartAlignType::left) {
            legendOrigin_ = {area.minX(), y};
            area = {area.minX() + legendSize.width + gap, area.minY(), area.width() - legendSize.width - gap,
                    area.height()};
        } else {
            legendOrigin_ = {area.maxX() - legendSize.width, y};
            area.size.width -= legendSize.width + gap;
        }
        break;
    }
    area.size = {std::max<CGFloat>(0, area.width()), std::max<CGFloat>(0, area.height())};
}

void AAChartRenderer::prepareTitle(Axis& axis) {
    const std::string text = AAOptionReader::text(AAOptionReader::object(axis.options, "title"), "text", "");
    if (!text.empty())
        axis.title = makeText(text, axisTitleFontSize, UIFontWeight::regular, textColor_);
}

void AAChartRenderer::prepareLabels(Axis& axis, const std::vector<double>& ticks) {
    const auto& labels = AAOptionReader::object(axis.options, "labels");
    const std::string formatter = AAOptionReader::text(labels, "formatter", "");
    const auto function = formatter.empty() ? std::nullopt : engine_.compileFunction(formatter);
    const UIColor color = AAOptionReader::color(AAOptionReader::object(labels, "style"), "color", textColor_);
    for (const double tick : ticks) {
        auto text = function ? engine_.callWithValue(*function, tick) : std::nullopt;
        axis.labelTexts.push_back(text.value_or(AANumberText::text(tick, thousandsSeparator_)));
        axis.labels.push_back(makeText(axis.labelTexts.back(), labelFontSize, UIFontWeight::regular, color));
        const CGSize labelSize = axis.labels.back()->size();
        axis.labelWidth = std::max(axis.labelWidth, labelSize.width);
        axis.labelHeight = std::max(axis.labelHeight, labelSize.height);
    }
}

void AAChartRenderer::draw(CGContext& context) const {
    context.saveGState();
    if (background_) {
        context.setFillColor(*background_);
        context.fillRect({0, 0, size_.width, size_.height});
    }
    if (title_)
        title_->draw(context, titleOrigin_);
    drawGrid(context);
    drawAxisLabels(context);
    drawAxisTitles(context);

    const AASeriesPainter painter(frame_, background_.value_or(UIColor::whiteColor()), thousandsSeparator_);
    for (const auto& series : series_) {
        context.saveGState();
        context.clipToRect(frame_.plot);
        painter.drawShape(context, series);
        context.restoreGState();
        painter.drawMarkers(context, series);
    }
    for (const auto& series : series_)
        painter.drawDataLabels(context, series, textColor_);
    if (legend_->isShown())
        legend_->draw(context, legendOrigin_);
    context.restoreGState();
}

void AAChartRenderer::drawGrid(CGContext& context) const {
    const CGRect plot = frame_.plot;
    const auto gridOf = [](const nlohmann::json& axis, CGFloat defaultWidth) {
        return std::pair(AAOptionReader::color(axis, "gridLineColor", defaultGridColor()),
                         std::max(0.0, AAOptionReader::number(axis, "gridLineWidth", defaultWidth)));
    };
    const auto [xGridColor, xGridWidth] = gridOf(xAxis_.options, 0);
    const auto [yGridColor, yGridWidth] = gridOf(yAxis_.options, 1);
    const UIColor xMinorColor = xGridColor.colorWithAlphaComponent(xGridColor.alpha() * minorGridAlpha);
    const UIColor yMinorColor = yGridColor.colorWithAlphaComponent(yGridColor.alpha() * minorGridAlpha);
    for (const double value : frame_.x.minorTicks()) {
        const CGFloat x = frame_.location(value, 0).x;
        strokeLine(context, {x, plot.minY()}, {x, plot.maxY()}, xMinorColor, xGridWidth);
    }
    for (const double value : frame_.y.minorTicks()) {
        const CGFloat y = frame_.location(0, value).y;
        strokeLine(context, {plot.minX(), y}, {plot.maxX(), y}, yMinorColor, yGridWidth);
    }
    for (const double value : frame_.x.ticks()) {
        const CGFloat x = frame_.location(value, 0).x;
        strokeLine(context, {x, plot.minY()}, {x, plot.maxY()}, xGridColor, xGridWidth);
    }
    for (const double value : frame_.y.ticks()) {
        const CGFloat y = frame_.location(0, value).y;
        strokeLine(context, {plot.minX(), y}, {plot.maxX(), y}, yGridColor, yGridWidth);
    }
    strokeLine(context, {plot.minX(), plot.maxY()}, {plot.maxX(), plot.maxY()},
               AAOptionReader::color(xAxis_.options, "lineColor", defaultAxisLineColor()),
               std::max(0.0, AAOptionReader::number(xAxis_.options, "lineWidth", 1)));
    strokeLine(context, {plot.minX(), plot.minY()}, {plot.minX(), plot.maxY()},
               AAOptionReader::color(yAxis_.options, "lineColor", defaultAxisLineColor()),
               std::max(0.0, AAOptionReader::number(yAxis_.options, "lineWidth", 0)));
}

void AAChartRenderer::drawAxisLabels(CGContext& context) const {
    const CGRect plot = frame_.plot;
    const auto& xTicks = frame_.x.ticks();
    const std::size_t xStride =
        labelStride(xTicks, xAxis_.labelWidth, [&](double v) { return frame_.location(v, 0).x; });
    for (std::size_t i = 0; i < xTicks.size(); i += xStride) {
        const CGSize labelSize = xAxis_.labels[i]->size();
        const CGFloat x = frame_.location(xTicks[i], 0).x;
        xAxis_.labels[i]->draw(context, {x - labelSize.width / 2, plot.maxY() + gap / 2});
    }
    const auto& yTicks = frame_.y.ticks();
    const std::size_t yStride =
        labelStride(yTicks, yAxis_.labelHeight, [&](double v) { return frame_.location(0, v).y; });
    for (std::size_t i = 0; i < yTicks.size(); i += yStride) {
        const CGSize labelSize = yAxis_.labels[i]->size();
        const CGFloat y = frame_.location(0, yTicks[i]).y;
        yAxis_.labels[i]->draw(context, {plot.minX() - gap - labelSize.width, y - labelSize.height / 2});
    }
}

void AAChartRenderer::drawAxisTitles(CGContext& context) const {
    const CGRect plot = frame_.plot;
    if (xAxis_.title) {
        const CGSize titleSize = xAxis_.title->size();
        xAxis_.title->draw(context, {plot.midX() - titleSize.width / 2, plot.maxY() + gap / 2 + xAxis_.labelHeight + gap});
    }
    if (yAxis_.title) {
        const CGSize titleSize = yAxis_.title->size();
        const CGFloat left = plot.minX() - gap - yAxis_.labelWidth - gap - titleSize.height;
        context.saveGState();
        context.translateBy(left, plot.midY() + titleSize.width / 2);
        context.rotateBy(-std::numbers::pi / 2);
        yAxis_.title->draw(context, {0, 0});
        context.restoreGState();
    }
}

bool AAChartRenderer::drawPointer(CGContext& context, CGPoint pointer) const {
    const auto hovered = tooltip_->hoveredPoint(pointer);
    if (!hovered)
        return false;
    tooltip_->draw(context, *hovered, pointer);
    return true;
}

std::vector<std::string> AAChartRenderer::tooltipLines(CGPoint pointer) const {
    const auto hovered = tooltip_->hoveredPoint(pointer);
    return hovered ? tooltip_->lines(*hovered) : std::vector<std::string>{};
}
