#include "platform/material/FlatButton.h"

FlatButton::FlatButton() : FlatButton(CGRect{}) {}

FlatButton::FlatButton(const CGRect& frame) : Button(frame) {
    prepare();
}

FlatButton::FlatButton(const NSCoder& coder) : Button(coder) {
    prepare();
}

FlatButton::FlatButton(std::shared_ptr<UIImage> image, std::optional<UIColor> tintColor)
    : Button(std::move(image), std::move(tintColor)) {
    prepare();
}

FlatButton::FlatButton(const std::string& title, std::optional<UIColor> titleColor)
    : Button(title, std::move(titleColor)) {
    prepare();
}

void FlatButton::prepare() {
    setBackgroundColor(UIColor::clearColor());
    // A custom button's white title would vanish on the light surfaces a flat button sits on.
    if (!titleColorForState(UIControlStateNormal)) {
        setTitleColor(UIColor::labelColor());
    }
    setContentEdgeInsets({6, 12, 6, 12});
}
