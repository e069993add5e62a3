#include "platform/chartkit/AALegendPainter.h"

#include "platform/chartkit/AAOptionReader.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/TextLayout.h"

#include <algorithm>
#include <limits>

namespace {

constexpr CGFloat symbolPadding = 5;

template <class Enum, std::size_t N>
Enum enumOf(const std::string& text, const Enum (&values)[N], Enum fallback) {
    for (const Enum value : values)
        if (aa_jsonText(value) == text)
            return value;
    return fallback;
}

UIFontWeight fontWeight(const std::string& text) {
    if (text == "bold")
        return UIFontWeight::bold;
    if (text == "thin")
        return UIFontWeight::thin;
    return UIFontWeight::regular;
}

} // namespace

AALegendPainter::AALegendPainter(const nlohmann::json& legend, const std::vector<AAChartSeries>& series,
                                 CGFloat availableWidth, const UIColor& textColor)
    : availableWidth_(std::max<CGFloat>(0, availableWidth)) {
    if (!AAOptionReader::flag(legend, "enabled", true))
        return;
    constexpr AAChartAlignType aligns[]{AAChartAlignType::left, AAChartAlignType::center,
                                        AAChartAlignType::right};
    constexpr AAChartVerticalAlignType verticalAligns[]{
        AAChartVerticalAlignType::top, AAChartVerticalAlignType::middle, AAChartVerticalAlignType::bottom};
    constexpr AAChartLayoutType layouts[]{AAChartLayoutType::horizontal, AAChartLayoutType::vertical};
    align_ = enumOf(AAOptionReader::text(legend, "align", ""), aligns, AAChartAlignType::center);
    verticalAlign_ = enumOf(AAOptionReader::text(legend, "verticalAlign", ""), verticalAligns,
                            AAChartVerticalAlignType::bottom);
    const bool vertical = enumOf(AAOptionReader::text(legend, "layout", ""), layouts,
                                 AAChartLayoutType::horizontal) == AAChartLayoutType::vertical;
    symbolWidth_ = std::max(0.0, AAOptionReader::number(legend, "symbolWidth", 16));
    itemDistance_ = std::max(0.0, AAOptionReader::number(legend, "itemDistance", 20));
    marginTop_ = std::max(0.0, AAOptionReader::number(legend, "itemMarginTop", 0));
    marginBottom_ = std::max(0.0, AAOptionReader::number(legend, "itemMarginBottom", 0));

    const auto& style = AAOptionReader::object(legend, "itemStyle");
    const CGFloat fontSize = std::clamp(AAOptionReader::number(style, "fontSize", 12), 1.0, 200.0);
    attributes_ = {
        UIFont::systemFontOfSize(fontSize, fontWeight(AAOptionReader::text(style, "fontWeight", "bold"))),
        AAOptionReader::color(style, "color", textColor), std::nullopt};
    for (const auto& s : series)
        if (!s.name.empty())
            items_.push_back({&s, makeText(s.name, availableWidth_ - symbolWidth_ - symbolPadding)});
    placeItems(vertical);
    fitHeight(std::numeric_limits<CGFloat>::infinity());
}

AALegendPainter::~AALegendPainter() = default;

std::unique_ptr<TextLayout> AALegendPainter::makeText(const std::string& text, CGFloat maxWidth) const {
    return std::make_unique<TextLayout>(NSAttributedString(text, attributes_),
                                        TextLayout::Options{std::max<CGFloat>(maxWidth, 1), 1, std::nullopt,
                                                            NSLineBreakMode::byTruncatingTail});
}

CGFloat AALegendPainter::itemWidth(const TextLayout& text) const {
    return symbolWidth_ + symbolPadding + text.size().width;
}

void AALegendPainter::placeItems(bool vertical) {
    CGFloat x = 0;
    std::size_t row = 0;
    for (auto& item : items_) {
        textHeight_ = std::max(textHeight_, item.text->size().height);
        const CGFloat width = itemWidth(*item.text);
        if (x > 0 && (vertical || x + width > availableWidth_)) {
            x = 0;
            ++row;
        }
        item.x = x;
        item.row = row;
        x += width + itemDistance_;
    }
    rowCount_ = items_.empty() ? 0 : row + 1;
}

