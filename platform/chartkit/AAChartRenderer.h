#pragma once

#include "platform/chartkit/AAChartSeries.h"
#include "platform/chartkit/AAJavaScriptEngine.h"
#include "platform/chartkit/AAOptions.h"
#include "platform/chartkit/AAPlotFrame.h"
#include "platform/chartkit/AASeriesPainter.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/graphics/UIFont.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CGContext;
class TextLayout;
class AALegendPainter;
class AATooltipPainter;

// Lays a chart of the given size out from its options once (scales, label texts through the
// chart's own JavaScript engine, legend) and draws it, with the top-left at the user-space origin.
// The plot keeps at least half the chart's height where the chart allows it; labels that would
// overlap are thinned or hidden.
class AAChartRenderer {
  public:
    struct DrawnLabel {
        std::string text;
        CGRect frame;
    };

    // drawsBackground false leaves the chart's background colour out, so what lies below shows.
    AAChartRenderer(const AAOptions& options, CGSize size, bool drawsBackground = true);
    ~AAChartRenderer();
    AAChartRenderer(const AAChartRenderer&) = delete;
    AAChartRenderer& operator=(const AAChartRenderer&) = delete;

    void draw(CGContext& context) const;
    // Crosshairs and tooltip of the point nearest the pointer; false, drawing nothing, when the
    // pointer is outside the plot or no point is there.
    bool drawPointer(CGContext& context, CGPoint pointer) const;

    CGSize size() const { return size_; }
    const AAPlotFrame& frame() const { return frame_; }
    const std::vector<std::string>& xLabels() const { return xAxis_.labelTexts; }
    const std::vector<std::string>& yLabels() const { return yAxis_.labelTexts; }
    // Every text drawn besides the legend: the title, the axis titles, the axis labels left after
    // thinning and the data labels not hidden.
    const std::vector<DrawnLabel>& drawnLabels() const { return drawnLabels_; }
    // Null when the legend is left out.
    CGRect legendFrame() const;
    // The tooltip's lines at the pointer; empty when nothing is hovered.
    std::vector<std::string> tooltipLines(CGPoint pointer) const;

  private:
    struct Axis {
        nlohmann::json options;
        std::vector<std::string> labelTexts;
        std::vector<std::unique_ptr<TextLayout>> labels;
        std::string titleText;
        std::unique_ptr<TextLayout> title;
        CGRect titleFrame;
        CGFloat labelWidth = 0;
        CGFloat labelHeight = 0;
        // The labels drawn, by index, and where.
        std::vector<std::pair<std::size_t, CGRect>> shownLabels;
    };

    // One line, shortened with "…" to maxWidth when that is positive.
    std::unique_ptr<TextLayout> makeText(const std::string& text, CGFloat size, UIFontWeight weight,
                                         const UIColor& color, CGFloat maxWidth = 0) const;
    CGRect placeTitleAndLegend(CGFloat axisLabelHeight);
    void prepareTitle(Axis& axis, CGFloat maxWidth = 0);
    void prepareLabels(Axis& axis, const std::vector<double>& ticks);
    void placeLabels(Axis& axis, bool horizontal, const CGRect& bounds);
    void placeTexts();
    void drawGrid(CGContext& context) const;
    void drawAxisLabels(CGContext& context) const;
    void drawAxisTitles(CGContext& context) const;

    nlohmann::json options_;
    CGSize size_;
    std::vector<AAChartSeries> series_;
    AAJavaScriptEngine engine_;
    UIColor textColor_;
    std::optional<UIColor> background_;
    std::string thousandsSeparator_;
    std::string titleText_;
    std::unique_ptr<TextLayout> title_;
    CGPoint titleOrigin_;
    std::unique_ptr<AALegendPainter> legend_;
    CGPoint legendOrigin_;
    Axis xAxis_;
    Axis yAxis_;
    AAPlotFrame frame_;
    std::vector<AASeriesPainter::DataLabel> dataLabels_;
    std::vector<DrawnLabel> drawnLabels_;
    std::unique_ptr<AATooltipPainter> tooltip_;
};
