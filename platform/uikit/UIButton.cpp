#include "platform/uikit/UIButton.h"

#include <algorithm>
#include <cmath>

namespace {

// Spare height a system button keeps around its title.
constexpr CGFloat systemTitlePadding = 6;

} // namespace

std::shared_ptr<UIButton> UIButton::buttonWithType(UIButtonType type) {
    return std::make_shared<UIButton>(type, CGRect{});
}

UIButton::UIButton() : UIButton(UIButtonType::custom, CGRect{}) {}

UIButton::UIButton(const CGRect& frame) : UIButton(UIButtonType::custom, frame) {}

UIButton::UIButton(const NSCoder&) : UIButton(UIButtonType::custom, CGRect{}) {}

UIButton::UIButton(UIButtonType type, const CGRect& frame)
    : UIControl(frame), type_(type), titleLabel_(std::make_shared<UILabel>()),
      imageView_(std::make_shared<UIImageView>()) {
    titleLabel_->setFont(UIFont::systemFontOfSize(15));
    titleLabel_->setTextAlignment(NSTextAlignment::center);
    titleLabel_->setHidden(true);
    imageView_->setHidden(true);
    addSubview(imageView_);
    addSubview(titleLabel_);
    refreshContent();
}

template <typename T>
std::optional<T> UIButton::lookup(const std::map<UIControlState, T>& values, UIControlState state) {
    if (auto it = values.find(state); it != values.end()) {
        return it->second;
    }
    // Combined states fall back to their parts, then to normal.
    for (UIControlState part : {UIControlStateDisabled, UIControlStateSelected, UIControlStateHighlighted}) {
        if (state & part) {
            if (auto it = values.find(part); it != values.end()) {
                return it->second;
            }
        }
    }
    if (auto it = values.find(UIControlStateNormal); it != values.end()) {
        return it->second;
    }
    return std::nullopt;
}

void UIButton::setTitle(std::optional<std::string> title, UIControlState state) {
    if (title) {
        titles_[state] = std::move(*title);
    } else {
        titles_.erase(state);
    }
    refreshContent();
}

std::optional<std::string> UIButton::titleForState(UIControlState state) const {
    return lookup(titles_, state);
}

void UIButton::setTitleColor(std::optional<UIColor> color, UIControlState state) {
    if (color) {
        titleColors_[state] = std::move(*color);
    } else {
        titleColors_.erase(state);
    }
    refreshContent();
}

std::optional<UIColor> UIButton::titleColorForState(UIControlState state) const {
    return lookup(titleColors_, state);
}

UIColor UIButton::currentTitleColor() const {
    if (auto color = titleColorForState(state())) {
        return *color;
    }
    if (type_ == UIButtonType::custom) {
        return UIColor::whiteColor();
    }
    if (!isEnabled()) {
        return UIColor::systemGrayColor();
    }
    return isHighlighted() ? tintColor().colorWithAlphaComponent(0.2) : tintColor();
}

void UIButton::setImage(std::shared_ptr<UIImage> image, UIControlState state) {
    if (image) {
        images_[state] = std::move(image);
    } else {
        images_.erase(state);
    }
    refreshContent();
}

std::shared_ptr<UIImage> UIButton::imageForState(UIControlState state) const {
    return lookup(images_, state).value_or(nullptr);
}

void UIButton::setContentEdgeInsets(const UIEdgeInsets& insets) {
    contentInsets_ = insets;
    invalidateIntrinsicContentSize();
    setNeedsLayout();
}

void UIButton::stateDidChange() {
    UIControl::stateDidChange();
    refreshContent();
}

void UIButton::tintColorDidChange() {
    UIControl::tintColorDidChange();
    refreshContent();
}

void UIButton::refreshContent() {
    auto title = currentTitle();
    bool hasTitle = title && !title->empty();
    if (titleLabel_->text() != title.value_or("")) {
        titleLabel_->setText(title.value_or(""));
    }
    titleLabel_->setHidden(!hasTitle);
    titleLabel_->setTextColor(currentTitleColor());
    auto image = currentImage();
    if (image && type_ == UIButtonType::system && image->renderingMode() == UIImageRenderingMode::automatic) {
        image = image->imageWithRenderingMode(UIImageRenderingMode::alwaysTemplate);
    }
    imageView_->setImage(image);
    imageView_->setHidden(!image);
    imageView_->setTintColor(type_ == UIButtonType::system ? std::optional<UIColor>(currentTitleColor())
                                                           : std::nullopt);
    CGFloat dim = isHighlighted() && type_ == UIButtonType::custom ? 0.6 : 1.0;
    imageView_->setAlpha(dim);
    invalidateIntrinsicContentSize();
    setNeedsLayout();
}

CGSize UIButton::contentSize() const {
    CGSize image = imageView_->isHidden() ? CGSize{} : imageView_->intrinsicContentSize();
    CGSize title = titleLabel_->isHidden() ? CGSize{} : titleLabel_->intrinsicContentSize();
    CGFloat height = std::max(image.height, title.height);
    if (type_ == UIButtonType::system && !titleLabel_->isHidden()) {
        height += 2 * systemTitlePadding;
    }
    return {image.width + title.width, height};
}

CGSize UIButton::intrinsicContentSize() const {
    CGSize content = contentSize();
    return {content.width + contentInsets_.left + contentInsets_.right,
            content.height + contentInsets_.top + contentInsets_.bottom};
}

CGSize UIButton::sizeThatFits(CGSize) const {
    return intrinsicContentSize();
}

void UIButton::layoutSubviews() {
    UIControl::layoutSubviews();
    CGRect content = contentInsets_.insetRect(bounds());
    CGSize image = imageView_->isHidden() ? CGSize{} : imageView_->intrinsicContentSize();
    CGSize title = titleLabel_->isHidden() ? CGSize{} : titleLabel_->intrinsicContentSize();
    title.width = std::min(title.width, std::max<CGFloat>(0, content.size.width - image.width));
    CGFloat total = image.width + title.width;
    CGFloat x = content.origin.x;
    switch (contentHorizontalAlignment()) {
    case UIControlContentHorizontalAlignment::center:
        x = content.midX() - total / 2;
        break;
    case UIControlContentHorizontalAlignment::right:
        x = content.origin.x + content.size.width - total;
        break;
    case UIControlContentHorizontalAlignment::left:
        break;
    case UIControlContentHorizontalAlignment::fill:
        title.width = std::max<CGFloat>(0, content.size.width - image.width);
        break;
    }
    auto place = [&](CGFloat width, CGFloat height) -> CGRect {
        switch (contentVerticalAlignment()) {
        case UIControlContentVerticalAlignment::top:
            return {x, content.origin.y, width, height};
        case UIControlContentVerticalAlignment::bottom:
            return {x, content.origin.y + content.size.height - height, width, height};
        case UIControlContentVerticalAlignment::fill:
            return {x, content.origin.y, width, content.size.height};
        case UIControlContentVerticalAlignment::center:
            break;
        }
        return {x, content.midY() - height / 2, width, height};
    };
    if (!imageView_->isHidden()) {
        imageView_->setFrame(place(image.width, image.height));
        x += image.width;
    }
    if (!titleLabel_->isHidden()) {
        titleLabel_->setFrame(place(title.width, title.height));
    }
}
