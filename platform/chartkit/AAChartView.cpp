#include "platform/chartkit/AAChartView.h"

#include "platform/chartkit/AAChartRenderer.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/UITouch.h"

AAChartView::AAChartView() = default;

AAChartView::AAChartView(const CGRect& frame) : UIView(frame) {}

AAChartView::~AAChartView() = default;

void AAChartView::setIsClearBackgroundColor(bool clear) {
    isClearBackgroundColor_ = clear;
    renderer_.reset();
    setNeedsDisplay();
}

void AAChartView::aa_drawChartWithChartOptions(const AAOptions& options) {
    const bool scheduled = pendingOptions_.has_value();
    pendingOptions_ = options;
    if (scheduled)
        return;
    DispatchQueue::main()->async([weak = weak_from_this()] {
        if (const auto self = std::static_pointer_cast<AAChartView>(weak.lock()))
            self->drawPendingOptions();
    });
}

void AAChartView::drawPendingOptions() {
    drawnOptions_ = std::move(pendingOptions_);
    pendingOptions_.reset();
    renderer_.reset();
    // Laid out now, so the label formatters run in this turn rather than in the next render.
    rendererForBounds();
    setNeedsDisplay();
}

const AAChartRenderer* AAChartView::rendererForBounds() {
    if (!drawnOptions_)
        return nullptr;
    if (!renderer_ || renderer_->size() != bounds().size)
        renderer_ =
            std::make_unique<AAChartRenderer>(*drawnOptions_, bounds().size, !isClearBackgroundColor_);
    return renderer_.get();
}

void AAChartView::drawRect(const CGRect&) {
    CGContext* context = UIGraphicsGetCurrentContext();
    const AAChartRenderer* renderer = rendererForBounds();
    if (context == nullptr || renderer == nullptr)
        return;
    context->saveGState();
    context->translateBy(bounds().origin.x, bounds().origin.y);
    renderer->draw(*context);
    if (pointer_)
        renderer->drawPointer(*context, *pointer_);
    context->restoreGState();
}

void AAChartView::aa_showTooltipAtPoint(CGPoint point) {
    pointer_ = CGPoint{point.x - bounds().origin.x, point.y - bounds().origin.y};
    setNeedsDisplay();
}

void AAChartView::aa_hideTooltip() {
    pointer_.reset();
    setNeedsDisplay();
}

void AAChartView::touchesBegan(UITouch& touch) {
    aa_showTooltipAtPoint(touch.locationInView(this));
}

void AAChartView::touchesMoved(UITouch& touch) {
    aa_showTooltipAtPoint(touch.locationInView(this));
}

void AAChartView::touchesEnded(UITouch& touch) {
    aa_showTooltipAtPoint(touch.locationInView(this));
}

void AAChartView::touchesCancelled(UITouch&) {
    aa_hideTooltip();
}
