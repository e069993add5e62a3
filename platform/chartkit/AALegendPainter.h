#pragma once

#include "platform/chartkit/AAChartEnums.h"
#include "platform/chartkit/AAChartSeries.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/graphics/NSAttributedString.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <vector>

class CGContext;
class TextLayout;

// The legend: one item (symbol and name) per named series, in rows that wrap at the available
// width, or one item per row in the vertical layout. A name too long for a row is shortened
// with "…".
class AALegendPainter {
  public:
    AALegendPainter(const nlohmann::json& legend, const std::vector<AAChartSeries>& series,
                    CGFloat availableWidth, const UIColor& textColor);
    ~AALegendPainter();

    bool hasItems() const { return !items_.empty(); }
    bool isShown() const { return shownItems_ > 0; }
    CGSize size() const { return size_; }
    AAChartAlignType align() const { return align_; }
    AAChartVerticalAlignType verticalAlign() const { return verticalAlign_; }

    // Keeps the legend within maxHeight: the items' top and bottom margins shrink first, then only
    // the rows that fit are shown and the last of them ends with a "…" item. Not even one row
    // fitting leaves the legend out.
    void fitHeight(CGFloat maxHeight);
    void draw(CGContext& context, CGPoint origin) const;

  private:
    struct Item {
        const AAChartSeries* series;
        std::unique_ptr<TextLayout> text;
        CGFloat x = 0;
        std::size_t row = 0;
    };

    std::unique_ptr<TextLayout> makeText(const std::string& text, CGFloat maxWidth) const;
    CGFloat itemWidth(const TextLayout& text) const;
    void placeItems(bool vertical);
    void endWithMore();
    void drawSymbol(CGContext& context, const AAChartSeries& series, CGRect box) const;

    NSStringAttributes attributes_;
    CGFloat availableWidth_ = 0;
    std::vector<Item> items_;
    std::size_t rowCount_ = 0;
    CGFloat textHeight_ = 0;
    AAChartAlignType align_ = AAChartAlignType::center;
    AAChartVerticalAlignType verticalAlign_ = AAChartVerticalAlignType::bottom;
    CGFloat symbolWidth_ = 16;
    CGFloat itemDistance_ = 20;
    CGFloat marginTop_ = 0;
    CGFloat marginBottom_ = 0;

    // What fitHeight chose: a prefix of the items, the margin share kept, and for a cut legend the
    // "…" item with the last shown item shortened further when the "…" would not fit beside it.
    std::size_t shownItems_ = 0;
    CGFloat marginShare_ = 1;
    std::unique_ptr<TextLayout> more_;
    CGFloat moreX_ = 0;
    std::unique_ptr<TextLayout> shortenedLast_;
    CGSize size_;
};
