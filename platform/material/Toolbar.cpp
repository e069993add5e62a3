#include "platform/material/Toolbar.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr CGFloat interimSpace = 8;

std::optional<std::string> shownText(const UILabel& label) {
    if (label.isHidden()) {
        return std::nullopt;
    }
    return label.text();
}

void showText(UILabel& label, std::optional<std::string> text) {
    label.setHidden(!text || text->empty());
    label.setText(text.value_or(""));
}

} // namespace

Toolbar::Toolbar() : Toolbar(CGRect{0, 0, 0, defaultHeight}) {}

Toolbar::Toolbar(const CGRect& frame)
    : UIView(frame), titleLabel_(std::make_shared<UILabel>()), detailLabel_(std::make_shared<UILabel>()) {
    setBackgroundColor(UIColor::whiteColor());
    titleLabel_->setFont(UIFont::systemFontOfSize(18, UIFontWeight::medium));
    titleLabel_->setTextAlignment(NSTextAlignment::center);
    detailLabel_->setFont(UIFont::systemFontOfSize(12));
    detailLabel_->setTextAlignment(NSTextAlignment::center);
    titleLabel_->setHidden(true);
    detailLabel_->setHidden(true);
    addSubview(titleLabel_);
    addSubview(detailLabel_);
    setDepthPreset(depthPreset_);
}

std::optional<std::string> Toolbar::title() const {
    return shownText(*titleLabel_);
}

void Toolbar::setTitle(std::optional<std::string> title) {
    showText(*titleLabel_, std::move(title));
    setNeedsLayout();
}

std::optional<std::string> Toolbar::detail() const {
    return shownText(*detailLabel_);
}

void Toolbar::setDetail(std::optional<std::string> detail) {
    showText(*detailLabel_, std::move(detail));
    setNeedsLayout();
}

void Toolbar::setLeftViews(std::vector<std::shared_ptr<UIView>> views) {
    replaceViews(leftViews_, std::move(views));
}

void Toolbar::setRightViews(std::vector<std::shared_ptr<UIView>> views) {
    replaceViews(rightViews_, std::move(views));
}

void Toolbar::replaceViews(std::vector<std::shared_ptr<UIView>>& current,
                           std::vector<std::shared_ptr<UIView>> views) {
    for (const auto& view : current) {
        if (view->superview().get() == this) {
            view->removeFromSuperview();
        }
    }
    current.clear();
    for (auto& view : views) {
        if (view) {
            addSubview(view);
            current.push_back(std::move(view));
        }
    }
    setNeedsLayout();
}

void Toolbar::setContentEdgeInsets(const UIEdgeInsets& insets) {
    contentInsets_ = insets;
    setNeedsLayout();
}

void Toolbar::setDepthPreset(DepthPreset preset) {
    depthPreset_ = preset;
    applyDepthPreset(*layer(), preset);
}

CGFloat Toolbar::sideViewWidth(const UIView& view, CGFloat height) {
    CGFloat width = view.intrinsicContentSize().width;
    return width == UIViewNoIntrinsicMetric ? height : width;
}

void Toolbar::layoutSubviews() {
    UIView::layoutSubviews();
    CGRect content = contentInsets_.insetRect(bounds());
    CGFloat height = std::max<CGFloat>(0, content.height());
    CGFloat left = content.minX();
    for (const auto& view : leftViews_) {
        CGFloat width = sideViewWidth(*view, height);
        view->setFrame({left, content.minY(), width, height});
        left += width + interimSpace;
    }
    CGFloat right = content.minX() + content.size.width;
    for (auto it = rightViews_.rbegin(); it != rightViews_.rend(); ++it) {
        CGFloat width = sideViewWidth(**it, height);
        right -= width;
        (*it)->setFrame({right, content.minY(), width, height});
        right -= interimSpace;
    }
    CGRect middle{left, content.minY(), std::max<CGFloat>(0, right - left), height};
    if (detailLabel_->isHidden()) {
        titleLabel_->setFrame(middle);
        return;
    }
    CGFloat titleHeight = titleLabel_->isHidden() ? 0 : std::round(height * 0.55);
    titleLabel_->setFrame({middle.origin.x, middle.origin.y, middle.size.width, titleHeight});
    detailLabel_->setFrame(
        {middle.origin.x, middle.origin.y + titleHeight, middle.size.width, height - titleHeight});
}
