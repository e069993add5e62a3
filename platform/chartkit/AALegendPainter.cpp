#include "platform/chartkit/AALegendPainter.h"

#include "platform/chartkit/AAOptionReader.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/TextLayout.h"

#include <algorithm>

namespace {

constexpr CGFloat symbolPadding = 5;

template <class Enum, std::size_t N> Enum enumOf(const std::string& text, const Enum (&values)[N], Enum fallback) {
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
                                 CGFloat availableWidth, const UIColor& textColor) {
    if (!AAOptionReader::flag(legend, "enabled", true))
        return;
    constexpr AAChartAlignType aligns[]{AAChartAlignType::left, AAChartAlignType::center, AAChartAlignType::right};
    constexpr AAChartVerticalAlignType verticalAligns[]{AAChartVerticalAlignType::top, AAChartVerticalAlignType::middle,
                                                        AAChartVerticalAlignType::bottom};
    constexpr AAChartLayoutType layouts[]{AAChartLayoutType::horizontal, AAChartLayoutType::vertical};
    align_ = enumOf(AAOptionReader::text(legend, "align", ""), aligns, AAChartAlignType::center);
    verticalAlign_ = enumOf(AAOptionReader::text(legend, "verticalAlign", ""), verticalAligns,
                            AAChartVerticalAlignType::bottom);
    const bool vertical = enumOf(AAOptionReader::text(legend, "layout", ""), layouts, AAChartLayoutType::horizontal) ==
                          AAChartLayoutType::vertical;
    symbolWidth_ = std::max(0.0, AAOptionReader::number(legend, "symbolWidth", 16));
    itemDistance_ = std::max(0.0, AAOptionReader::number(legend, "itemDistance", 20));
    marginTop_ = std::max(0.0, AAOptionReader::number(legend, "itemMarginTop", 0));
    marginBottom_ = std::max(0.0, AAOptionReader::number(legend, "itemMarginBottom", 0));

    const auto& style = AAOptionReader::object(legend, "itemStyle");
    const CGFloat fontSize = std::clamp(AAOptionReader::number(style, "fontSize", 12), 1.0, 200.0);
    const NSStringAttributes attributes{
        UIFont::systemFontOfSize(fontSize, fontWeight(AAOptionReader::text(style, "fontWeight", "bold"))),
        AAOptionReader::color(style, "color", textColor), std::nullopt};
    for (const auto& s : series)
        if (!s.name.empty())
            items_.push_back({&s, std::make_unique<TextLayout>(NSAttributedString(s.name, attributes)), {}});
    placeItems(availableWidth, vertical);
}

AALegendPainter::~AALegendPainter() = default;

void AALegendPainter::placeItems(CGFloat availableWidth, bool vertical) {
    for (const auto& item : items_)
        rowHeight_ = std::max(rowHeight_, item.text->size().height);
    rowHeight_ += marginTop_ + marginBottom_;
    CGFloat x = 0;
    CGFloat y = 0;
    CGFloat width = 0;
    for (auto& item : items_) {
        const CGFloat itemWidth = symbolWidth_ + symbolPadding + item.text->size().width;
        if (x > 0 && (vertical || x + itemWidth > availableWidth)) {
            x = 0;
            y += rowHeight_;
        }
        item.position = {x, y};
        width = std::max(width, x + itemWidth);
        x += itemWidth + itemDistance_;
    }
    size_ = items_.empty() ? CGSize{} : CGSize{width, y + rowHeight_};
}

void AALegendPainter::draw(CGContext& context, CGPoint origin) const {
    for (const auto& item : items_) {
        const CGSize textSize = item.text->size();
        const CGFloat top = origin.y + item.position.y + marginTop_;
        const CGRect symbol{origin.x + item.position.x, top, symbolWidth_, textSize.height};
        drawSymbol(context, *item.series, symbol);
        item.text->draw(context, {symbol.maxX() + symbolPadding, top});
    }
}

void AALegendPainter::drawSymbol(CGContext& context, const AAChartSeries& series, CGRect box) const {
    const CGPoint middle = box.center();
    const CGFloat radius = std::min<CGFloat>(series.type == AAChartType::scatter ? std::max<CGFloat>(series.markerRadius, 3)
                                                                                  : series.markerRadius,
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
