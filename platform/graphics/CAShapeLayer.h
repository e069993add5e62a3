#pragma once

#include "platform/graphics/CALayer.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGPath.h"

// Draws a path in its bounds space: filled, then stroked between strokeStart and strokeEnd
// (fractions of the path's length, animatable).
class CAShapeLayer : public CALayer {
  public:
    static std::shared_ptr<CAShapeLayer> layer() { return std::make_shared<CAShapeLayer>(); }

    const std::optional<CGPath>& path() const { return path_; }
    void setPath(std::optional<CGPath> path) { path_ = std::move(path); }
    const std::optional<UIColor>& fillColor() const { return fillColor_; }
    void setFillColor(std::optional<UIColor> color) { fillColor_ = std::move(color); }
    const std::optional<UIColor>& strokeColor() const { return strokeColor_; }
    void setStrokeColor(std::optional<UIColor> color) { strokeColor_ = std::move(color); }
    CGFloat lineWidth() const { return lineWidth_; }
    void setLineWidth(CGFloat width) { lineWidth_ = width; }
    CGLineJoin lineJoin() const { return lineJoin_; }
    void setLineJoin(CGLineJoin join) { lineJoin_ = join; }
    CGLineCap lineCap() const { return lineCap_; }
    void setLineCap(CGLineCap cap) { lineCap_ = cap; }
    CGFloat strokeStart() const { return strokeStart_; }
    void setStrokeStart(CGFloat start) { strokeStart_ = start; }
    CGFloat strokeEnd() const { return strokeEnd_; }
    void setStrokeEnd(CGFloat end) { strokeEnd_ = end; }

    void drawInContext(CGContext& context) override;
    std::optional<CGFloat> valueForKeyPath(const std::string& keyPath) const override;
    CGRect contentExtent() const override;

  private:
    std::optional<CGPath> path_;
    std::optional<UIColor> fillColor_ = UIColor::blackColor();
    std::optional<UIColor> strokeColor_;
    CGFloat lineWidth_ = 1;
    CGLineJoin lineJoin_ = CGLineJoin::miter;
    CGLineCap lineCap_ = CGLineCap::butt;
    CGFloat strokeStart_ = 0;
    CGFloat strokeEnd_ = 1;
};
