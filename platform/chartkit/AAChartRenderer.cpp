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

constexpr CGFloat padding = 8;
constexpr CGFloat gap = 4;
constexpr CGFloat titleFontSize = 15;
constexpr CGFloat axisTitleFontSize = 12;
constexpr CGFloat labelFontSize = 11;
constexpr CGFloat xTickPixelInterval = 72;
constexpr CGFloat yTickPixelInterval = 50;
// Room on the right for the half of the last x label that reaches past the plot.
constexpr CGFloat rightOverhang = 8;
// Least blank between two axis labels.
constexpr CGFloat labelSpacing = 4;
constexpr double minorGridAlpha = 0.5;
// Minor grid lines closer than this would fill the plot.
constexpr CGFloat minorGridMinSpacing = 3;

UIColor defaultTextColor() {
    return UIColor(0.2, 0.2, 0.2, 1);
}
UIColor defaultGridColor() {
    return UIColor(0.9, 0.9, 0.9, 1);
}
UIColor defaultAxisLineColor() {
    return UIColor(0.8, 0.84, 0.92, 1);
}

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
    return std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil((extent + labelSpacing) / spacing)));
}

// The rectangle moved as little as needed to lie inside bounds (to their top-left when it is larger).
CGRect movedInside(CGRect r, const CGRect& bounds) {
    r.origin.x = std::max(bounds.minX(), std::min(r.minX(), bounds.maxX() - r.width()));
    r.origin.y = std::max(bounds.minY(), std::min(r.minY(), bounds.maxY() - r.height()));
    return r;
}

// Blank between two labels along an axis; negative when they overlap.
CGFloat spaceBetween(const CGRect& a, const CGRect& b, bool horizontal) {
    return horizontal ? std::max(b.minX() - a.maxX(), a.minX() - b.maxX())
                      : std::max(b.minY() - a.maxY(), a.minY() - b.maxY());
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

    titleText_ = AAOptionReader::text(AAOptionReader::object(options_, "title"), "text", "");
    if (!titleText_.empty())
        title_ =
            makeText(titleText_, titleFontSize, UIFontWeight::medium, textColor_, size_.width - 2 * padding);
    legend_ = std::make_unique<AALegendPainter>(AAOptionReader::object(options_, "legend"), series_,
                                                size_.width - 2 * padding, textColor_);
    xAxis_.options = AAOptionReader::object(options_, "xAxis");
    yAxis_.options = AAOptionReader::object(options_, "yAxis");
    prepareTitle(xAxis_);
    prepareTitle(yAxis_);
    const CGFloat xLabelHeight =
        makeText("0", labelFontSize, UIFontWeight::regular, textColor_)->size().height;
    const CGRect area = placeTitleAndLegend(xLabelHeight);

    const CGFloat bottomSpace = xLabelHeight + gap + (xAxis_.title ? xAxis_.title->size().height + gap : 0);
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
    placeTexts();
    tooltip_ = std::make_unique<AATooltipPainter>(options_, series_, frame_, size_, thousandsSeparator_);
}

AAChartRenderer::~AAChartRenderer() = default;

CGRect AAChartRenderer::legendFrame() const {
    return legend_->isShown() ? CGRect{legendOrigin_, legend_->size()} : CGRect::null();
}

std::unique_ptr<TextLayout> AAChartRenderer::makeText(const std::string& text, CGFloat size,
                                                      UIFontWeight weight, const UIColor& color,
                                                      CGFloat maxWidth) const {
    return std::make_unique<TextLayout>(
        NSAttributedString(text,
                           NSStringAttributes{UIFont::systemFontOfSize(size, weight), color, std::nullopt}),
        TextLayout::Options{std::max<CGFloat>(maxWidth, 0), maxWidth > 0 ? 1 : 0, std::nullopt,
                            NSLineBreakMode::byTruncatingTail});
}

