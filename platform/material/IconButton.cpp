#include "platform/material/IconButton.h"

#include <algorithm>

IconButton::IconButton() : Button() {
    prepare();
}

IconButton::IconButton(const NSCoder& coder) : Button(coder) {
    prepare();
}

IconButton::IconButton(std::shared_ptr<UIImage> image, std::optional<UIColor> tintColor)
    : Button(std::move(image), std::move(tintColor)) {
    prepare();
}

IconButton::IconButton(const std::string& title, std::optional<UIColor> titleColor)
    : Button(title, std::move(titleColor)) {
    prepare();
}

void IconButton::prepare() {
    setBackgroundColor(UIColor::clearColor());
    setContentEdgeInsets({10, 10, 10, 10});
}

CGSize IconButton::intrinsicContentSize() const {
    CGSize size = Button::intrinsicContentSize();
    return {std::max(size.width, size.height), size.height};
}
