#include "platform/kits/CosmosView.h"

#include "platform/graphics/CAShapeLayer.h"
#include "platform/uikit/UITouch.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// A five-pointed star with its points on the circle that touches the square's sides.
CGPath starPath(CGFloat size) {
    const CGFloat outer = size / 2;
    const CGFloat inner = outer * 0.4;
    CGPath path;
    for (int i = 0; i < 10; ++i) {
        CGFloat radius = i % 2 == 0 ? outer : inner;
        CGFloat angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        CGPoint p{outer + radius * std::cos(angle), outer + radius * std::sin(angle)};
        if (i == 0) {
            path.moveToPoint(p);
        } else {
            path.addLineToPoint(p);
        }
    }
    path.closeSubpath();
    return path;
}

} // namespace

CosmosView::CosmosView() : UIView() {
    prepare();
}

CosmosView::CosmosView(const CGRect& frame) : UIView(frame) {
    prepare();
}

CosmosView::CosmosView(const NSCoder& coder) : UIView(coder) {
    prepare();
}

void CosmosView::prepare() {
    setBackgroundColor(UIColor::clearColor());
    rebuildStars();
}

void CosmosView::setRating(double rating) {
    double limit = std::max(0, settings_.totalStars);
    rating_ = std::isnan(rating) ? 0 : std::clamp(rating, 0.0, limit);
    showRating();
}

void CosmosView::setSettings(CosmosSettings settings) {
    bool sameStars = settings.totalStars == settings_.totalStars && settings.starSize == settings_.starSize &&
                     settings.starMargin == settings_.starMargin;
    settings_ = std::move(settings);
    // Stars are kept where possible: others may have styled their layers.
    if (sameStars) {
        showRating();
    } else {
        rebuildStars();
        setRating(rating_);
        invalidateIntrinsicContentSize();
    }
}

void CosmosView::rebuildStars() {
    for (const auto& star : stars_) {
        star->removeFromSuperlayer();
    }
    stars_.clear();
    CGPath path = starPath(settings_.starSize);
    for (int i = 0; i < settings_.totalStars; ++i) {
        auto star = CAShapeLayer::layer();
        star->setPath(path);
        star->setLineJoin(CGLineJoin::round);
        layer()->addSublayer(star);
        stars_.push_back(star);
    }
    setNeedsLayout();
    showRating();
}

void CosmosView::showRating() {
    auto filledStars = static_cast<std::size_t>(std::lround(rating_));
    for (std::size_t i = 0; i < stars_.size(); ++i) {
        bool filled = i < filledStars;
        stars_[i]->setFillColor(filled ? settings_.filledColor : settings_.emptyColor);
        stars_[i]->setStrokeColor(filled ? settings_.filledBorderColor : settings_.emptyBorderColor);
        stars_[i]->setLineWidth(filled ? settings_.filledBorderWidth : settings_.emptyBorderWidth);
    }
}

CGSize CosmosView::intrinsicContentSize() const {
    int count = std::max(0, settings_.totalStars);
    CGFloat width = count * settings_.starSize + std::max(0, count - 1) * settings_.starMargin;
    return {width, settings_.starSize};
}

void CosmosView::layoutSubviews() {
    UIView::layoutSubviews();
    CGFloat y = (bounds().height() - settings_.starSize) / 2;
    for (std::size_t i = 0; i < stars_.size(); ++i) {
        CGFloat x = static_cast<CGFloat>(i) * (settings_.starSize + settings_.starMargin);
        stars_[i]->setFrame({x, y, settings_.starSize, settings_.starSize});
    }
}

double CosmosView::ratingAtPoint(CGPoint point) const {
    CGFloat pitch = settings_.starSize + settings_.starMargin;
    double star = pitch > 0 ? std::floor(point.x / pitch) + 1 : 1;
    return std::clamp(star, 1.0, static_cast<double>(std::max(1, settings_.totalStars)));
}

void CosmosView::rateFromTouch(UITouch& touch) {
    setRating(ratingAtPoint(touch.locationInView(this)));
    if (didTouchCosmos)
        didTouchCosmos(rating_);
}

void CosmosView::touchesBegan(UITouch& touch) {
    if (settings_.updateOnTouch) {
        rateFromTouch(touch);
    } else {
        UIView::touchesBegan(touch);
    }
}

void CosmosView::touchesMoved(UITouch& touch) {
    if (settings_.updateOnTouch) {
        rateFromTouch(touch);
    } else {
        UIView::touchesMoved(touch);
    }
}

void CosmosView::touchesEnded(UITouch& touch) {
    if (settings_.updateOnTouch) {
        rateFromTouch(touch);
    } else {
        UIView::touchesEnded(touch);
    }
}
