#include "platform/uikit/UIActivityIndicatorView.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int spokes = 8;
const std::string spinKey = "spin";

} // namespace

UIActivityIndicatorView::UIActivityIndicatorView(UIActivityIndicatorViewStyle style)
    : UIView(CGRect{}), style_(style) {
    CGSize size = intrinsicContentSize();
    setFrame({0, 0, size.width, size.height});
    setHidden(true);
    setUserInteractionEnabled(false);
}

UIActivityIndicatorView::UIActivityIndicatorView(const CGRect& frame)
    : UIView(frame), style_(UIActivityIndicatorViewStyle::medium) {
    setHidden(true);
    setUserInteractionEnabled(false);
}

UIActivityIndicatorView::UIActivityIndicatorView(const NSCoder&) : UIActivityIndicatorView(CGRect{}) {}

bool UIActivityIndicatorView::isLarge() const {
    return style_ == UIActivityIndicatorViewStyle::large ||
           style_ == UIActivityIndicatorViewStyle::whiteLarge;
}

void UIActivityIndicatorView::setActivityIndicatorViewStyle(UIActivityIndicatorViewStyle style) {
    style_ = style;
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

UIColor UIActivityIndicatorView::color() const {
    if (color_) {
        return *color_;
    }
    switch (style_) {
    case UIActivityIndicatorViewStyle::white:
    case UIActivityIndicatorViewStyle::whiteLarge:
        return UIColor::whiteColor();
    case UIActivityIndicatorViewStyle::gray:
        return UIColor::grayColor();
    default:
        return UIColor::systemGrayColor();
    }
}

void UIActivityIndicatorView::setColor(std::optional<UIColor> color) {
    color_ = std::move(color);
    setNeedsDisplay();
}

void UIActivityIndicatorView::setHidesWhenStopped(bool hides) {
    hidesWhenStopped_ = hides;
    if (!animating_) {
        setHidden(hides);
    }
}

void UIActivityIndicatorView::startAnimating() {
    if (animating_) {
        return;
    }
    animating_ = true;
    setHidden(false);
    CABasicAnimation spin("transform.rotation.z");
    spin.fromValue = 0;
    spin.toValue = 2 * std::numbers::pi;
    spin.duration = 1;
    // Spins for days; stopping removes it.
    spin.repeatCount = 1e6;
    spin.timingFunction = CAMediaTimingFunction(CAMediaTimingFunctionName::linear);
    layer()->addAnimation(spin, spinKey);
}

void UIActivityIndicatorView::stopAnimating() {
    if (!animating_) {
        return;
    }
    animating_ = false;
    layer()->removeAnimationForKey(spinKey);
    if (hidesWhenStopped_) {
        setHidden(true);
    }
}

CGSize UIActivityIndicatorView::intrinsicContentSize() const {
    return isLarge() ? CGSize{37, 37} : CGSize{20, 20};
}

void UIActivityIndicatorView::drawRect(const CGRect&) {
    CGContext* context = UIGraphics::currentContext();
    if (!context) {
        return;
    }
    CGRect b = bounds();
    CGFloat radius = std::min(b.size.width, b.size.height) / 2;
    CGFloat inner = radius * 0.45;
    context->setLineWidth(std::max<CGFloat>(2, radius * 0.2));
    context->setLineCap(CGLineCap::round);
    UIColor base = color();
    for (int i = 0; i < spokes; ++i) {
        CGFloat angle = 2 * std::numbers::pi * i / spokes;
        CGFloat fade = 0.25 + 0.75 * static_cast<CGFloat>(i + 1) / spokes;
        CGPoint direction{std::cos(angle), std::sin(angle)};
        context->setStrokeColor(base.colorWithAlphaComponent(base.alpha() * fade));
        context->strokeLineSegments(
            {{b.midX() + direction.x * inner, b.midY() + direction.y * inner},
             {b.midX() + direction.x * (radius - 1), b.midY() + direction.y * (radius - 1)}});
    }
}
