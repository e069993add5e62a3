#include "platform/uikit/UIStackView.h"

#include <algorithm>
#include <numeric>

namespace {

// A view's length along (or across) the axis: intrinsic when it has one, else its frame's.
CGFloat lengthOf(const UIView& view, bool horizontal) {
    CGSize intrinsic = view.intrinsicContentSize();
    CGFloat value = horizontal ? intrinsic.width : intrinsic.height;
    if (value >= 0) {
        return value;
    }
    CGRect f = view.frame();
    return horizontal ? f.size.width : f.size.height;
}

bool hasIntrinsicLength(const UIView& view, bool horizontal) {
    CGSize intrinsic = view.intrinsicContentSize();
    return (horizontal ? intrinsic.width : intrinsic.height) >= 0;
}

} // namespace

UIStackView::UIStackView() : UIStackView(CGRect{}) {}

UIStackView::UIStackView(const CGRect& frame) : UIView(frame) {}

UIStackView::UIStackView(const NSCoder&) : UIStackView(CGRect{}) {}

UIStackView::UIStackView(const std::vector<std::shared_ptr<UIView>>& arrangedSubviews)
    : UIStackView(CGRect{}) {
    for (const auto& view : arrangedSubviews) {
        arranged_.push_back(view);
        addSubview(view);
    }
}

void UIStackView::addArrangedSubview(const std::shared_ptr<UIView>& view) {
    insertArrangedSubview(view, arranged_.size());
}

void UIStackView::insertArrangedSubview(const std::shared_ptr<UIView>& view, std::size_t index) {
    if (!view) {
        return;
    }
    arranged_.erase(std::remove(arranged_.begin(), arranged_.end(), view), arranged_.end());
    arranged_.insert(arranged_.begin() + static_cast<std::ptrdiff_t>(std::min(index, arranged_.size())),
                     view);
    if (view->superview().get() != this) {
        addSubview(view);
    }
    invalidateIntrinsicContentSize();
}

void UIStackView::removeArrangedSubview(const UIView* view) {
    std::erase_if(arranged_, [&](const auto& v) { return v.get() == view; });
    invalidateIntrinsicContentSize();
}

void UIStackView::willRemoveSubview(const std::shared_ptr<UIView>& view) {
    removeArrangedSubview(view.get());
}

void UIStackView::setAxis(UILayoutConstraintAxis axis) {
    axis_ = axis;
    invalidateIntrinsicContentSize();
}

void UIStackView::setDistribution(UIStackViewDistribution distribution) {
    distribution_ = distribution;
    setNeedsLayout();
}

void UIStackView::setAlignment(UIStackViewAlignment alignment) {
    alignment_ = alignment;
    setNeedsLayout();
}

void UIStackView::setSpacing(CGFloat spacing) {
    spacing_ = spacing;
    invalidateIntrinsicContentSize();
}

std::vector<std::shared_ptr<UIView>> UIStackView::visibleArranged() const {
    std::vector<std::shared_ptr<UIView>> visible;
    std::copy_if(arranged_.begin(), arranged_.end(), std::back_inserter(visible),
                 [](const auto& v) { return !v->isHidden(); });
    return visible;
}

CGSize UIStackView::intrinsicContentSize() const {
    auto views = visibleArranged();
    if (views.empty()) {
        return {UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric};
    }
    bool horizontal = axis_ == UILayoutConstraintAxis::horizontal;
    CGFloat along = spacing_ * static_cast<CGFloat>(views.size() - 1);
    CGFloat across = 0;
    for (const auto& view : views) {
        along += lengthOf(*view, horizontal);
        across = std::max(across, lengthOf(*view, !horizontal));
    }
    return horizontal ? CGSize{along, across} : CGSize{across, along};
}

void UIStackView::layoutSubviews() {
    UIView::layoutSubviews();
    auto views = visibleArranged();
    if (views.empty()) {
        return;
    }
    bool horizontal = axis_ == UILayoutConstraintAxis::horizontal;
    CGRect b = bounds();
    CGFloat available = horizontal ? b.size.width : b.size.height;
    CGFloat room = horizontal ? b.size.height : b.size.width;
    std::size_t n = views.size();
    CGFloat gaps = spacing_ * static_cast<CGFloat>(n - 1);

    std::vector<CGFloat> lengths(n);
    for (std::size_t i = 0; i < n; ++i) {
        lengths[i] = lengthOf(*views[i], horizontal);
    }
    CGFloat natural = std::accumulate(lengths.begin(), lengths.end(), 0.0);
    CGFloat slack = available - gaps - natural;
    CGFloat spacing = spacing_;
    switch (distribution_) {
    case UIStackViewDistribution::fill: {
        std::vector<std::size_t> flexible;
        for (std::size_t i = 0; i < n; ++i) {
            if (!hasIntrinsicLength(*views[i], horizontal)) {
                flexible.push_back(i);
            }
        }
        if (flexible.empty()) {
            flexible.push_back(n - 1);
        }
        for (std::size_t i : flexible) {
            lengths[i] = std::max<CGFloat>(0, lengths[i] + slack / static_cast<CGFloat>(flexible.size()));
        }
        break;
    }
    case UIStackViewDistribution::fillEqually:
        std::fill(lengths.begin(), lengths.end(),
                  std::max<CGFloat>(0, (available - gaps) / static_cast<CGFloat>(n)));
        break;
    case UIStackViewDistribution::fillProportionally:
        for (CGFloat& length : lengths) {
            length = natural > 0 ? length * (available - gaps) / natural
                                 : (available - gaps) / static_cast<CGFloat>(n);
        }
        break;
    case UIStackViewDistribution::equalSpacing:
    case UIStackViewDistribution::equalCentering:
        if (n > 1) {
            spacing = std::max(spacing_, (available - natural) / static_cast<CGFloat>(n - 1));
        }
        break;
    }
    CGFloat position = horizontal ? b.origin.x : b.origin.y;
    CGFloat crossOrigin = horizontal ? b.origin.y : b.origin.x;
    for (std::size_t i = 0; i < n; ++i) {
        CGFloat cross = room;
        CGFloat offset = 0;
        if (alignment_ != UIStackViewAlignment::fill) {
            cross = std::min(room, lengthOf(*views[i], !horizontal));
            if (alignment_ == UIStackViewAlignment::center) {
                offset = (room - cross) / 2;
            } else if (alignment_ == UIStackViewAlignment::trailing) {
                offset = room - cross;
            }
        }
        CGRect frame = horizontal ? CGRect{position, crossOrigin + offset, lengths[i], cross}
                                  : CGRect{crossOrigin + offset, position, cross, lengths[i]};
        views[i]->setFrame(frame);
        position += lengths[i] + spacing;
    }
}