void AALegendPainter::fitHeight(CGFloat maxHeight) {
    shownItems_ = 0;
    marginShare_ = 1;
    more_.reset();
    shortenedLast_.reset();
    size_ = {};
    if (items_.empty() || !(maxHeight >= textHeight_))
        return;
    const CGFloat fitting =
        textHeight_ > 0 ? maxHeight / textHeight_ : std::numeric_limits<CGFloat>::infinity();
    const std::size_t rows =
        fitting < static_cast<CGFloat>(rowCount_) ? static_cast<std::size_t>(fitting) : rowCount_;
    const CGFloat margins = marginTop_ + marginBottom_;
    if (margins > 0)
        marginShare_ = std::clamp((maxHeight / static_cast<CGFloat>(rows) - textHeight_) / margins, 0.0, 1.0);
    while (shownItems_ < items_.size() && items_[shownItems_].row < rows)
        ++shownItems_;
    if (rows < rowCount_)
        endWithMore();

    CGFloat width = more_ ? moreX_ + more_->size().width : 0;
    for (std::size_t i = 0; i < shownItems_; ++i)
        width = std::max(width,
                         items_[i].x + itemWidth(i + 1 == shownItems_ && shortenedLast_ ? *shortenedLast_
                                                                                        : *items_[i].text));
    size_ = {width, static_cast<CGFloat>(rows) * (textHeight_ + margins * marginShare_)};
}

void AALegendPainter::endWithMore() {
    more_ = std::make_unique<TextLayout>(NSAttributedString("…", attributes_));
    const CGFloat moreWidth = more_->size().width + itemDistance_;
    const auto end = [&](const Item& item) { return item.x + itemWidth(*item.text); };
    while (items_[shownItems_ - 1].x > 0 && end(items_[shownItems_ - 1]) + moreWidth > availableWidth_)
        --shownItems_;
    const Item& last = items_[shownItems_ - 1];
    CGFloat lastEnd = end(last);
    if (lastEnd + moreWidth > availableWidth_) {
        // The row's only item gives up room for the "…".
        shortenedLast_ =
            makeText(last.series->name, availableWidth_ - moreWidth - symbolWidth_ - symbolPadding);
        lastEnd = last.x + itemWidth(*shortenedLast_);
    }
    moreX_ = lastEnd + itemDistance_;
}

void AALegendPainter::draw(CGContext& context, CGPoint origin) const {
    const CGFloat rowHeight = textHeight_ + (marginTop_ + marginBottom_) * marginShare_;
    const auto rowTop = [&](std::size_t row) {
        return origin.y + static_cast<CGFloat>(row) * rowHeight + marginTop_ * marginShare_;
    };
    for (std::size_t i = 0; i < shownItems_; ++i) {
        const Item& item = items_[i];
        const CGRect symbol{origin.x + item.x, rowTop(item.row), symbolWidth_, textHeight_};
        drawSymbol(context, *item.series, symbol);
        const TextLayout& text = i + 1 == shownItems_ && shortenedLast_ ? *shortenedLast_ : *item.text;
        text.draw(context, {symbol.maxX() + symbolPadding, symbol.minY()});
    }
    if (more_)
        more_->draw(context, {origin.x + moreX_, rowTop(items_[shownItems_ - 1].row)});
}

void AALegendPainter::drawSymbol(CGContext& context, const AAChartSeries& series, CGRect box) const {
    const CGPoint middle = box.center();
    const CGFloat radius = std::min<CGFloat>(
        series.type == AAChartType::scatter ? std::max<CGFloat>(series.markerRadius, 3) : series.markerRadius,
        box.height() / 3);
    if (series.type == AAChartType::area) {
        context.setFillColor(series.color);
        context.fillRect({box.minX(), middle.y - box.height() / 4, box.width(), box.height() / 2});
        return;
    }
    if (series.type != AAChartType::scatter) {
        context.setStrokeColor(series.color);
        context.setLineWidth(2);
        context.strokeLineSegments({{box.minX(), middle.y}, {box.maxX(), middle.y}});
    }
    if (radius > 0) {
        context.setFillColor(series.color);
        context.fillEllipse({middle.x - radius, middle.y - radius, 2 * radius, 2 * radius});
    }
}
