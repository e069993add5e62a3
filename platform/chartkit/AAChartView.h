#pragma once

#include "platform/chartkit/AAOptions.h"
#include "platform/uikit/UIView.h"

#include <memory>
#include <optional>

class AAChartRenderer;

// The chart library's view. It draws the options it was last given, laid out for its current
// size; drawing is asynchronous, on the main queue's next turn after the options arrive. A touch
// (or a host's pointer) over the plot shows the crosshairs and tooltip of the nearest point.
class AAChartView : public UIView {
  public:
    AAChartView();
    explicit AAChartView(const CGRect& frame);
    ~AAChartView() override;

    // Charts always fit their view, so nothing ever scrolls; the setting is kept for callers.
    bool scrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    // When set, the options' background colour is not painted and the view's own background
    // (clear unless set) shows behind the chart.
    bool isClearBackgroundColor() const { return isClearBackgroundColor_; }
    void setIsClearBackgroundColor(bool clear);

    // Options given again before the next turn replace the earlier ones.
    void aa_drawChartWithChartOptions(const AAOptions& options);
    // The options drawn now; nothing until the first drawing turn.
    const std::optional<AAOptions>& drawnOptions() const { return drawnOptions_; }

    // Shows the crosshairs and tooltip for a pointer at a point of the view's bounds, as long as
    // the pointer stays there; hosts call these for pointer motion without a press.
    void aa_showTooltipAtPoint(CGPoint point);
    void aa_hideTooltip();

    // The chart laid out for the current bounds, as it is drawn; null before the first drawing turn.
    const AAChartRenderer* rendererForBounds();

    void drawRect(const CGRect& rect) override;
    void touchesBegan(UITouch& touch) override;
    void touchesMoved(UITouch& touch) override;
    // The tooltip stays after the finger lifts, as it does on a phone.
    void touchesEnded(UITouch& touch) override;
    void touchesCancelled(UITouch& touch) override;

  private:
    void drawPendingOptions();

    bool scrollEnabled_ = true;
    bool isClearBackgroundColor_ = false;
    std::optional<AAOptions> pendingOptions_;
    std::optional<AAOptions> drawnOptions_;
    std::unique_ptr<AAChartRenderer> renderer_;
    std::optional<CGPoint> pointer_;
};
