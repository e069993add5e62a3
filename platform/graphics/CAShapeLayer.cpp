#include "platform/graphics/CAShapeLayer.h"

#include <cairo.h>

#include <cmath>

void CAShapeLayer::drawInContext(CGContext& context) {
    if (path_ && !path_->isEmpty()) {
        cairo_t* cr = context.cairo();
        context.saveGState();
        if (fillColor_ && fillColor_->alpha() > 0) {
            context.beginPath();
            context.addPath(*path_);
            context.setFillColor(*fillColor_);
            context.fillPath();
        }
        CGFloat start = presentationValueForKeyPath("strokeStart").value_or(strokeStart_);
        CGFloat end = presentationValueForKeyPath("strokeEnd").value_or(strokeEnd_);
        if (strokeColor_ && lineWidth_ > 0 && end > start) {
            context.beginPath();
            path_->addTrimmedToCairo(cr, start, end);
            context.setStrokeColor(*strokeColor_);
            context.setLineWidth(lineWidth_);
            context.setLineJoin(lineJoin_);
            context.setLineCap(lineCap_);
            context.strokePath();
        }
        context.restoreGState();
    }
    CALayer::drawInContext(context);
}

std::optional<CGFloat> CAShapeLayer::valueForKeyPath(const std::string& keyPath) const {
    if (keyPath == "strokeEnd") {
        return strokeEnd_;
    }
    if (keyPath == "strokeStart") {
        return strokeStart_;
    }
    return CALayer::valueForKeyPath(keyPath);
}

CGRect CAShapeLayer::contentExtent() const {
    CGRect extent = bounds();
    if (path_ && !path_->isEmpty()) {
        // Miter joins may reach well past half the line width.
        CGFloat reach = strokeColor_ ? lineWidth_ * (lineJoin_ == CGLineJoin::miter ? 5 : 1) : 0;
        extent = extent.unionWith(path_->boundingBox().insetBy(-reach, -reach));
    }
    return extent;
}