// Gives the plot at least half the chart's height: the legend keeps at most a third of it and
// only the rows that fit, then the x axis title, the legend and the title are left out in turn
// until the plot has its half. Returns the area left for the plot with its axis labels and titles.
CGRect AAChartRenderer::placeTitleAndLegend(CGFloat axisLabelHeight) {
    const CGRect inner{padding, padding, size_.width - 2 * padding, size_.height - 2 * padding};
    const CGFloat minPlotHeight = size_.height / 2;
    const bool besidePlot = legend_->verticalAlign() == AAChartVerticalAlignType::middle;
    CGRect area;
    for (int leftOut = 0; leftOut <= 3; ++leftOut) {
        if (leftOut == 1)
            xAxis_.title.reset();
        if (leftOut == 3)
            title_.reset();
        area = inner;
        if (title_) {
            const CGFloat titleSpace = title_->size().height + gap;
            area = {area.minX(), area.minY() + titleSpace, area.width(), area.height() - titleSpace};
        }
        const CGFloat axisSpace =
            axisLabelHeight + gap + (xAxis_.title ? xAxis_.title->size().height + gap : 0);
        if (leftOut >= 2)
            legend_->fitHeight(0);
        else if (besidePlot)
            legend_->fitHeight(area.height());
        else
            legend_->fitHeight(std::min(size_.height / 3, area.height() - axisSpace - gap - minPlotHeight));
        const CGFloat legendSpace = legend_->isShown() && !besidePlot ? legend_->size().height + gap : 0;
        const bool legendPlaced = legend_->isShown() || !legend_->hasItems() || leftOut >= 2;
        if (area.height() - axisSpace - legendSpace >= minPlotHeight && legendPlaced)
            break;
    }
    if (title_)
        titleOrigin_ = {(size_.width - title_->size().width) / 2, inner.minY()};
    if (!legend_->isShown())
        return area;

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
    return area;
}

