#include "platform/uikit/UIImageView.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"

#include <algorithm>

UIImageView::UIImageView() : UIImageView(CGRect{}) {}

UIImageView::UIImageView(const NSCoder&) : UIImageView(CGRect{}) {}

UIImageView::UIImageView(const CGRect& frame) : UIView(frame) {
    setUserInteractionEnabled(false);
}

UIImageView::UIImageView(std::shared_ptr<UIImage> image)
    : UIImageView(CGRect{{0, 0}, image ? image->size() : CGSize{}}) {
    image_ = std::move(image);
}

void UIImageView::setImage(std::shared_ptr<UIImage> image) {
    if (image == image_) {
        return;
    }
    image_ = std::move(image);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

CGSize UIImageView::intrinsicContentSize() const {
    return image_ ? image_->size() : CGSize{UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric};
}

CGSize UIImageView::sizeThatFits(CGSize) const {
    return image_ ? image_->size() : CGSize{};
}

CGRect UIImageView::rectForContentMode(UIViewContentMode mode, CGSize content, const CGRect& bounds) {
    CGFloat w = content.width, h = content.height;
    switch (mode) {
    case UIViewContentMode::scaleToFill:
    case UIViewContentMode::redraw:
        return bounds;
    case UIViewContentMode::scaleAspectFit:
    case UIViewContentMode::scaleAspectFill: {
        if (w <= 0 || h <= 0) {
            return bounds;
        }
        CGFloat sx = bounds.size.width / w, sy = bounds.size.height / h;
        CGFloat s = mode == UIViewContentMode::scaleAspectFit ? std::min(sx, sy) : std::max(sx, sy);
        w *= s;
        h *= s;
        return {bounds.midX() - w / 2, bounds.midY() - h / 2, w, h};
    }
    default:
        break;
    }
    CGFloat x = bounds.midX() - w / 2;
    CGFloat y = bounds.midY() - h / 2;
    switch (mode) {
    case UIViewContentMode::top:
    case UIViewContentMode::topLeft:
    case UIViewContentMode::topRight:
        y = bounds.minY();
        break;
    case UIViewContentMode::bottom:
    case UIViewContentMode::bottomLeft:
    case UIViewContentMode::bottomRight:
        y = bounds.maxY() - h;
        break;
    default:
        break;
    }
    switch (mode) {
    case UIViewContentMode::left:
    case UIViewContentMode::topLeft:
    case UIViewContentMode::bottomLeft:
        x = bounds.minX();
        break;
    case UIViewContentMode::right:
    case UIViewContentMode::topRight:
    case UIViewContentMode::bottomRight:
        x = bounds.maxX() - w;
        break;
    default:
        break;
    }
    return {x, y, w, h};
}

void UIImageView::drawRect(const CGRect&) {
    CGContext* context = UIGraphics::currentContext();
    if (!context || !image_) {
        return;
    }
    image_->draw(*context, rectForContentMode(contentMode(), image_->size(), bounds()), tintColor());
}
