#pragma once

#include "platform/chartkit/AAChartEnums.h"
#include "platform/chartkit/AAChartSeries.h"
#include "platform/graphics/CGGeometry.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <vector>

class CGContext;
class TextLayout;

// The legend: one item (symbol and name) per named series, in rows that wrap at the available
// width, or one item per row in the vertical layout.
class AALegendPainter {
public:
    AALegendPainter(const nlohmann::json& legend, const std::vector<AAChartSeries>& series, CGFloat availableWidth,
                    const UIColor& textColor);
    ~AALegendPainter();

    bool isShown() const { return !items_.empty(); }
    CGSize size() const { return size_; }
    AAChartAlignType align() const { return align_; }
    AAChartVerticalAlignType verticalAlign() const { return verticalAlign_; }

    void draw(CGContext& context, CGPoint origin) const;

private:
    struct Item {
        const AAChartSeries* series;
        std::unique_ptr<TextLayout> text;
        CGPoint position;
    };

    void placeItems(CGFloat availableWidth, bool vertical);
    void drawSymbol(CGContext& context, const AAChartSeries& series, CGRect box) const;

    std::vector<Item> items_;
    CGSize size_;
    AAChartAlignType align_ = AAChartAlignType::center;
    AAChartVerticalAlignType verticalAlign_ = AAChartVerticalAlignType::bottom;
    CGFloat symbolWidth_ = 16;
    CGFloat itemDistance_ = 20;
    CGFloat marginTop_ = 0;
    CGFloat marginBottom_ = 0;
    CGFloat rowHeight_ = 0;
};
