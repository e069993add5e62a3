#include "platform/material/FABButton.h"

#include <algorithm>

FABButton::FABButton() : FABButton(CGRect{}) {}

FABButton::FABButton(const CGRect& frame) : Button(frame) {
    prepare();
}

FABButton::FABButton(const NSCoder& coder) : Button(coder) {
    prepare();
}

FABButton::FABButton(std::shared_ptr<UIImage> image, std::optional<UIColor> tintColor)
    : Button(std::move(image), std::move(tintColor)) {
    prepare();
}

void FABButton::prepare() {
    setBackgroundColor(UIColor::whiteColor());
    setDepthPreset(depthPreset_);
}

void FABButton::setDepthPreset(DepthPreset preset) {
    depthPreset_ = preset;
    applyDepthPreset(*layer(), preset);
}

void FABButton::layoutSubviews() {
    Button::layoutSubviews();
    layer()->setCornerRadius(std::min(bounds().width(), bounds().height()) / 2);
}