void AAChartRenderer::prepareTitle(Axis& axis, CGFloat maxWidth) {
    axis.titleText = AAOptionReader::text(AAOptionReader::object(axis.options, "title"), "text", "");
    if (!axis.titleText.empty())
        axis.title = makeText(axis.titleText, axisTitleFontSize, UIFontWeight::regular, textColor_, maxWidth);
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

// Keeps the first label, every n-th from it that stays clear of its neighbours, and the last; the
// one before the last gives way when it would touch the last. Labels are moved inside bounds.
void AAChartRenderer::placeLabels(Axis& axis, bool horizontal, const CGRect& bounds) {
    const CGRect plot = frame_.plot;
    const auto& ticks = horizontal ? frame_.x.ticks() : frame_.y.ticks();
    const auto position = [&](double tick) {
        return horizontal ? frame_.location(tick, 0).x : frame_.location(0, tick).y;
    };
    const auto frameOf = [&](std::size_t i) {
        const CGSize labelSize = axis.labels[i]->size();
        const CGFloat along = position(ticks[i]);
        return movedInside(horizontal
                               ? CGRect{along - labelSize.width / 2, plot.maxY() + gap / 2, labelSize.width,
                                        labelSize.height}
                               : CGRect{plot.minX() - gap - labelSize.width, along - labelSize.height / 2,
                                        labelSize.width, labelSize.height},
                           bounds);
    };
    if (ticks.empty())
        return;
    const std::size_t last = ticks.size() - 1;
    const std::size_t stride = labelStride(ticks, horizontal ? axis.labelWidth : axis.labelHeight, position);
    auto& shown = axis.shownLabels;
    shown.emplace_back(0, frameOf(0));
    const auto clearOfPrevious = [&](const CGRect& r) {
        return spaceBetween(shown.back().second, r, horizontal) >= labelSpacing;
    };
    for (std::size_t i = stride; i < last; i += stride)
        if (const CGRect r = frameOf(i); clearOfPrevious(r))
            shown.emplace_back(i, r);
    if (last == 0)
        return;
    const CGRect lastFrame = frameOf(last);
    while (shown.size() > 1 && !clearOfPrevious(lastFrame))
        shown.pop_back();
    if (clearOfPrevious(lastFrame))
        shown.emplace_back(last, lastFrame);
}

// Places the axis titles and labels and the data labels, hiding a data label that would overlap
// a text placed before it.
void AAChartRenderer::placeTexts() {
    const CGRect plot = frame_.plot;
    // Labels keep a little off the chart's edges.
    constexpr CGFloat inset = 2;
    const CGRect chart{inset, inset, std::max<CGFloat>(0, size_.width - 2 * inset),
                       std::max<CGFloat>(0, size_.height - 2 * inset)};
    if (title_)
        drawnLabels_.push_back({titleText_, {titleOrigin_, title_->size()}});
    if (xAxis_.title) {
        if (xAxis_.title->size().width > plot.width())
            prepareTitle(xAxis_, plot.width());
        const CGSize titleSize = xAxis_.title->size();
        xAxis_.titleFrame = {plot.midX() - titleSize.width / 2,
                             plot.maxY() + gap / 2 + xAxis_.labelHeight + gap, titleSize.width,
                             titleSize.height};
        drawnLabels_.push_back({xAxis_.titleText, xAxis_.titleFrame});
    }
    if (yAxis_.title) {
        // Turned to read upwards.
        if (yAxis_.title->size().width > plot.height())
            prepareTitle(yAxis_, plot.height());
        const CGSize titleSize = yAxis_.title->size();
        yAxis_.titleFrame = {plot.minX() - gap - yAxis_.labelWidth - gap - titleSize.height,
                             plot.midY() - titleSize.width / 2, titleSize.height, titleSize.width};
        drawnLabels_.push_back({yAxis_.titleText, yAxis_.titleFrame});
    }
    placeLabels(yAxis_, false, chart);
    // The x labels keep to the right of a y label that reaches down into their row.
    CGRect xBounds = chart;
    for (const auto& [index, frame] : yAxis_.shownLabels)
        if (frame.maxY() > plot.maxY() + gap / 2)
            xBounds = {frame.maxX() + 1, chart.minY(), std::max<CGFloat>(0, chart.maxX() - frame.maxX() - 1),
                       chart.height()};
    placeLabels(xAxis_, true, xBounds);
    for (const Axis* axis : {&xAxis_, &yAxis_})
        for (const auto& [index, frame] : axis->shownLabels)
            drawnLabels_.push_back({axis->labelTexts[index], frame});

    const AASeriesPainter painter(frame_, background_.value_or(UIColor::whiteColor()), thousandsSeparator_);
    const CGRect legend = legendFrame();
    for (const auto& series : series_)
        for (auto& label : painter.dataLabels(series, textColor_)) {
            label.frame = movedInside(label.frame, chart);
            const bool overlaps =
                label.frame.intersects(legend) ||
                std::any_of(drawnLabels_.begin(), drawnLabels_.end(),
                            [&](const DrawnLabel& drawn) { return label.frame.intersects(drawn.frame); });
            if (overlaps)
                continue;
            drawnLabels_.push_back({label.text, label.frame});
            dataLabels_.push_back(std::move(label));
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
    for (const auto& label : dataLabels_)
        painter.drawDataLabel(context, label);
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
    const auto minorSpacing = [](const AAAxisScale& scale, CGFloat length) {
        return scale.minorTickInterval() / (scale.max() - scale.min()) * length;
    };
    if (minorSpacing(frame_.x, plot.width()) >= minorGridMinSpacing) {
        const UIColor color = xGridColor.colorWithAlphaComponent(xGridColor.alpha() * minorGridAlpha);
        for (const double value : frame_.x.minorTicks()) {
            const CGFloat x = frame_.location(value, 0).x;
            strokeLine(context, {x, plot.minY()}, {x, plot.maxY()}, color, xGridWidth);
        }
    }
    if (minorSpacing(frame_.y, plot.height()) >= minorGridMinSpacing) {
        const UIColor color = yGridColor.colorWithAlphaComponent(yGridColor.alpha() * minorGridAlpha);
        for (const double value : frame_.y.minorTicks()) {
            const CGFloat y = frame_.location(0, value).y;
            strokeLine(context, {plot.minX(), y}, {plot.maxX(), y}, color, yGridWidth);
        }
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
    for (const Axis* axis : {&xAxis_, &yAxis_})
        for (const auto& [index, frame] : axis->shownLabels)
            axis->labels[index]->draw(context, frame.origin);
}

void AAChartRenderer::drawAxisTitles(CGContext& context) const {
    if (xAxis_.title)
        xAxis_.title->draw(context, xAxis_.titleFrame.origin);
    if (yAxis_.title) {
        context.saveGState();
        context.translateBy(yAxis_.titleFrame.minX(), yAxis_.titleFrame.maxY());
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
